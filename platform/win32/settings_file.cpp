#include "platform/win32/settings_file.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/report.h"
#include "platform/win32/system_text.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {
namespace {

using Kind = SettingsFileRead::Kind;

constexpr std::wstring_view kFileName = L"vontrafx.ini";
constexpr std::wstring_view kFolderName = L"Vontra FX";
constexpr std::string_view kNoFolder = "the APPDATA folder is not set";

// A few words for a caption: our own for the usual errors, the system's for the rest.
std::string ErrorText(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
      return "access denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "another program is using it";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "the disk is full";
    case ERROR_WRITE_PROTECT:
      return "the disk is write-protected";
    default:
      break;
  }
  return SystemErrorWords(error);
}

SettingsFileRead Of(Kind kind) { return {kind, {}, {}}; }

SettingsFileRead Failed(DWORD error) {
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Of(Kind::kMissing);
  if (error == ERROR_ACCESS_DENIED) return Of(Kind::kDenied);
  return {Kind::kFailed, {}, ErrorText(error)};
}

SettingsFileWrite NotDone(std::string_view step, DWORD error) {
  return {SettingsFileWrite::Kind::kFailed, std::string(step) + ErrorText(error)};
}

std::wstring Folder(std::wstring_view path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return std::wstring(path.substr(0, slash == std::wstring_view::npos ? 0 : slash));
}

SettingsFileWrite Done() { return {SettingsFileWrite::Kind::kDone, {}}; }

// How long a save waits for another copy's, and how often it looks: a save takes milliseconds.
constexpr DWORD kLockWaitMs = 2000, kLockRetryMs = 20;

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Makes the file's folder when it is missing.
DWORD MakeFolder(const std::wstring& folder) {
  if (folder.empty() || CreateDirectoryW(folder.c_str(), nullptr)) return ERROR_SUCCESS;
  const DWORD error = GetLastError();
  return error == ERROR_ALREADY_EXISTS ? ERROR_SUCCESS : error;
}

// The names of the files a save makes beside `target` for a moment: "<target>.<unique>.<end>".
std::vector<std::wstring> LeftBeside(const std::wstring& target, std::wstring_view end) {
  std::vector<std::wstring> found;
  const std::wstring folder = Folder(target);
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW((target + L".*." + std::wstring(end)).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      found.push_back(folder + L"\\" + entry.cFileName);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return found;
}

// What a save killed half-way leaves: its new file, which never took the old one's place, and a
// backup, which is the old file itself when the replace had moved it aside and got no further.
void ClearWhatASaveLeft(const std::wstring& target) {
  for (const std::wstring& made : LeftBeside(target, L"tmp"))
    VFX_REPORT_IF_FALSE(DeleteFileW(made.c_str()));
  for (const std::wstring& backup : LeftBeside(target, L"bak")) {
    if (!Exists(target)) {
      VFX_REPORT_IF_FALSE(MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH));
    } else {
      VFX_REPORT_IF_FALSE(DeleteFileW(backup.c_str()));
    }
  }
}

// "\\?\C:\..." and "\\?\UNC\server\..." as the user writes them.
std::wstring WithoutLongPathPrefix(std::wstring_view path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + std::wstring(path.substr(8));
  if (path.starts_with(L"\\\\?\\")) return std::wstring(path.substr(4));
  return std::wstring(path);
}

// A file made for a moment beside the user's, removed again on the way out unless it was kept:
// no step of a save that fails leaves it behind (what cannot be removed now, the next save
// clears).
class RemovedUnlessKept {
 public:
  explicit RemovedUnlessKept(std::wstring path) : path_(std::move(path)) {}
  RemovedUnlessKept(const RemovedUnlessKept&) = delete;
  RemovedUnlessKept& operator=(const RemovedUnlessKept&) = delete;
  ~RemovedUnlessKept() {
    if (!kept_ && Exists(path_)) VFX_REPORT_IF_FALSE(DeleteFileW(path_.c_str()));
  }
  void Keep() const { kept_ = true; }

 private:
  std::wstring path_;
  mutable bool kept_ = false;
};

// A name beside `target` that no file has yet, with the file made there (CREATE_NEW).
OwnedFile MakeBeside(const std::wstring& target, std::wstring_view end, std::wstring& name) {
  static unsigned serial = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++serial) + L"." +
           std::wstring(end);
    OwnedFile file = OpenFile(name.c_str(), GENERIC_WRITE, 0, CREATE_NEW);
    if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return {};
}

bool IsFullPath(std::wstring_view path) {
  const bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  return drive || path.starts_with(L"\\\\");
}

std::wstring ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = VFX_FAULT_IF_FALSE(
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size())));
    if (length == 0) return {};
    if (length < buffer.size()) return Folder(std::wstring_view(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring Environment(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

// Writes the whole text and flushes it to the disk; the error when it could not. The user's
// disk may refuse either: the caller tells the user, the debugger's output which step it was.
DWORD WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 16));
    DWORD written = 0;
    if (!VFX_REPORT_IF_FALSE(WriteFile(file, bytes.data(), chunk, &written, nullptr)))
      return GetLastError();
    bytes.remove_prefix(written);
  }
  return VFX_REPORT_IF_FALSE(FlushFileBuffers(file)) ? ERROR_SUCCESS : GetLastError();
}

}  // namespace

std::wstring SettingsFilePathFor(std::wstring_view programFolder, std::wstring_view appData) {
  if (!programFolder.empty()) {
    std::wstring beside = std::wstring(programFolder) + L"\\" + std::wstring(kFileName);
    if (GetFileAttributesW(beside.c_str()) != INVALID_FILE_ATTRIBUTES) return beside;
  }
  if (!IsFullPath(appData)) return {};
  while (appData.ends_with(L'\\') || appData.ends_with(L'/')) appData.remove_suffix(1);
  return std::wstring(appData) + L"\\" + std::wstring(kFolderName) + L"\\" +
         std::wstring(kFileName);
}

std::wstring SettingsFilePath() {
  return SettingsFilePathFor(ProgramFolder(), Environment(L"APPDATA"));
}

std::string Win32SettingsFile::Location() {
  return path_.empty() ? "%APPDATA%\\Vontra FX\\vontrafx.ini" : Narrow(path_);
}

namespace {

SettingsFileRead ReadAt(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Failed(GetLastError());
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Of(Kind::kFolder);
  // Shared every way, so that another copy of the add-on may replace the file meanwhile.
  const OwnedFile file =
      OpenFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
               OPEN_EXISTING);
  if (!file) return Failed(GetLastError());
  SettingsFileRead read = Of(Kind::kRead);
  std::vector<char> buffer(1 << 16);
  for (;;) {
    DWORD got = 0;
    if (!VFX_REPORT_IF_FALSE(
            ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)))
      return Failed(GetLastError());
    if (got == 0) return read;
    // Read to the end rather than by the size asked first: the file may grow meanwhile.
    read.bytes.append(buffer.data(), got);
    if (read.bytes.size() > kSettingsFileMaxBytes) return Of(Kind::kTooLarge);
  }
}

}  // namespace

SettingsFileRead Win32SettingsFile::Read() {
  // Without a folder there is no file yet; a save says why it cannot make one.
  if (path_.empty()) return Of(Kind::kMissing);
  const SettingsFileRead read = ReadAt(path_);
  if (read.kind != Kind::kMissing) return read;
  // A save stopped between the two renames of its replace leaves the old file under its
  // backup's name until the next save puts it back: meanwhile that is the file.
  const std::vector<std::wstring> backups = LeftBeside(path_, L"bak");
  return backups.empty() ? read : ReadAt(backups.front());
}

std::wstring Win32SettingsFile::Target() const {
  // A link (symbolic, or a junction on the way) leads to the file the user keeps: that one is
  // replaced, and the link stays a link.
  const OwnedFile file = OpenFile(path_.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  if (!file) return path_;
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(
        file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
    if (length == 0) return path_;
    if (length < buffer.size()) return WithoutLongPathPrefix({buffer.data(), length});
    buffer.resize(length + 1);
  }
}

SettingsFileWrite Win32SettingsFile::Lock() {
  if (path_.empty()) return {SettingsFileWrite::Kind::kFailed, std::string(kNoFolder)};
  if (const DWORD made = MakeFolder(Folder(path_)); made != ERROR_SUCCESS)
    return NotDone("its folder cannot be made: ", made);
  const std::wstring name = path_ + L".lock";
  const DWORD start = GetTickCount();
  for (;;) {
    lock_ = OpenFile(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE);
    if (lock_) break;
    const DWORD error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)
      return NotDone("no lock file can be made beside it: ", error);
    // A lock file being deleted refuses to open for a moment (access denied): that is a copy
    // just done, as good as one still saving.
    if (GetTickCount() - start >= kLockWaitMs) {
      if (error == ERROR_ACCESS_DENIED && !Exists(name))
        return NotDone("no lock file can be made beside it: ", error);
      return {SettingsFileWrite::Kind::kBusy, {}};
    }
    Sleep(kLockRetryMs);
  }
  ClearWhatASaveLeft(Target());
  return Done();
}

SettingsFileWrite Win32SettingsFile::Replace(std::string_view bytes) {
  if (path_.empty()) return {SettingsFileWrite::Kind::kFailed, std::string(kNoFolder)};
  if (const DWORD made = MakeFolder(Folder(path_)); made != ERROR_SUCCESS)
    return NotDone("its folder cannot be made: ", made);
  const std::wstring target = Target();
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return {SettingsFileWrite::Kind::kFailed, "a folder stands in its place"};
  if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
    return {SettingsFileWrite::Kind::kReadOnly, {}};

  std::wstring name;
  OwnedFile file = MakeBeside(target, L"tmp", name);
  if (!file) return NotDone("no new file can be made beside it: ", GetLastError());
  const RemovedUnlessKept temporary(name);
  const DWORD written = WriteAll(file.get(), bytes);
  file.Reset();
  if (written != ERROR_SUCCESS) return NotDone("", written);
  if (!exists) {
    // Nothing to replace: the new file takes the name, unless a file came meanwhile.
    if (!VFX_REPORT_IF_FALSE(MoveFileExW(name.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)))
      return NotDone("", GetLastError());
    temporary.Keep();
    return Done();
  }
  // The backup name keeps the old file findable should the replace stop half-way: without one,
  // a replace that fails to rename the new file has already deleted the old. The new file's
  // name is unique, and so is the same stem's backup.
  const std::wstring backup = name.substr(0, name.size() - 3) + L"bak";
  const RemovedUnlessKept backupRemoved(backup);
  if (!VFX_REPORT_IF_FALSE(ReplaceFileW(target.c_str(), name.c_str(), backup.c_str(),
                                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))) {
    const DWORD error = GetLastError();
    // Each way a replace fails leaves the old file under its name or under the backup's, and
    // the new one under its own: the old one goes back to its name, and the new one away.
    // Should the old file not go back now, the backup is all there is of it: it stays, and the
    // next save puts it back.
    if (!Exists(target) && Exists(backup) &&
        !VFX_REPORT_IF_FALSE(MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)))
      backupRemoved.Keep();
    return NotDone("", error);
  }
  temporary.Keep();  // it is the file now
  // Windows carries the attributes over; Wine's replace does not, so they are set again.
  VFX_REPORT_IF_FALSE(SetFileAttributesW(target.c_str(), attributes));
  return Done();
}

}  // namespace vfx::platform::win32
