// The add-on's life cycle end to end: vontrafx.exe from its splash to its end, against
// substitute-host.exe, asserted on what the host received and on the add-on's real windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "assets/resource_ids.h"
#include "composer/compose.h"
#include "e2e/support/addon_process.h"
#include "e2e/support/host_process.h"
#include "e2e/support/host_windows.h"
#include "e2e/support/journey.h"
#include "platform/win32/text.h"
#include "ui/announcements.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace vfx::e2e {
namespace {

namespace ids = ui::ids;
namespace ann = ui::announcements;

// The colour a faded line ends on: its last colour tag.
std::string LastColour(const std::string& line) {
  const std::size_t at = line.rfind("<FONT COLOR=#");
  return at == std::string::npos ? std::string() : line.substr(at + 13, 6);
}

fade::Rgb ParseColour(const std::string& hex) {
  const auto component = [&](int i) { return std::stoi(hex.substr(2 * i, 2), nullptr, 16); };
  return hex.size() == 6 ? fade::Rgb{component(0), component(1), component(2)} : fade::Rgb{};
}

// How many of a grid of points on the window are not black: the splash picture is mostly black
// with bright letters.
int LitPoints(HWND window) {
  RECT place;
  GetWindowRect(window, &place);
  HDC screen = GetDC(nullptr);
  int lit = 0;
  for (int y = place.top + 4; y < place.bottom; y += 4)
    for (int x = place.left + 4; x < place.right; x += 4) {
      const COLORREF pixel = GetPixel(screen, x, y);
      if (pixel != CLR_INVALID && (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel)) > 150)
        ++lit;
    }
  ReleaseDC(nullptr, screen);
  return lit;
}

class LifeCycleJourney : public Journey {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Journey::SetUp());
    ASSERT_NO_FATAL_FAILURE(StartHost());
    member_ = host_->Events("ready").at(0).Field("member");
  }

  // Started and past its splash, with the start-up lines behind us.
  void StartPastTheSplash() {
    ASSERT_NO_FATAL_FAILURE(StartAddOn());
    ASSERT_TRUE(host_->WaitForEvents("chat", 3));
    chatsBefore_ = Chats().size();
  }

  std::vector<LogEvent> Chats() const { return host_->Events("chat"); }

  std::string member_;
};

TEST_F(LifeCycleJourney, TheSplashClickAnnouncesThreeLinesThenShowsTheMainWindowOnTop) {
  addOn_ = std::make_unique<AddOnProcess>(AddOnProcess::Options{.passSplash = false});
  ASSERT_TRUE(WaitUntil([&] { return addOn_->Splash() != nullptr; }, 30)) << "no splash";
  HWND splash = addOn_->Splash();
  EXPECT_EQ(GetWindowLongW(splash, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_NE(GetWindowLongW(splash, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  // The splash waits for its click: nothing is said in the room.
  Sleep(500);
  EXPECT_TRUE(Chats().empty());

  const double clicked = Seconds();
  ASSERT_TRUE(addOn_->ClickSplash());
  ASSERT_TRUE(host_->WaitForEvents("chat", 1));
  EXPECT_EQ(addOn_->window(), nullptr);
  HWND main = nullptr;
  std::size_t chatsWhenShown = 0;
  ASSERT_TRUE(WaitUntil(
      [&] {
        main = addOn_->WaitForMainWindow(0);
        if (main) chatsWhenShown = Chats().size();
        return main != nullptr;
      },
      20));
  const double shown = Seconds();
  EXPECT_EQ(chatsWhenShown, 3u) << "the window showed before the start-up lines were sent";
  EXPECT_GE(shown - clicked, 0.5);
  std::printf("splash click to main window shown: %.3f s\n", shown - clicked);

  Sleep(300);
  const std::vector<LogEvent> chats = Chats();
  ASSERT_EQ(chats.size(), 3u);
  EXPECT_EQ(chats[0].Bytes("text"), "<HTML> <HTML>");
  const std::string first = chats[1].Bytes("text"), second = chats[2].Bytes("text");
  const std::string colour = LastColour(first);
  EXPECT_EQ(LastColour(second), colour) << "both lines fade towards one colour";
  EXPECT_EQ(first, Ansi(ann::StartupFirstLine(ParseColour(colour))));
  EXPECT_EQ(second, Ansi(ann::StartupSecondLine(ParseColour(colour)) + member_));
  EXPECT_TRUE(second.ends_with(std::string(ann::kNameFontTag) + member_));

  EXPECT_EQ(addOn_->Caption(), "Vontra FX - 3 Colors");
  EXPECT_TRUE(addOn_->IsTicked(ids::kOnTop));
  EXPECT_NE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(WaitUntil([&] { return addOn_->Splash() == nullptr; }, 5)) << "the splash stayed";
}

TEST_F(LifeCycleJourney, TheProgramCarriesItsPicturesAndVersionAndCentresItsSplash) {
  const std::string exe = VontraFxPath();
  DWORD ignored = 0;
  std::vector<char> version(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
  ASSERT_FALSE(version.empty()) << "no version information in " << exe;
  ASSERT_TRUE(
      GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
  char* name = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(version.data(), "\\StringFileInfo\\040904B0\\ProductName",
                             reinterpret_cast<void**>(&name), &length));
  EXPECT_STREQ(name, "Vontra FX");

  addOn_ = std::make_unique<AddOnProcess>(AddOnProcess::Options{.passSplash = false});
  ASSERT_TRUE(WaitUntil([&] { return addOn_->Splash() != nullptr; }, 30)) << "no splash";
  HWND splash = addOn_->Splash();
  RECT place;
  GetWindowRect(splash, &place);
  // 6504 x 3444 twips at the screen's dots per inch, centred.
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  EXPECT_NEAR(place.right - place.left, 6504 * dpi / 1440.0, 1.0);
  EXPECT_NEAR(place.bottom - place.top, 3444 * dpi / 1440.0, 1.0);
  EXPECT_NEAR((place.left + place.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1.0);
  // The picture is drawn: bright letters on black.
  EXPECT_TRUE(WaitUntil([&] { return LitPoints(splash) > 100; }, 5));

  // The window icon and Image1's picture are icon resources; the splash picture a bitmap.
  HMODULE program = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  EXPECT_NE(FindResourceA(program, MAKEINTRESOURCEA(assets::kAppIcon), RT_GROUP_ICON), nullptr);
  EXPECT_NE(FindResourceA(program, MAKEINTRESOURCEA(assets::kImage1Icon), RT_GROUP_ICON), nullptr);
  EXPECT_NE(FindResourceA(program, MAKEINTRESOURCEA(assets::kSplashBitmap), RT_BITMAP), nullptr);
  FreeLibrary(program);
}

TEST_F(LifeCycleJourney, AdvertiseSendsTwoLinesTowardsOneColourWithoutAPause) {
  ASSERT_NO_FATAL_FAILURE(StartPastTheSplash());
  addOn_->Press(ids::kAdvertise);
  ASSERT_TRUE(WaitForNewChats(2));
  Sleep(300);
  const std::vector<LogEvent> chats = NewChats();
  ASSERT_EQ(chats.size(), 2u);
  const std::string colour = LastColour(chats[0].Bytes("text"));
  EXPECT_EQ(LastColour(chats[1].Bytes("text")), colour);
  const auto expected = ann::AdvertiseLines(ParseColour(colour));
  EXPECT_EQ(chats[0].Bytes("text"), Ansi(expected[0]));
  EXPECT_EQ(chats[1].Bytes("text"), Ansi(expected[1]));
  EXPECT_LT(chats[1].time - chats[0].time, 0.2);
}

TEST_F(LifeCycleJourney, SelfTestShowsItsSixCaptionsInOrderAndSendsTheSampleFaded) {
  ASSERT_NO_FATAL_FAILURE(StartPastTheSplash());
  const std::string before = addOn_->Caption();
  const double pressed = Seconds();
  addOn_->Press(ids::kSelfTest);
  std::vector<std::string> shown;
  ASSERT_TRUE(WaitUntil(
      [&] {
        const std::string caption = addOn_->Caption();
        if (shown.empty() ? caption != before : shown.back() != caption) shown.push_back(caption);
        return caption == "Vontra FX";
      },
      40));
  const double finished = Seconds();
  EXPECT_EQ(shown,
            std::vector<std::string>(ui::kSelfTestCaptions.begin(), ui::kSelfTestCaptions.end()));
  EXPECT_GE(finished - pressed, 12.0);

  ASSERT_TRUE(WaitForNewChats(1));
  const std::vector<LogEvent> chats = NewChats();
  ASSERT_EQ(chats.size(), 1u);
  std::array<fade::Rgb, 10> colours;
  for (int k = 1; k <= 10; ++k) colours[k - 1] = addOn_->Colour(k);
  const std::string text = chats[0].Bytes("text");
  EXPECT_TRUE(text.starts_with("<B><I><FONT COLOR=#"));
  EXPECT_EQ(text, Ansi("<B><I>" + composer::ComposeBody(ui::kSelfTestSample, 3, colours, false)));
  EXPECT_EQ(addOn_->Text(ids::kMessageBox), "");
  for (const ids::CheckRole box : {ids::kBold, ids::kItalics, ids::kClearText})
    EXPECT_TRUE(addOn_->IsTicked(box)) << "Check" << box.number;
  for (const ids::CheckRole box : {ids::kUnderline, ids::kStrike, ids::kWavy, ids::kRandom})
    EXPECT_FALSE(addOn_->IsTicked(box)) << "Check" << box.number;
}

TEST_F(LifeCycleJourney, ExitSendsExactlyTwoLinesThenTheProcessEnds) {
  ASSERT_NO_FATAL_FAILURE(StartPastTheSplash());
  addOn_->Press(ids::kExit);
  ASSERT_TRUE(addOn_->WaitForExit(5)) << "the add-on is still running";
  EXPECT_EQ(addOn_->ExitCode(), 0u);
  const std::vector<LogEvent> chats = NewChats();
  ASSERT_EQ(chats.size(), 2u);
  const std::string colour = LastColour(chats[0].Bytes("text"));
  EXPECT_EQ(LastColour(chats[1].Bytes("text")), colour);
  EXPECT_EQ(chats[0].Bytes("text"), Ansi(ann::ExitFirstLine(ParseColour(colour))));
  EXPECT_EQ(chats[1].Bytes("text"), Ansi(ann::ExitSecondLine(ParseColour(colour)) + member_));
  EXPECT_GE(chats[1].time - chats[0].time, 0.3);
}

TEST_F(LifeCycleJourney, ClosingTheWindowEndsTheProcessWithoutALine) {
  ASSERT_NO_FATAL_FAILURE(StartPastTheSplash());
  const std::size_t eventsBefore = host_->Events().size();
  addOn_->Close();
  ASSERT_TRUE(addOn_->WaitForExit(5)) << "the add-on is still running";
  EXPECT_EQ(addOn_->ExitCode(), 0u);
  Sleep(200);
  EXPECT_EQ(host_->Events().size(), eventsBefore);
}

TEST_F(LifeCycleJourney, ExitDuringTheSelfTestIsTheLastTheHostHearsAndTheProcessEndsAtOnce) {
  ASSERT_NO_FATAL_FAILURE(StartPastTheSplash());
  addOn_->Press(ids::kSelfTest);
  // In the middle of the script's three-second pause.
  ASSERT_TRUE(WaitUntil([&] { return addOn_->Caption() == ui::kSelfTestCaptions[1]; }, 10));
  Sleep(500);
  addOn_->Press(ids::kExit);
  ASSERT_TRUE(WaitForNewChats(2));
  const double lastLine = Seconds();
  ASSERT_TRUE(addOn_->WaitForExit(5)) << "the add-on is still running";
  const double ended = Seconds();
  EXPECT_LT(ended - lastLine, 1.0);
  std::printf("the last exit line to the end of the process: %.3f s\n", ended - lastLine);

  Sleep(500);
  const std::vector<LogEvent> chats = NewChats();
  ASSERT_EQ(chats.size(), 2u);
  EXPECT_TRUE(chats[1].Bytes("text").ends_with(member_));
  // Nothing came after the exit lines.
  const std::vector<LogEvent> events = host_->Events();
  EXPECT_EQ(events.back().kind, "chat");
  EXPECT_EQ(events.back().Bytes("text"), chats[1].Bytes("text"));
}

}  // namespace
}  // namespace vfx::e2e
