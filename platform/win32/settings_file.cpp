#include "platform/win32/settings_file.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/report.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {
namespace {

using Kind = SettingsFileRead::Kind;

constexpr std::wstring_view kFileName = L"vontrafx.ini";
constexpr std::wstring_view kFolderName = L"Vontra FX";
constexpr std::string_view kNoFolder = "the APPDATA folder is not set";

// A few words for a caption: our own for the usual errors, the system's for the rest (without
// the full stop and line break it ends with).
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
  wchar_t buffer[512] = {};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                     buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
  std::wstring_view text(buffer, length);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L'.' ||
                           text.back() == L' '))
    text.remove_suffix(1);
  if (text.empty()) return "error " + std::to_string(error);
  return Narrow(text);
}

SettingsFileRead Of(Kind kind) { return {kind, {}, {}}; }

SettingsFileRead Failed(DWORD error) {
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Of(Kind::kMissing);
  if (error == ERROR_ACCESS_DENIED) return Of(Kind::kDenied);
  return {Kind::kFailed, {}, ErrorText(error)};
}

SettingsFileReplace NotDone(std::string_view step, DWORD error) {
  return {false, std::string(step) + ErrorText(error)};
}

std::wstring Folder(std::wstring_view path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return std::wstring(path.substr(0, slash == std::wstring_view::npos ? 0 : slash));
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

SettingsFileRead Win32SettingsFile::Read() {
  if (path_.empty()) return {Kind::kFailed, {}, std::string(kNoFolder)};
  const DWORD attributes = GetFileAttributesW(path_.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Failed(GetLastError());
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Of(Kind::kFolder);
  // Shared every way, so that another copy of the add-on may replace the file meanwhile.
  const OwnedFile file =
      OpenFile(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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

SettingsFileReplace Win32SettingsFile::Replace(std::string_view bytes) {
  if (path_.empty()) return {false, std::string(kNoFolder)};
  const std::wstring folder = Folder(path_);
  if (!folder.empty() && !CreateDirectoryW(folder.c_str(), nullptr) &&
      GetLastError() != ERROR_ALREADY_EXISTS)
    return NotDone("its folder cannot be made: ", GetLastError());

  static unsigned serial = 0;
  std::wstring temporary;
  OwnedFile file;
  for (int attempt = 0; attempt < 100 && !file; ++attempt) {
    temporary = path_ + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++serial) + L".tmp";
    file = OpenFile(temporary.c_str(), GENERIC_WRITE, 0, CREATE_NEW);
    if (!file && GetLastError() != ERROR_FILE_EXISTS)
      return NotDone("no new file can be made beside it: ", GetLastError());
  }
  if (!file) return NotDone("no new file can be made beside it: ", ERROR_FILE_EXISTS);

  const DWORD written = WriteAll(file.get(), bytes);
  file.Reset();
  if (written != ERROR_SUCCESS) {
    // A new file that cannot be removed again stays beside the old one, said nowhere else.
    VFX_REPORT_IF_FALSE(DeleteFileW(temporary.c_str()));
    return NotDone("", written);
  }
  if (!VFX_REPORT_IF_FALSE(MoveFileExW(temporary.c_str(), path_.c_str(),
                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))) {
    const DWORD error = GetLastError();
    VFX_REPORT_IF_FALSE(DeleteFileW(temporary.c_str()));
    return NotDone("", error);
  }
  return {true, {}};
}

}  // namespace vfx::platform::win32
