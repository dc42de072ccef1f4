// Fuzzes the colour body against one built as its definition reads: the line padded with spaces
// to a multiple of the segment count, cut into equal parts with the last one stopping at the
// line's end, each part faded by the reference from its colour to the next. A body under the
// Even or Vivid blend must be that same markup with other colours: it may differ from the
// straight body only within the six digits of a tag.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "composer/compose.h"
#include "tests/fade/reference_fade.h"

namespace {

std::string ReferenceBody(std::string_view line, int colourCount,
                          const std::array<vfx::fade::Rgb, 10>& colours, bool wavy) {
  const auto fade = [&](const std::vector<std::string_view>& characters, std::size_t first,
                        std::size_t last, int from, int to) {
    std::string text;
    for (std::size_t k = first; k < last; ++k) text += characters[k];
    const vfx::fade::Rgb a = colours[from - 1], b = colours[to - 1];
    const double start[3] = {double(a.red), double(a.green), double(a.blue)};
    const double end[3] = {double(b.red), double(b.green), double(b.blue)};
    return vfx::reference::Fade(text, start, end, "", wavy);
  };
  std::vector<std::string_view> padded = vfx::reference::Characters(line);
  const std::size_t length = padded.size();
  if (colourCount < 1) return "";
  colourCount = std::min(colourCount, 10);
  if (colourCount <= 2) return fade(padded, 0, length, 1, colourCount);
  const std::size_t segments = colourCount - 1;
  for (std::size_t pass = 1; pass < segments; ++pass) {
    if (padded.size() % segments != 0) padded.push_back(" ");
  }
  const std::size_t part = padded.size() / segments;
  std::string body;
  for (std::size_t j = 1; j <= segments; ++j) {
    const std::size_t first = (j - 1) * part;
    const std::size_t last = j < segments ? j * part : std::max(first, length);
    body += fade(padded, first, last, int(j), int(j) + 1);
  }
  return body;
}

// Whether `blended` is `straight` but for the digits of its tags.
bool SameButForTheDigits(const std::string& straight, const std::string& blended) {
  if (straight.size() != blended.size()) return false;
  constexpr std::string_view kTag = "<FONT COLOR=#";
  for (std::size_t k = 0; k < straight.size(); ++k) {
    if (straight[k] == blended[k]) continue;
    bool inDigits = false;
    for (std::size_t back = kTag.size(); back < kTag.size() + 6 && back <= k; ++back) {
      inDigits = inDigits || std::string_view(straight).substr(k - back, kTag.size()) == kTag;
    }
    if (!inDigits) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 32) return 0;
  const int colourCount = data[0] % 12;  // 0 (none selected) to 11 (more than there are)
  const bool wavy = data[1] & 1;
  const auto blend = static_cast<vfx::fade::Blend>((data[1] >> 1) % 3);
  std::array<vfx::fade::Rgb, 10> colours;
  for (int k = 0; k < 10; ++k) colours[k] = {data[2 + 3 * k], data[3 + 3 * k], data[4 + 3 * k]};
  const std::string_view line(reinterpret_cast<const char*>(data + 32), size - 32);
  const std::string straight = vfx::composer::ComposeBody(line, colourCount, colours, wavy);
  if (straight != ReferenceBody(line, colourCount, colours, wavy)) std::abort();
  const std::string blended = vfx::composer::ComposeBody(line, colourCount, colours, wavy, blend);
  if (blend == vfx::fade::Blend::kStraight ? blended != straight
                                           : !SameButForTheDigits(straight, blended)) {
    std::abort();
  }
  return 0;
}
