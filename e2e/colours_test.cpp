// The colour panel's menu through the real vontrafx.exe, with real key events (xdotool): a
// preset and a blend chosen from the keyboard arrive in the room as composed; the menu opens on
// a right-click on a swatch too; colours saved by the keyboard come back after the add-on was
// ended and started again; a damaged file is never written; and Copy As, from the message box's
// menu, puts the line on the clipboard in both its formats, or says that another program holds
// the clipboard.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <fstream>
#include <iterator>
#include <string>

#include "composer/compose.h"
#include "e2e/support/journey.h"
#include "formats/format.h"
#include "platform/clipboard.h"
#include "platform/win32/text.h"
#include "ui/control_ids.h"

namespace vfx::e2e {
namespace {

namespace ids = ui::ids;

// The preset "Kingfisher", as the add-on's menu names it: three colours, meant for Vivid.
constexpr std::array<fade::Rgb, 3> kKingfisher = {{{0, 80, 160}, {0, 200, 210}, {255, 120, 20}}};

// A folder of the test's own for the add-on's file, through APPDATA, which the add-on reads at
// start; the old value comes back when the test ends.
class OwnAppData {
 public:
  OwnAppData() {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "vfx-appdata-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    char old[MAX_PATH] = "";
    if (GetEnvironmentVariableA("APPDATA", old, MAX_PATH) > 0) old_ = old;
    SetEnvironmentVariableA("APPDATA", folder_.c_str());
  }
  ~OwnAppData() {
    SetEnvironmentVariableA("APPDATA", old_.empty() ? nullptr : old_.c_str());
    DeleteFileA(File().c_str());
    RemoveDirectoryA((folder_ + "\\Vontra FX").c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  OwnAppData(const OwnAppData&) = delete;
  OwnAppData& operator=(const OwnAppData&) = delete;

  std::string File() const { return folder_ + "\\Vontra FX\\vontrafx.ini"; }
  std::string Read() const {
    std::ifstream in(File(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void Write(const std::string& bytes) const {
    CreateDirectoryA((folder_ + "\\Vontra FX").c_str(), nullptr);
    std::ofstream(File(), std::ios::binary) << bytes;
  }

 private:
  std::string folder_, old_;
};

class ColoursJourney : public Journey {
 protected:
  // The keyboard focus into the panel, onto colour 1's red bar, as a click there would put it.
  void FocusThePanel() {
    const HWND bar = addOn().Control(ids::HScrollId(3));
    SendMessageW(addOn().window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(bar), TRUE);
    ASSERT_TRUE(WaitUntil([&] { return Focus() == bar; }, 5)) << "the bar has no focus";
  }
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(addOn().window(), nullptr), &info);
    return info.hwndFocus;
  }
  // The add-on's open pop-up menu, if one is up.
  HWND OpenMenu() const {
    for (HWND menu = FindWindowA("#32768", nullptr); menu;
         menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(menu, &owner);
      if (owner == addOn().process_id() && IsWindowVisible(menu)) return menu;
    }
    return nullptr;
  }
  bool ColoursAre(const std::array<fade::Rgb, 3>& colours) const {
    for (int k = 1; k <= 3; ++k) {
      const fade::Rgb shown = addOn().Colour(k);
      const fade::Rgb wanted = colours[k - 1];
      if (shown.red != wanted.red || shown.green != wanted.green || shown.blue != wanted.blue)
        return false;
    }
    return true;
  }
  std::string Composed(const std::string& line, const std::array<fade::Rgb, 3>& three,
                       fade::Blend blend) const {
    std::array<fade::Rgb, 10> colours{};
    for (int k = 0; k < 3; ++k) colours[k] = three[k];
    return composer::StylePrefix(StylesOnTheWindow()) +
           composer::ComposeBody(line, 3, colours, false, blend);
  }
};

TEST_F(ColoursJourney, APresetAndABlendChosenByTheKeyboardArriveAsComposed) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(FocusThePanel());
  // Presets, then Kingfisher by their access keys; then Even Blend over its Vivid.
  Keys("key shift+F10 sleep 1 key p sleep 0.5 key k");
  ASSERT_TRUE(WaitUntil([&] { return ColoursAre(kKingfisher); }, 5));
  EXPECT_EQ(addOn().SelectedColourCount(), 3);
  Keys("key shift+F10 sleep 1 key e");
  ASSERT_TRUE(WaitUntil([&] { return OpenMenu() == nullptr; }, 5));

  const std::string line = "Kingfisher, evenly";
  ASSERT_NO_FATAL_FAILURE(Type(line));
  addOn().Press(ids::kSend);
  ASSERT_TRUE(WaitForNewChats(1));
  EXPECT_TRUE(SameBytes(NewChats().back().Bytes("text"),
                        Ansi(Composed(line, kKingfisher, fade::Blend::kEven))));
  EXPECT_FALSE(SameBytes(NewChats().back().Bytes("text"),
                         Ansi(Composed(line, kKingfisher, fade::Blend::kStraight))));

  // The same menu at a right-click on colour 2's swatch; Escape closes it, choosing nothing.
  RECT swatch;
  GetWindowRect(addOn().Control(ids::PictureId(2)), &swatch);
  Keys("mousemove " + std::to_string((swatch.left + swatch.right) / 2) + " " +
       std::to_string((swatch.top + swatch.bottom) / 2) + " click 3");
  ASSERT_TRUE(WaitUntil([&] { return OpenMenu() != nullptr; }, 5)) << "no menu at the swatch";
  Keys("key Escape");
  EXPECT_TRUE(WaitUntil([&] { return OpenMenu() == nullptr; }, 5));
  EXPECT_TRUE(ColoursAre(kKingfisher));
}

TEST_F(ColoursJourney, ColoursSavedByTheKeyboardComeBackAfterARestartAndADamagedFileIsKept) {
  const OwnAppData appData;
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::array<fade::Rgb, 3> mine = {{{12, 34, 56}, {78, 90, 123}, {210, 180, 150}}};
  for (int k = 1; k <= 3; ++k) ASSERT_TRUE(addOn().SetColour(k, mine[k - 1]));
  ASSERT_NO_FATAL_FAILURE(FocusThePanel());
  // Save Colours As…: a name typed into its dialog, Enter saves.
  Keys("key shift+F10 sleep 1 key a sleep 1 type --delay 20 'Late Tea'");
  KeysToTheFocus("key Return");
  ASSERT_TRUE(
      WaitUntil([&] { return appData.Read().find("Name=Late Tea") != std::string::npos; }, 5))
      << appData.Read();

  // Ended and started again, the add-on begins from its usual start; the saved colours are one
  // choice away: Saved Colours, its first name.
  addOn().Press(ids::kExit);
  ASSERT_TRUE(addOn().WaitForExit(10));
  ASSERT_NO_FATAL_FAILURE(StartAddOn());
  EXPECT_FALSE(ColoursAre(mine));
  ASSERT_NO_FATAL_FAILURE(FocusThePanel());
  Keys("key shift+F10 sleep 1 key c sleep 0.5 key Return");
  EXPECT_TRUE(WaitUntil([&] { return ColoursAre(mine); }, 5));

  // A file that is not UTF-8 text: the add-on reads it, offers nothing of it, saves nothing
  // over it and says why.
  const std::string damaged = std::string("\xFF\xFE[\0S\0a\0v\0", 10);
  appData.Write(damaged);
  Keys("key shift+F10 sleep 1 key a sleep 1 type --delay 20 'Other'");
  KeysToTheFocus("key Return");
  EXPECT_TRUE(WaitForStatus("Not saved: vontrafx.ini is not UTF-8 text"));
  EXPECT_EQ(appData.Read(), damaged);
}

// What the clipboard holds in a format, as a program that pastes reads it.
std::string ClipboardBytes(UINT format) {
  std::string bytes;
  if (!OpenClipboard(nullptr)) return "(the clipboard would not open)";
  if (HANDLE data = GetClipboardData(format)) {
    if (format == CF_UNICODETEXT) {
      bytes = platform::win32::Narrow(static_cast<const wchar_t*>(GlobalLock(data)));
    } else {
      bytes = static_cast<const char*>(GlobalLock(data));
    }
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes;
}

TEST_F(ColoursJourney, CopyAsFromTheMessageBoxsMenuPutsBothFormatsOrSaysTheClipboardIsHeld) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::string line = "Copied \xE2\x80\x94 <b>as</b> HTML";
  ASSERT_NO_FATAL_FAILURE(Type(line));
  SendMessageW(addOn().window(), WM_NEXTDLGCTL,
               reinterpret_cast<WPARAM>(addOn().Control(ids::kMessageBox)), TRUE);
  // The box's menu by the keyboard, Copy As by its access key, then HTML by its own.
  Keys("key shift+F10 sleep 1 key y sleep 0.5 key h");
  ASSERT_TRUE(
      WaitUntil([&] { return addOn().Caption().find("Copied as HTML") != std::string::npos; }, 10))
      << addOn().Caption();
  std::vector<fade::Rgb> stops;
  for (int k = 1; k <= 3; ++k) stops.push_back(addOn().Colour(k));
  const composer::Styles styles = StylesOnTheWindow();
  const std::string html =
      formats::FormatLine(*formats::Format::Named("html"), line, stops, fade::Blend::kStraight,
                          {.bold = styles.bold,
                           .italic = styles.italics,
                           .underline = styles.underline,
                           .strike = styles.strike});
  EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT), html);
  EXPECT_EQ(ClipboardBytes(RegisterClipboardFormatW(L"HTML Format")),
            platform::HtmlClipboardData(html));

  // Another program holds the clipboard open: the add-on says so, and nothing changes.
  const HWND holder = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(OpenClipboard(holder));
  Keys("key shift+F10 sleep 1 key y sleep 0.5 key b");
  const bool said = WaitUntil(
      [&] {
        return addOn().Caption().ends_with(
            "Not copied: another program is using the clipboard; try again");
      },
      10);
  CloseClipboard();
  DestroyWindow(holder);
  EXPECT_TRUE(said) << addOn().Caption();
  EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT), html);
  EXPECT_EQ(addOn().Text(ids::kMessageBox), line);
  EXPECT_TRUE(NewChats().empty());
}

}  // namespace
}  // namespace vfx::e2e
