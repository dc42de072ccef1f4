#include "substitute-host/transcript.h"

#include <richedit.h>

#include <string>

#include "substitute-host/markup.h"

namespace vfx::subhost {
namespace {

constexpr char kTranscriptFace[] = "Arial";
constexpr int kTranscriptTwips = 200;  // 10 points
constexpr int kSpeakerColumnTwips = 1600;
constexpr COLORREF kSpeakerColour = RGB(0, 0, 0);
constexpr COLORREF kServiceColour = RGB(0x60, 0x60, 0x70);
constexpr DWORD kEffectsMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
                               CFM_SUBSCRIPT | CFM_SUPERSCRIPT;

CHARFORMAT2A FormatOf(const TextStyle& style) {
  CHARFORMAT2A format{};
  format.cbSize = sizeof format;
  format.dwMask = kEffectsMask;
  if (style.colour) {
    format.crTextColor = RGB(style.colour->red, style.colour->green, style.colour->blue);
  } else {
    format.dwEffects |= CFE_AUTOCOLOR;
  }
  if (style.bold) format.dwEffects |= CFE_BOLD;
  if (style.italic) format.dwEffects |= CFE_ITALIC;
  if (style.underline) format.dwEffects |= CFE_UNDERLINE;
  if (style.strike) format.dwEffects |= CFE_STRIKEOUT;
  if (style.script == Script::kSubscript) format.dwEffects |= CFE_SUBSCRIPT;
  if (style.script == Script::kSuperscript) format.dwEffects |= CFE_SUPERSCRIPT;
  return format;
}

// Appends text at the end in the given format; the rich edit converts it from the code page.
void AppendRun(HWND transcript, const std::string& text, CHARFORMAT2A format) {
  CHARRANGE end{-1, -1};
  SendMessageA(transcript, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
  SendMessageA(transcript, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  SendMessageA(transcript, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void StartLine(HWND transcript) {
  if (GetWindowTextLengthA(transcript) > 0) AppendRun(transcript, "\r\n", FormatOf({}));
}

void ScrollToEnd(HWND transcript) { SendMessageA(transcript, WM_VSCROLL, SB_BOTTOM, 0); }

// A line read from an edit box may carry line breaks; the transcript shows one line per post.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

}  // namespace

void PrepareTranscript(HWND transcript) {
  CHARFORMAT2A format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_CHARSET;
  format.dwEffects = CFE_AUTOCOLOR;
  format.yHeight = kTranscriptTwips;
  format.bCharSet = ANSI_CHARSET;
  lstrcpynA(format.szFaceName, kTranscriptFace, LF_FACESIZE);
  SendMessageA(transcript, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SendMessageA(transcript, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(transcript, EM_SETBKGNDCOLOR, 0, RGB(255, 255, 255));
  // The text of a line starts at one tab stop, and wrapped lines hang there too.
  PARAFORMAT paragraph{};
  paragraph.cbSize = sizeof paragraph;
  paragraph.dwMask = PFM_TABSTOPS | PFM_OFFSET;
  paragraph.cTabCount = 1;
  paragraph.rgxTabs[0] = kSpeakerColumnTwips;
  paragraph.dxOffset = kSpeakerColumnTwips;
  SendMessageA(transcript, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
  SendMessageA(transcript, EM_SETREADONLY, TRUE, 0);
}

void AppendChatLine(HWND transcript, std::string_view speaker, std::string_view markup) {
  StartLine(transcript);
  CHARFORMAT2A name = FormatOf({});
  name.dwEffects = CFE_BOLD;
  name.crTextColor = kSpeakerColour;
  AppendRun(transcript, std::string(speaker) + ":\t", name);
  for (const Run& run : ParseMarkup(OneLine(markup)))
    AppendRun(transcript, run.text, FormatOf(run.style));
  ScrollToEnd(transcript);
}

void AppendServiceLine(HWND transcript, std::string_view text) {
  StartLine(transcript);
  CHARFORMAT2A format = FormatOf({});
  format.dwEffects = CFE_ITALIC;
  format.crTextColor = kServiceColour;
  AppendRun(transcript, OneLine(text), format);
  ScrollToEnd(transcript);
}

}  // namespace vfx::subhost
