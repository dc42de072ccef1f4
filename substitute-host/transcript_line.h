// The transcript's lines as it keeps them: each byte with the look it is drawn in, and the
// fonts those looks need.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "markup/markup.h"

namespace vfx::subhost::transcript {

using markup::Script;
using markup::TextStyle;

constexpr char kFace[] = "Arial";
constexpr int kPoints = 10, kScriptPoints = 8;
constexpr int kMargin = 4, kTextColumn = 110;  // pixels
constexpr int kSubscriptDrop = 3, kSuperscriptRise = 4;
// Room above and below a row's normal text for what is raised or lowered.
constexpr int kRowPadTop = 1, kRowPadBottom = 3;
constexpr COLORREF kServiceColour = RGB(0x60, 0x60, 0x70);
constexpr std::size_t kKeptLines = 1000;
constexpr char kPropertyName[] = "VfxTranscript";

struct DrawStyle {
  COLORREF colour = RGB(0, 0, 0);
  bool bold = false, italic = false, underline = false, strike = false;
  Script script = Script::kNormal;
};

inline DrawStyle FromTextStyle(const TextStyle& style) {
  DrawStyle draw;
  if (style.colour) draw.colour = RGB(style.colour->red, style.colour->green, style.colour->blue);
  draw.bold = style.bold;
  draw.italic = style.italic;
  draw.underline = style.underline;
  draw.strike = style.strike;
  draw.script = style.script;
  return draw;
}

// One font per combination of styles, made once.
class Fonts {
 public:
  HFONT For(const DrawStyle& style) {
    const bool small = style.script != Script::kNormal;
    const int key =
        style.bold | style.italic << 1 | style.underline << 2 | style.strike << 3 | small << 4;
    HFONT& font = fonts_[key];
    if (!font) {
      font = CreateFontA(-MulDiv(small ? kScriptPoints : kPoints, Dpi(), 72), 0, 0, 0,
                         style.bold ? FW_BOLD : FW_NORMAL, style.italic, style.underline,
                         style.strike, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, kFace);
    }
    return font;
  }
  ~Fonts() {
    for (auto& entry : fonts_) DeleteObject(entry.second);
  }

 private:
  static int Dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
  }
  std::map<int, HFONT> fonts_;
};

struct Fragment {
  std::string text;
  int style;
  int x;
};

// A posted line: its bytes, each with the index of its style, and where its text starts.
struct Line {
  std::string text;
  std::vector<int> styleOf;
  std::vector<DrawStyle> styles;
  std::size_t bodyStart = 0;  // the speaker's part comes before
  std::string plain;          // for WM_GETTEXT
  std::vector<std::vector<Fragment>> rows;
};

inline int AddStyle(Line& line, const DrawStyle& style) {
  line.styles.push_back(style);
  return static_cast<int>(line.styles.size()) - 1;
}

inline void AddText(Line& line, std::string_view text, int style) {
  for (char c : text) {
    // A line read from an edit box may carry line breaks; the transcript shows one line.
    line.text += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
    line.styleOf.push_back(style);
  }
}

// Lays the line out in rows that end before `right`: greedy word wrap; a continued row starts at
// the text column, and a word wider than a row is cut where it must be.
void Layout(HDC dc, Fonts& fonts, Line& line, int right);

}  // namespace vfx::subhost::transcript
