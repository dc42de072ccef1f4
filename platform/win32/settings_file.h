// vontrafx.ini on the disk. It lives beside the program when a file of that name is already there
// (a portable install, carried on a stick with its settings), otherwise in "Vontra FX" in the
// user's roaming application data folder, which the first save makes.
//
// That folder is the APPDATA variable's: Windows sets it at logon to the folder SHGetFolderPathW
// names CSIDL_APPDATA, and Wine sets it too; reading it keeps shell32 out of the program, which
// links only the system DLLs it has always needed.
#pragma once

#include <string>
#include <string_view>

#include "platform/settings_file.h"
#include "platform/win32/handles.h"

namespace vfx::platform::win32 {

// Where the file lives for this program and this user; empty when APPDATA is not set to a full
// path and no file is beside the program.
std::wstring SettingsFilePath();
// The same rule for given folders.
std::wstring SettingsFilePathFor(std::wstring_view programFolder, std::wstring_view appData);

class Win32SettingsFile final : public SettingsFile {
 public:
  explicit Win32SettingsFile(std::wstring path) : path_(std::move(path)) {}

  std::string Location() override;
  SettingsFileRead Read() override;
  // "vontrafx.ini.lock" beside the file, opened without sharing and deleted when its handle
  // closes (a killed copy's handle too): another copy's open fails until then. Tried for about
  // two seconds. Once held, new and backup files that a save cut short left behind are cleared.
  SettingsFileWrite Lock() override;
  void Unlock() override { lock_.Reset(); }
  // The new file is "vontrafx.ini.<unique>.tmp" beside the file the path leads to (through a
  // link), made with CREATE_NEW and flushed with FlushFileBuffers; ReplaceFileW puts it in the
  // old one's place, which keeps the old one's attributes and security, and MoveFileExW makes
  // the first. A read-only file is not replaced.
  SettingsFileWrite Replace(std::string_view bytes) override;

 private:
  // The file the path names, followed through a link; the path itself when there is no file.
  std::wstring Target() const;

  std::wstring path_;
  OwnedFile lock_;
};

}  // namespace vfx::platform::win32
