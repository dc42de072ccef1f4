// The message box's preview against what the room shows: each character's colour and effects
// read from vontrafx.exe's own Text1, compared with the runs that the host's markup parser makes
// of the line it received.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <richedit.h>

#include <optional>
#include <string>
#include <vector>

#include "e2e/support/journey.h"
#include "markup/markup.h"
#include "ui/control_ids.h"

namespace vfx::e2e {
namespace {

namespace ids = ui::ids;

// A character's format as the add-on's box reports it. EM_GETCHARFORMAT writes through a
// pointer, so the structure lives in the add-on's memory for the call.
class RemoteCharFormat {
 public:
  explicit RemoteCharFormat(HANDLE process) : process_(process) {
    remote_ = VirtualAllocEx(process, nullptr, sizeof(CHARFORMAT2W), MEM_COMMIT | MEM_RESERVE,
                             PAGE_READWRITE);
  }
  ~RemoteCharFormat() {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
  }
  std::optional<CHARFORMAT2W> Of(HWND box, int position) const {
    if (!remote_) return std::nullopt;
    SendMessageW(box, EM_SETSEL, position, position + 1);
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SIZE_T moved = 0;
    if (!WriteProcessMemory(process_, remote_, &format, sizeof format, &moved)) return std::nullopt;
    SendMessageW(box, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(remote_));
    if (!ReadProcessMemory(process_, remote_, &format, sizeof format, &moved)) return std::nullopt;
    return format;
  }

 private:
  HANDLE process_;
  void* remote_ = nullptr;
};

markup::TextStyle StyleOf(const CHARFORMAT2W& format) {
  markup::TextStyle style;
  if (!(format.dwEffects & CFE_AUTOCOLOR))
    style.colour = markup::Colour{GetRValue(format.crTextColor), GetGValue(format.crTextColor),
                                  GetBValue(format.crTextColor)};
  style.bold = format.dwEffects & CFE_BOLD;
  style.italic = format.dwEffects & CFE_ITALIC;
  style.underline = format.dwEffects & CFE_UNDERLINE;
  style.strike = format.dwEffects & CFE_STRIKEOUT;
  if (format.dwEffects & CFE_SUBSCRIPT) style.script = markup::Script::kSubscript;
  if (format.dwEffects & CFE_SUPERSCRIPT) style.script = markup::Script::kSuperscript;
  return style;
}

std::string Describe(const markup::TextStyle& style) {
  std::string text = style.colour ? std::to_string(style.colour->red) + "," +
                                        std::to_string(style.colour->green) + "," +
                                        std::to_string(style.colour->blue)
                                  : "auto";
  if (style.bold) text += " bold";
  if (style.italic) text += " italic";
  if (style.underline) text += " underline";
  if (style.strike) text += " strike";
  if (style.script == markup::Script::kSubscript) text += " sub";
  if (style.script == markup::Script::kSuperscript) text += " super";
  return text;
}

class PreviewJourney : public Journey {};

TEST_F(PreviewJourney, EachCharacterInTheBoxLooksAsTheRoomShowsIt) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND box = addOn().Control(ids::kMessageBox);
  ASSERT_NE(box, nullptr);
  // "ő" is not in the host's code page: the room shows a "?" in that character's colour.
  const std::string line = "Fade \u0151 me, <b>gently</b>";
  constexpr int kLength = 24;
  ASSERT_NO_FATAL_FAILURE(Type(line));
  // The user leaves the caret inside the line; every recolouring below must leave it there.
  SendMessageW(box, EM_SETSEL, 7, 7);

  ASSERT_TRUE(addOn().Choose(ids::OptionId(4)));
  ASSERT_TRUE(addOn().SetColour(1, {255, 0, 0}));
  ASSERT_TRUE(addOn().SetColour(2, {0, 200, 0}));
  ASSERT_TRUE(addOn().SetColour(3, {10, 20, 250}));
  ASSERT_TRUE(addOn().SetColour(4, {250, 250, 0}));
  for (const ids::CheckRole box : {ids::kItalics, ids::kUnderline, ids::kStrike, ids::kWavy})
    ASSERT_NO_FATAL_FAILURE(Tick(box));
  ASSERT_TRUE(addOn().IsTicked(ids::kBold)) << "Bold starts ticked";
  ASSERT_TRUE(addOn().Choose(ids::OptionId(4)));

  // The looks follow within a pass of the window's message loop.
  const RemoteCharFormat formats(addOn().process());
  ASSERT_TRUE(Answers());
  Sleep(500);
  const DWORD caret = static_cast<DWORD>(SendMessageW(box, EM_GETSEL, 0, 0));
  EXPECT_EQ(LOWORD(caret), 7);
  EXPECT_EQ(HIWORD(caret), 7);

  std::vector<markup::TextStyle> shown;
  for (int k = 0; k < kLength; ++k) {
    const auto format = formats.Of(box, k);
    ASSERT_TRUE(format) << "character " << k;
    shown.push_back(StyleOf(*format));
  }
  SendMessageW(box, EM_SETSEL, 7, 7);

  addOn().Press(ids::kSend);
  ASSERT_TRUE(WaitForNewChats(1));
  const std::string received = NewChats()[0].Bytes("text");
  std::vector<markup::TextStyle> room;
  std::string roomText;
  for (const markup::Run& run : markup::ParseMarkup(received))
    for (char c : run.text) {
      room.push_back(run.style);
      roomText.push_back(c);
    }
  ASSERT_GE(room.size(), static_cast<std::size_t>(kLength));
  EXPECT_EQ(roomText.substr(0, kLength), "Fade ? me, <b>gently</b>");
  for (int k = 0; k < kLength; ++k)
    EXPECT_EQ(Describe(shown[k]), Describe(room[k])) << "character " << k;
  // Not one look for all: the fade and the wave show.
  EXPECT_NE(Describe(shown[0]), Describe(shown[kLength - 1]));
  EXPECT_EQ(room[0].script, markup::Script::kSubscript);

  // Recolouring is no step of the user's: the first Undo after it takes back the typing.
  ASSERT_TRUE(WaitUntil([&] { return addOn().Text(ids::kMessageBox).empty(); }, 10));
  ASSERT_NO_FATAL_FAILURE(Type("undo me"));
  ASSERT_TRUE(addOn().SetColour(1, {0, 0, 255}));
  ASSERT_TRUE(Answers());
  Sleep(300);
  SendMessageW(box, EM_UNDO, 0, 0);
  EXPECT_EQ(addOn().Text(ids::kMessageBox), "");
}

// Only what is in view carries its looks (a long line in looks throughout would slow typing):
// scrolled back to its start, a long line shows its first characters as the room will.
TEST_F(PreviewJourney, ALongLineScrolledToItsStartShowsItsLooksThere) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND box = addOn().Control(ids::kMessageBox);
  ASSERT_NE(box, nullptr);
  std::wstring line;
  while (line.size() < 600) line += L"All work and no play. ";
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
  SendMessageW(box, EM_SETSEL, -1, -1);
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
  // The colours change while the line's end is in view.
  ASSERT_TRUE(addOn().Choose(ids::OptionId(2)));
  ASSERT_TRUE(addOn().SetColour(1, {255, 0, 0}));
  ASSERT_TRUE(addOn().SetColour(2, {0, 0, 255}));
  ASSERT_TRUE(Answers());
  Sleep(300);
  SendMessageW(box, EM_SETSEL, 0, 0);
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
  ASSERT_TRUE(Answers());
  Sleep(300);

  const RemoteCharFormat formats(addOn().process());
  std::vector<markup::TextStyle> shown;
  for (int k = 0; k < 8; ++k) {
    const auto format = formats.Of(box, k);
    ASSERT_TRUE(format) << "character " << k;
    shown.push_back(StyleOf(*format));
  }
  addOn().Press(ids::kSend);
  ASSERT_TRUE(WaitForNewChats(1));
  std::vector<markup::TextStyle> room;
  for (const markup::Run& run : markup::ParseMarkup(NewChats()[0].Bytes("text")))
    for (std::size_t c = 0; c < run.text.size(); ++c) room.push_back(run.style);
  ASSERT_GE(room.size(), shown.size());
  for (std::size_t k = 0; k < shown.size(); ++k)
    EXPECT_EQ(Describe(shown[k]), Describe(room[k])) << "character " << k;
  EXPECT_EQ(Describe(shown[0]), "255,0,0 bold");
}

// The box's own menu, from the keyboard: Select All selects the line, and "Preview Colours"
// unticked draws it plainly, the line unchanged.
TEST_F(PreviewJourney, TheBoxsMenuSelectsAllAndTurnsThePreviewOff) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND box = addOn().Control(ids::kMessageBox);
  ASSERT_NE(box, nullptr);
  ASSERT_NO_FATAL_FAILURE(Type("menu"));
  const RemoteCharFormat formats(addOn().process());
  auto plain = [&] {
    const auto format = formats.Of(box, 0);
    return format && (format->dwEffects & CFE_AUTOCOLOR);
  };
  ASSERT_TRUE(Answers());
  Sleep(300);
  ASSERT_FALSE(plain()) << "the preview is on at the start";

  // Wine shows the menu within a second; the keys wait for it.
  Keys("key shift+F10 sleep 1 key a");
  // The whole line: the rich edit counts its closing paragraph mark too.
  ASSERT_TRUE(WaitUntil(
      [&] {
        const auto selection = static_cast<DWORD>(SendMessageW(box, EM_GETSEL, 0, 0));
        return LOWORD(selection) == 0 && HIWORD(selection) >= 4;
      },
      5));
  // From the top, Up wraps to the last item, Copy As; the one before it is Preview Colours.
  Keys("key shift+F10 sleep 1 key Up Up Return");
  EXPECT_TRUE(WaitUntil(plain, 5));
  EXPECT_EQ(addOn().Text(ids::kMessageBox), "menu");
}

}  // namespace
}  // namespace vfx::e2e
