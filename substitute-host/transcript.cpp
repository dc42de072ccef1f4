#include "substitute-host/transcript.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "markup/markup.h"
#include "substitute-host/transcript_line.h"

namespace vfx::subhost {
namespace {

using markup::ParseMarkup;
using markup::Run;
using markup::Script;
using markup::TextStyle;
using namespace transcript;

class Transcript {
 public:
  explicit Transcript(HWND window) : window_(window) {}

  void Add(Line line) {
    lines_.push_back(std::move(line));
    if (lines_.size() > kKeptLines) lines_.erase(lines_.begin());
    if (HDC dc = GetDC(window_)) {
      Layout(dc, lines_.back());
      ReleaseDC(window_, dc);
    }
    UpdateScrollBar(true);
    InvalidateRect(window_, nullptr, FALSE);
  }

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_PAINT:
        Paint();
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_SIZE:
        Relayout();
        return 0;
      case WM_VSCROLL:
        Scroll(LOWORD(wParam));
        return 0;
      case WM_MOUSEWHEEL:
        ScrollBy(-GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3 * RowHeight());
        return 0;
      case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(PlainText().size());
      case WM_GETTEXT:
        return CopyText(static_cast<std::size_t>(wParam), reinterpret_cast<char*>(lParam));
      case WM_SETTEXT:
        return FALSE;  // a transcript takes lines, not text
      case WM_SETFONT:
        return 0;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
  }

 private:
  int RowHeight() {
    if (rowHeight_ == 0) {
      HDC dc = GetDC(window_);
      HGDIOBJ old = SelectObject(dc, fonts_.For({}));
      TEXTMETRICA metrics;
      GetTextMetricsA(dc, &metrics);
      ascent_ = metrics.tmAscent;
      rowHeight_ = metrics.tmHeight + kRowPadTop + kRowPadBottom;
      SelectObject(dc, old);
      ReleaseDC(window_, dc);
    }
    return rowHeight_;
  }

  void Layout(HDC dc, Line& line) {
    RECT client;
    GetClientRect(window_, &client);
    transcript::Layout(dc, fonts_, line, std::max<int>(client.right - kMargin, kTextColumn + 40));
  }

  void Relayout() {
    if (HDC dc = GetDC(window_)) {
      for (Line& line : lines_) Layout(dc, line);
      ReleaseDC(window_, dc);
    }
    UpdateScrollBar(false);
    InvalidateRect(window_, nullptr, FALSE);
  }

  int ContentHeight() {
    int rows = 0;
    for (const Line& line : lines_) rows += static_cast<int>(line.rows.size());
    return rows * RowHeight() + 2 * kMargin;
  }

  void UpdateScrollBar(bool toBottom) {
    RECT client;
    GetClientRect(window_, &client);
    const int page = client.bottom;
    const int maximum = std::max(0, ContentHeight() - page);
    scroll_ = toBottom ? maximum : std::clamp(scroll_, 0, maximum);
    SCROLLINFO info{sizeof info,
                    SIF_ALL | SIF_DISABLENOSCROLL,
                    0,
                    ContentHeight() - 1,
                    static_cast<UINT>(page),
                    scroll_,
                    0};
    SetScrollInfo(window_, SB_VERT, &info, TRUE);
  }

  void ScrollBy(int pixels) {
    scroll_ += pixels;
    UpdateScrollBar(false);
    InvalidateRect(window_, nullptr, FALSE);
  }

  void Scroll(WORD request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window_, SB_VERT, &info);
    switch (request) {
      case SB_LINEUP:
        return ScrollBy(-RowHeight());
      case SB_LINEDOWN:
        return ScrollBy(RowHeight());
      case SB_PAGEUP:
        return ScrollBy(-static_cast<int>(info.nPage));
      case SB_PAGEDOWN:
        return ScrollBy(static_cast<int>(info.nPage));
      case SB_TOP:
        return ScrollBy(-scroll_);
      case SB_BOTTOM:
        return ScrollBy(ContentHeight());
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION:
        return ScrollBy(info.nTrackPos - scroll_);
    }
  }

  void DrawRow(HDC dc, const Line& line, const std::vector<Fragment>& row, int top) {
    for (const Fragment& fragment : row) {
      const DrawStyle& style = line.styles[fragment.style];
      HFONT font = fonts_.For(style);
      SelectObject(dc, font);
      int y = top + kRowPadTop;
      if (style.script != Script::kNormal) {
        TEXTMETRICA small;
        GetTextMetricsA(dc, &small);
        y += ascent_ - small.tmAscent +
             (style.script == Script::kSubscript ? kSubscriptDrop : -kSuperscriptRise);
      }
      SetTextColor(dc, style.colour);
      ExtTextOutA(dc, fragment.x, y, 0, nullptr, fragment.text.data(),
                  static_cast<UINT>(fragment.text.size()), nullptr);
    }
  }

  void Paint() {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    // Drawn off screen first, so a busy room does not flicker.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, fonts_.For({}));
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    const int rowHeight = RowHeight();
    int top = kMargin - scroll_;
    for (const Line& line : lines_) {
      for (const auto& row : line.rows) {
        if (top + rowHeight > 0 && top < client.bottom) DrawRow(dc, line, row, top);
        top += rowHeight;
      }
    }
    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EndPaint(window_, &paint);
  }

  std::string PlainText() const {
    std::string text;
    for (const Line& line : lines_) {
      if (!text.empty()) text += "\r\n";
      text += line.plain;
    }
    return text;
  }

  LRESULT CopyText(std::size_t capacity, char* buffer) const {
    if (capacity == 0 || !buffer) return 0;
    const std::string text = PlainText();
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::copy_n(text.data(), length, buffer);
    buffer[length] = '\0';
    return static_cast<LRESULT>(length);
  }

  HWND window_;
  Fonts fonts_;
  std::vector<Line> lines_;
  int scroll_ = 0, rowHeight_ = 0, ascent_ = 0;
};

Transcript* TranscriptOf(HWND window) {
  return static_cast<Transcript*>(GetPropA(window, kPropertyName));
}

}  // namespace

bool HandleTranscriptMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT* result) {
  if (message == WM_NCCREATE &&
      (reinterpret_cast<const CREATESTRUCTA*>(lParam)->style & ES_READONLY)) {
    SetPropA(window, kPropertyName, new Transcript(window));
  }
  Transcript* transcript = TranscriptOf(window);
  if (!transcript) return false;
  if (message == WM_NCDESTROY) {
    RemovePropA(window, kPropertyName);
    delete transcript;
    *result = DefWindowProcA(window, message, wParam, lParam);
    return true;
  }
  *result = transcript->Handle(message, wParam, lParam);
  return true;
}

void AppendChatLine(HWND transcript, std::string_view speaker, std::string_view markup) {
  Transcript* view = TranscriptOf(transcript);
  if (!view) return;
  Line line;
  DrawStyle name;
  name.bold = true;
  AddText(line, std::string(speaker) + ":", AddStyle(line, name));
  line.bodyStart = line.text.size();
  line.plain = line.text + "\t";
  for (const Run& run : ParseMarkup(markup)) {
    AddText(line, run.text, AddStyle(line, FromTextStyle(run.style)));
    line.plain.append(run.text);
  }
  view->Add(std::move(line));
}

void AppendServiceLine(HWND transcript, std::string_view text) {
  Transcript* view = TranscriptOf(transcript);
  if (!view) return;
  Line line;
  DrawStyle service;
  service.italic = true;
  service.colour = kServiceColour;
  AddText(line, text, AddStyle(line, service));
  line.plain = std::string(text);
  view->Add(std::move(line));
}

}  // namespace vfx::subhost
