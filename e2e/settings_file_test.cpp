// vontrafx.ini shared by copies of the add-on in processes of their own, as a user runs two: each
// copy saving its own colours at the same moment, a copy killed in the middle of a save, and a
// file that is a link to the one the user keeps.
#include "platform/win32/settings_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "e2e/support/child_process.h"
#include "e2e/support/host_process.h"
#include "e2e/support/unix_program.h"
#include "platform/win32/text.h"
#include "settings/store.h"

namespace vfx::e2e {
namespace {

using platform::win32::Narrow;
using platform::win32::Win32SettingsFile;

// The child's orders: "<what>|<file>|<name>|<event>".
constexpr char kChildVariable[] = "VFX_SETTINGS_CHILD";

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t bar; (bar = text.find('|', start)) != std::string::npos; start = bar + 1)
    parts.push_back(text.substr(start, bar - start));
  parts.push_back(text.substr(start));
  return parts;
}

// The program itself, started again: a copy of the add-on that saves, once at a signal ("save")
// or over and over until it is killed ("loop").
TEST(SavingCopy, SavesAsItIsTold) {
  const char* orders = std::getenv(kChildVariable);
  if (!orders) GTEST_SKIP() << "only as a child of the tests below";
  const std::vector<std::string> parts = Split(orders);
  ASSERT_EQ(parts.size(), 4u);
  Win32SettingsFile file(platform::win32::Widen(parts[1]));
  settings::Store store(file);
  const HANDLE go = OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, parts[3].c_str());
  ASSERT_NE(go, nullptr);
  if (parts[0] == "save") {
    ASSERT_EQ(WaitForSingleObject(go, 30000), WAIT_OBJECT_0);
    const settings::Outcome saved = store.Save({parts[2], {{1, 2, 3}}});
    ASSERT_TRUE(saved.done()) << static_cast<int>(saved.problem) << " " << saved.detail;
  } else {
    SetEvent(go);  // under way
    for (int n = 0;; ++n)
      store.Save({parts[2], std::vector<fade::Rgb>(1 + n % 10, fade::Rgb{n % 256, 0, 0})});
  }
  CloseHandle(go);
}

// The Unix name Wine gives a Windows path; empty on Windows itself.
std::string UnixName(const std::wstring& path) {
  using Mapper = char*(__cdecl*)(const wchar_t*);
  const auto map = reinterpret_cast<Mapper>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!map) return {};
  char* name = map(path.c_str());
  const std::string unix = name ? name : "";
  if (name) HeapFree(GetProcessHeap(), 0, name);
  return unix;
}

class SharedFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    root_ = std::wstring(temp) + L"vfx-shared-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount());
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
    path_ = root_ + L"\\vontrafx.ini";
  }
  void TearDown() override {
    // Under Wine a Unix link is seen through, and deleting it deletes its file: the shell
    // clears the folder.
    if (const std::string unix = UnixName(root_); !unix.empty()) {
      RunUnixProgram("rm -rf '" + unix + "'", 10);
      return;
    }
    for (const std::wstring& name : Names()) DeleteFileW((root_ + L"\\" + name).c_str());
    RemoveDirectoryW(root_.c_str());
  }

  std::set<std::wstring> Names() const {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((root_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }

  // A copy of the add-on, in a process of its own.
  ChildProcess StartCopy(const std::string& what, const std::string& name,
                         const std::string& event) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string orders = what + "|" + Narrow(path_) + "|" + name + "|" + event;
    SetEnvironmentVariableA(kChildVariable, orders.c_str());
    ChildProcess child = StartProgram("\"" + std::string(self) + "\" --gtest_filter=SavingCopy.*");
    SetEnvironmentVariableA(kChildVariable, nullptr);
    return child;
  }

  std::vector<settings::Scheme> Schemes() {
    Win32SettingsFile file(path_);
    settings::Store store(file);
    store.Load();
    EXPECT_TRUE(store.readable());
    return store.schemes();
  }

  std::wstring root_, path_;
};

TEST_F(SharedFileTest, TwoCopiesSavingAtTheSameMomentKeepEachOthersColours) {
  constexpr int kRounds = 6;
  std::set<std::string> saved;
  for (int round = 0; round < kRounds; ++round) {
    const std::string event =
        "vfx-go-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(round);
    const HANDLE go = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
    std::vector<ChildProcess> copies;
    for (const char* who : {"A", "B"}) {
      const std::string name = "Round " + std::to_string(round) + who;
      copies.push_back(StartCopy("save", name, event));
      saved.insert(name);
    }
    Sleep(300);  // both started and waiting
    SetEvent(go);
    for (const ChildProcess& copy : copies) {
      ASSERT_TRUE(copy.WaitForExit(60));
      EXPECT_EQ(copy.ExitCode(), 0u) << "a copy did not save";
    }
    CloseHandle(go);
  }
  std::set<std::string> kept;
  for (const settings::Scheme& scheme : Schemes()) kept.insert(scheme.name);
  EXPECT_EQ(kept, saved);
  EXPECT_EQ(Names(), std::set<std::wstring>{L"vontrafx.ini"});
}

TEST_F(SharedFileTest, ACopyKilledInTheMiddleOfASaveLeavesAWholeFileAndNothingAfterTheNextSave) {
  std::mt19937 random(GetCurrentProcessId());
  {
    Win32SettingsFile file(path_);
    ASSERT_TRUE(settings::Store(file).Save({"Looping", {{0, 0, 0}}}).done());
  }
  for (int round = 0; round < 5; ++round) {
    const std::string event =
        "vfx-loop-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(round);
    const HANDLE started = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
    ChildProcess copy = StartCopy("loop", "Looping", event);
    ASSERT_EQ(WaitForSingleObject(started, 30000), WAIT_OBJECT_0);
    Sleep(50 + random() % 400);
    ASSERT_TRUE(copy.Terminate());
    CloseHandle(started);

    // Whole: the old file or the new, read as the add-on reads it, with its one set.
    const std::vector<settings::Scheme> schemes = Schemes();
    ASSERT_EQ(schemes.size(), 1u) << "round " << round;
    EXPECT_EQ(schemes[0].name, "Looping");
  }
  Win32SettingsFile file(path_);
  settings::Store store(file);
  ASSERT_TRUE(store.Save({"After", {{9, 9, 9}}}).done());
  EXPECT_EQ(Names(), std::set<std::wstring>{L"vontrafx.ini"});
  EXPECT_EQ(Schemes().size(), 2u);
}

TEST_F(SharedFileTest, ALinkIsFollowedAndTheFileItLeadsToIsReplaced) {
  const std::wstring kept = root_ + L"\\kept.ini";
  {
    Win32SettingsFile file(kept);
    ASSERT_TRUE(settings::Store(file).Save({"Old", {{1, 1, 1}}}).done());
  }
  // Under Wine a link is a Unix one, which Windows programs see through; on Windows, the
  // system's own.
  const std::string unixLink = UnixName(path_), unixKept = UnixName(kept);
  if (!unixLink.empty()) {
    ASSERT_EQ(RunUnixProgram("ln -s '" + unixKept + "' '" + unixLink + "'", 10).status, 0);
  } else if (!CreateSymbolicLinkW(path_.c_str(), kept.c_str(), 0)) {
    GTEST_SKIP() << "this account may not make symbolic links";
  }
  Win32SettingsFile file(path_);
  settings::Store store(file);
  ASSERT_TRUE(store.Save({"New", {{2, 2, 2}}}).done());
  if (!unixLink.empty()) {
    EXPECT_EQ(RunUnixProgram("test -L '" + unixLink + "'", 10).status, 0) << "no longer a link";
  } else {
    EXPECT_TRUE(GetFileAttributesW(path_.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
  }
  Win32SettingsFile target(kept);
  settings::Store read(target);
  read.Load();
  EXPECT_EQ(read.schemes().size(), 2u);
  EXPECT_EQ(Names(), (std::set<std::wstring>{L"kept.ini", L"vontrafx.ini"}));
}

}  // namespace
}  // namespace vfx::e2e
