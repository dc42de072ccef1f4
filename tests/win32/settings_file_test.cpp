// vontrafx.ini on a real disk, in a folder of the test's own: the first save makes the folder,
// a replace leaves no new file behind, and what cannot be replaced keeps its old bytes.
#include "platform/win32/settings_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "platform/win32/handles.h"
#include "settings/store.h"

namespace vfx::platform::win32 {
namespace {

using Kind = SettingsFileRead::Kind;

class Win32SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    root = std::wstring(temp) + L"vfx-settings-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
    folder = root + L"\\Vontra FX";
    path = folder + L"\\vontrafx.ini";
  }
  void TearDown() override { RemoveAll(root); }

  static void RemoveAll(const std::wstring& at) {
    for (const std::wstring& name : Names(at)) {
      const std::wstring inside = at + L"\\" + name;
      if (GetFileAttributesW(inside.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveAll(inside);
      } else {
        DeleteFileW(inside.c_str());
      }
    }
    RemoveDirectoryW(at.c_str());
  }
  static std::set<std::wstring> Names(const std::wstring& at) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((at + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.insert(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }
  static void Put(const std::wstring& at, const std::string& bytes) {
    const OwnedFile file = OpenFile(at.c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_TRUE(file);
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  }

  std::wstring root, folder, path;
};

const settings::Scheme kSunset{"Sunset \xC3\xBC", {{255, 128, 0}, {0, 0, 1}}};

TEST_F(Win32SettingsFileTest, TheFirstSaveMakesTheFolderAndAReplaceLeavesNoNewFileBehind) {
  Win32SettingsFile file(path);
  EXPECT_EQ(file.Read().kind, Kind::kMissing);
  settings::Store store(file);
  ASSERT_TRUE(store.Save(kSunset).done()) << store.Save(kSunset).detail;
  const std::string first =
      "[Saved Colours]\r\nName=Sunset \xC3\xBC\r\nCount=2\r\nBlend=Straight\r\n"
      "Colours=FF8000 000001\r\n";
  EXPECT_EQ(file.Read().bytes, first);

  ASSERT_TRUE(store.Save(settings::Scheme{"Sea", {{0, 0, 255}}}).done());
  const SettingsFileRead read = file.Read();
  EXPECT_EQ(read.kind, Kind::kRead);
  EXPECT_TRUE(read.bytes.starts_with(first));
  EXPECT_EQ(Names(folder), std::set<std::wstring>{L"vontrafx.ini"});
  EXPECT_TRUE(file.Location().ends_with("\\Vontra FX\\vontrafx.ini"));
}

TEST_F(Win32SettingsFileTest, AFolderInTheFilesPlaceIsReportedAndLeft) {
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
  Put(path + L"\\inside.txt", "mine");
  Win32SettingsFile file(path);
  settings::Store store(file);
  const settings::Outcome outcome = store.Save(kSunset);
  EXPECT_EQ(outcome.problem, settings::Problem::kFolder);
  EXPECT_EQ(Names(folder), std::set<std::wstring>{L"vontrafx.ini"});
  EXPECT_EQ(Names(path), std::set<std::wstring>{L"inside.txt"});
  // Nor does the seam itself put a file over it.
  EXPECT_FALSE(file.Replace("x").done());
  EXPECT_EQ(Names(folder), std::set<std::wstring>{L"vontrafx.ini"});
}

TEST_F(Win32SettingsFileTest, AFileThatCannotBeReplacedKeepsItsOldBytes) {
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::string old = "; old\r\n";
  Put(path, old);
  Win32SettingsFile file(path);
  {
    // Open without FILE_SHARE_DELETE: nothing may rename over it meanwhile.
    const OwnedFile holder = OpenFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    ASSERT_TRUE(holder);
    const SettingsFileWrite replaced = file.Replace("; new\r\n");
    EXPECT_FALSE(replaced.done());
    EXPECT_FALSE(replaced.detail.empty());
  }
  EXPECT_EQ(file.Read().bytes, old);
  EXPECT_EQ(Names(folder), std::set<std::wstring>{L"vontrafx.ini"});

  Put(path, std::string(kSettingsFileMaxBytes + 1, ';'));
  EXPECT_EQ(file.Read().kind, Kind::kTooLarge);
}

TEST_F(Win32SettingsFileTest, AReadOnlyFileIsLeftAsItIsAndAReplaceKeepsTheFilesAttributes) {
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  Put(path, "; mine\r\n");
  Win32SettingsFile file(path);
  settings::Store store(file);
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(store.Save(kSunset).problem, settings::Problem::kReadOnly);
  EXPECT_EQ(file.Read().bytes, "; mine\r\n");
  EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);

  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
  const settings::Outcome saved = store.Save(kSunset);
  ASSERT_TRUE(saved.done()) << static_cast<int>(saved.problem) << " " << saved.detail;
  EXPECT_TRUE(file.Read().bytes.starts_with("; mine\r\n\r\n[Saved Colours]"));
  EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Names(folder), std::set<std::wstring>{L"vontrafx.ini"});
}

TEST_F(Win32SettingsFileTest, TheLockKeepsASecondCopyOutAndWhatAKilledSaveLeftIsCleared) {
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  Win32SettingsFile first(path), second(path);
  ASSERT_TRUE(first.Lock().done());
  EXPECT_EQ(second.Lock().kind, SettingsFileWrite::Kind::kBusy);
  first.Unlock();
  EXPECT_EQ(Names(folder), std::set<std::wstring>{});  // the lock file goes with its handle

  // A save killed after its new file was written, and one killed inside the replace, with the
  // old file moved aside under the backup's name: the old file comes back, the rest goes.
  Put(path + L".12-345-1.tmp", "; half a new file");
  Put(path + L".12-345-2.bak", "; the old file\r\n");
  EXPECT_EQ(second.Read().bytes, "; the old file\r\n");  // before the next save, too
  ASSERT_TRUE(second.Lock().done());
  second.Unlock();
  EXPECT_EQ(Names(folder), std::set<std::wstring>{L"vontrafx.ini"});
  EXPECT_EQ(second.Read().bytes, "; the old file\r\n");
}

TEST_F(Win32SettingsFileTest, TheFileBesideTheProgramIsUsedOnlyWhenItIsThere) {
  const std::wstring program = root + L"\\program";
  ASSERT_TRUE(CreateDirectoryW(program.c_str(), nullptr));
  EXPECT_EQ(SettingsFilePathFor(program, L"C:\\Users\\Ann\\AppData\\Roaming\\"),
            L"C:\\Users\\Ann\\AppData\\Roaming\\Vontra FX\\vontrafx.ini");
  EXPECT_EQ(SettingsFilePathFor(program, L""), L"");
  EXPECT_EQ(SettingsFilePathFor(program, L"relative"), L"");
  Put(program + L"\\vontrafx.ini", "");
  EXPECT_EQ(SettingsFilePathFor(program, L"C:\\Roaming"), program + L"\\vontrafx.ini");

  Win32SettingsFile nowhere(L"");
  EXPECT_EQ(nowhere.Read().kind, Kind::kMissing);
  EXPECT_FALSE(nowhere.Replace("x").done());
  // Wine sets APPDATA, and nothing is beside the test program.
  EXPECT_TRUE(SettingsFilePath().ends_with(L"\\Vontra FX\\vontrafx.ini"));
}

}  // namespace
}  // namespace vfx::platform::win32
