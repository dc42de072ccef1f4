#include "platform/win32/rich_text_looks.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

#include "platform/win32/text.h"
#include "text/utf8.h"

namespace vfx::platform::win32 {

using toolkit::CharacterLook;

namespace {

// RTF's own words for the characters it does not take as they are; null for the others.
const wchar_t* RtfWord(char32_t point) {
  switch (point) {
    case U'\r':
    case U'\n':
      return L"\\par ";
    case U'\\':
      return L"\\\\";
    case U'{':
      return L"\\{";
    case U'}':
      return L"\\}";
    case U'\t':
      return L"\\tab ";
    default:
      return nullptr;
  }
}

void AppendRtfText(std::wstring& out, char32_t point) {
  if (const wchar_t* word = RtfWord(point)) {
    out += word;
    return;
  }
  if (point >= 0x20 && point < 0x7F) {
    out.push_back(static_cast<wchar_t>(point));
    return;
  }
  // Every other character by its UTF-16 units, with "?" as the reader's fallback.
  wchar_t pair[2];
  int count = 1;
  if (point >= 0x10000) {
    const char32_t offset = point - 0x10000;
    pair[0] = static_cast<wchar_t>(0xD800 + (offset >> 10));
    pair[1] = static_cast<wchar_t>(0xDC00 + (offset & 0x3FF));
    count = 2;
  } else {
    pair[0] = static_cast<wchar_t>(point);
  }
  for (int k = 0; k < count; ++k) {
    wchar_t word[16];
    std::swprintf(word, 16, L"\\u%d?", static_cast<int>(static_cast<short>(pair[k])));
    out += word;
  }
}

}  // namespace

std::vector<Placed> PlaceCharacters(const std::string& text) {
  std::vector<Placed> placed;
  placed.reserve(text.size());
  const std::wstring wide = Widen(text);
  LONG position = 0;
  std::size_t unit = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t bytes = text::CharacterLength(text, at);
    Placed p;
    p.position = position;
    const wchar_t first = wide[unit];
    const std::size_t units = (first >= 0xD800 && first < 0xDC00) ? 2 : 1;
    const bool lineFeedAfterReturn = first == L'\n' && at > 0 && text[at - 1] == '\r';
    p.length =
        lineFeedAfterReturn ? 0 : static_cast<LONG>(first == L'\r' || first == L'\n' ? 1 : units);
    p.point = units == 2 ? 0x10000 + ((first - 0xD800) << 10) + (wide[unit + 1] - 0xDC00) : first;
    position += p.length;
    unit += units;
    at += bytes;
    placed.push_back(std::move(p));
  }
  return placed;
}

std::u32string CodePoints(const std::string& text) {
  std::u32string points;
  for (const Placed& p : PlaceCharacters(text)) points.push_back(p.point);
  return points;
}

std::wstring LooksRtf(const std::vector<Placed>& placed, std::size_t first, std::size_t last,
                      const std::function<const CharacterLook&(std::size_t)>& wanted) {
  std::map<toolkit::Colour, int> colours;
  for (std::size_t k = first; k <= last; ++k)
    if (const auto& colour = wanted(k).colour) colours.emplace(*colour, 0);
  std::wstring rtf = L"{\\rtf1\\ansi\\deff0{\\colortbl;";
  int index = 0;
  for (auto& [colour, number] : colours) {
    number = ++index;
    wchar_t entry[64];
    std::swprintf(entry, 64, L"\\red%u\\green%u\\blue%u;", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    rtf += entry;
  }
  rtf += L"}";
  std::optional<CharacterLook> current;
  for (std::size_t k = first; k <= last; ++k) {
    if (placed[k].length == 0) continue;
    const CharacterLook& look = wanted(k);
    if (!current || *current != look) {
      // Only what changed: Wine's reader restyles the text once for every control word.
      const bool all = !current;
      const std::size_t before = rtf.size();
      if (all || current->colour != look.colour)
        rtf += L"\\cf" + std::to_wstring(look.colour ? colours[*look.colour] : 0);
      if (all || current->bold != look.bold) rtf += look.bold ? L"\\b" : L"\\b0";
      if (all || current->italic != look.italic) rtf += look.italic ? L"\\i" : L"\\i0";
      if (all || current->underline != look.underline)
        rtf += look.underline ? L"\\ul" : L"\\ulnone";
      if (all || current->strike != look.strike) rtf += look.strike ? L"\\strike" : L"\\strike0";
      if (all || current->script != look.script)
        rtf += look.script == CharacterLook::Script::kSubscript     ? L"\\sub"
               : look.script == CharacterLook::Script::kSuperscript ? L"\\super"
                                                                    : L"\\nosupersub";
      if (rtf.size() != before) rtf += L' ';
      current = look;
    }
    AppendRtfText(rtf, placed[k].point);
  }
  rtf += L"}";
  return rtf;
}

void ShownLooks::Replace(const std::string& whole) {
  text = CodePoints(whole);
  looks.assign(text.size(), std::nullopt);
}

void ShownLooks::FollowEdit(const std::u32string& now) {
  const std::u32string& before = text;
  const std::size_t shorter = std::min(before.size(), now.size());
  auto prefix = [&](std::size_t limit) {
    std::size_t n = 0;
    while (n < limit && before[n] == now[n]) ++n;
    return n;
  };
  auto suffix = [&](std::size_t limit) {
    std::size_t n = 0;
    while (n < limit && before[before.size() - 1 - n] == now[now.size() - 1 - n]) ++n;
    return n;
  };
  const std::size_t prefixFirst = prefix(shorter);
  const std::size_t suffixAfterPrefix = suffix(shorter - prefixFirst);
  const std::size_t suffixFirst = suffix(shorter);
  const std::size_t prefixAfterSuffix = prefix(shorter - suffixFirst);
  const std::size_t kept = std::min(prefixFirst, prefixAfterSuffix);
  const std::size_t keptAtEnd = std::min(suffixAfterPrefix, suffixFirst);

  std::vector<std::optional<CharacterLook>> keptLooks(now.size());
  for (std::size_t k = 0; k < kept; ++k) keptLooks[k] = looks[k];
  for (std::size_t k = 0; k < keptAtEnd; ++k)
    keptLooks[now.size() - 1 - k] = looks[before.size() - 1 - k];
  looks = std::move(keptLooks);
  text = now;
}

}  // namespace vfx::platform::win32
