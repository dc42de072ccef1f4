#include "substitute-host/transcript_line.h"

#include <algorithm>

namespace vfx::subhost::transcript {

static int Width(HDC dc, Fonts& fonts, const Line& line, std::size_t from, std::size_t to) {
  int width = 0;
  while (from < to) {
    std::size_t end = from;
    while (end < to && line.styleOf[end] == line.styleOf[from]) ++end;
    SelectObject(dc, fonts.For(line.styles[line.styleOf[from]]));
    SIZE size{};
    GetTextExtentPoint32A(dc, line.text.data() + from, static_cast<int>(end - from), &size);
    width += size.cx;
    from = end;
  }
  return width;
}

// Adds bytes [from, to) at x on the current row, one fragment per style.
static void Place(HDC dc, Fonts& fonts, Line& line, std::size_t from, std::size_t to, int& x) {
  for (std::size_t i = from; i < to; ++i) {
    std::vector<Fragment>& row = line.rows.back();
    if (row.empty() || row.back().style != line.styleOf[i]) {
      const int at = x + (i > from ? Width(dc, fonts, line, from, i) : 0);
      row.push_back({{}, line.styleOf[i], at});
    }
    row.back().text += line.text[i];
  }
  x += Width(dc, fonts, line, from, to);
}

// Greedy word wrap; a continued row starts at the text column, and a word wider than a row
// is cut where it must be.
void Layout(HDC dc, Fonts& fonts, Line& line, int right) {
  HGDIOBJ old = SelectObject(dc, fonts.For({}));
  line.rows.assign(1, {});
  int x = kMargin;
  Place(dc, fonts, line, 0, line.bodyStart, x);
  const int column = line.bodyStart > 0 ? std::max(kTextColumn, x + 4) : kMargin;
  x = column;
  const std::size_t n = line.text.size();
  for (std::size_t i = line.bodyStart; i < n;) {
    std::size_t wordEnd = i;
    while (wordEnd < n && line.text[wordEnd] != ' ') ++wordEnd;
    std::size_t end = wordEnd;
    while (end < n && line.text[end] == ' ') ++end;
    const int wordWidth = Width(dc, fonts, line, i, wordEnd);
    if (x + wordWidth > right && x > column) {
      line.rows.emplace_back();
      x = column;
    }
    if (column + wordWidth <= right) {
      Place(dc, fonts, line, i, end, x);
    } else {
      for (std::size_t k = i; k < end; ++k) {
        if (x + Width(dc, fonts, line, k, k + 1) > right && x > column) {
          line.rows.emplace_back();
          x = column;
        }
        Place(dc, fonts, line, k, k + 1, x);
      }
    }
    i = end;
  }
  SelectObject(dc, old);
}

}  // namespace vfx::subhost::transcript
