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
  // The new file is "vontrafx.ini.<unique>.tmp" beside the old, made with CREATE_NEW, flushed
  // with FlushFileBuffers and moved over the old one by MoveFileExW (MOVEFILE_REPLACE_EXISTING
  // | MOVEFILE_WRITE_THROUGH): a rename, so readers see the old file or the new, never a part.
  // A read-only file, or one that another program holds open without sharing its deletion, is
  // not replaced.
  SettingsFileReplace Replace(std::string_view bytes) override;

 private:
  std::wstring path_;
};

}  // namespace vfx::platform::win32
