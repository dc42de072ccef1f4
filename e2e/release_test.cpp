// The release as a user gets it: vontrafx.exe started from the folder its zip was unpacked into,
// beside substitute-host.exe. scripts/check-release builds the zip, checks its checksum, unpacks
// it into a fresh Wine prefix and runs this program there with
//   VFX_RELEASE_FOLDER   the unpacked folder, as Windows names it
//   VFX_RELEASE_VERSION  the version the zip is named after
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/support/addon_process.h"
#include "e2e/support/host_process.h"
#include "ui/control_ids.h"

namespace vfx::e2e {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// One string of the program's version resource (US English, Unicode); empty when missing.
std::string VersionString(const std::string& program, const std::string& name) {
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(program.c_str(), &ignored));
  if (block.empty() ||
      !GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
    return "";
  char* value = nullptr;
  UINT length = 0;
  const std::string key = "\\StringFileInfo\\040904B0\\" + name;
  if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
    return "";
  return value;
}

std::size_t ColourTags(const std::string& line) {
  std::size_t count = 0;
  for (std::size_t at = line.find("<FONT COLOR=#"); at != std::string::npos;
       at = line.find("<FONT COLOR=#", at + 1))
    ++count;
  return count;
}

TEST(Release, StartsFromItsFolderAnnouncesItselfInTheRoomAndExits) {
  const std::string folder = Environment("VFX_RELEASE_FOLDER");
  if (folder.empty()) GTEST_SKIP() << "VFX_RELEASE_FOLDER names no unpacked release";
  const std::string program = folder + "\\vontrafx.exe";

  // Explorer's Details tab: the version the zip is named after, and whose program it is.
  const std::string version = Environment("VFX_RELEASE_VERSION");
  EXPECT_FALSE(version.empty());
  EXPECT_EQ(VersionString(program, "ProductVersion"), version);
  EXPECT_EQ(VersionString(program, "FileVersion"), version);
  EXPECT_EQ(VersionString(program, "ProductName"), "Vontra FX");
  EXPECT_EQ(VersionString(program, "LegalCopyright"), "Copyright (c) The Vontra FX authors");
  EXPECT_EQ(VersionString(program, "OriginalFilename"), "vontrafx.exe");

  HostProcess host;
  ASSERT_TRUE(host.ready()) << "the host did not start";
  const std::string member = host.Events("ready").at(0).Field("member");

  AddOnProcess addOn({.passSplash = false, .path = program});
  ASSERT_TRUE(WaitUntil([&] { return addOn.Splash() != nullptr; }, 30)) << "no splash";
  ASSERT_TRUE(addOn.ClickSplash());
  ASSERT_NE(addOn.WaitForMainWindow(30), nullptr) << "the main window did not show";
  ASSERT_TRUE(host.WaitForEvents("chat", 3)) << "the start-up lines did not reach the room";

  const std::vector<LogEvent> startUp = host.Events("chat");
  ASSERT_EQ(startUp.size(), 3u);
  EXPECT_EQ(startUp[0].Bytes("text"), "<HTML> <HTML>");
  // "«(v^v•••Vontra ƒX ßy: Zarnok": 28 characters, each in its own colour.
  EXPECT_EQ(ColourTags(startUp[1].Bytes("text")), 28u);
  EXPECT_TRUE(startUp[2].Bytes("text").ends_with(member)) << "the member's name is missing";
  EXPECT_EQ(addOn.Caption(), "Vontra FX - 3 Colors");

  addOn.Press(ui::ids::kExit);  // Exit
  ASSERT_TRUE(addOn.WaitForExit(10)) << "Exit did not end the program";
  EXPECT_EQ(addOn.ExitCode(), 0u);
  EXPECT_TRUE(host.WaitForEvents("chat", 5)) << "Exit says goodbye in two lines";
  EXPECT_EQ(host.Events("chat").size(), 5u);
}

}  // namespace
}  // namespace vfx::e2e
