// Fuzzes the colour body: whatever the line, the count and the colours, the body must walk back
// piece by piece into exactly the typed line plus its pad spaces, one colour tag per character.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "composer/compose.h"
#include "fade/utf8.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool Take(std::string_view markup, std::size_t& at, std::string_view expected) {
  if (markup.substr(at, expected.size()) != expected) return false;
  at += expected.size();
  return true;
}

// How many characters the body fades: the typed line, and the pad spaces that the segments
// before the last reach into when the line is short.
std::size_t FadedCharacters(std::size_t length, int colourCount) {
  if (colourCount < 3) return length;
  const std::size_t segments = static_cast<std::size_t>(std::min(colourCount, 10) - 1);
  const std::size_t part = (length + segments - 1) / segments;
  return std::max(length, (segments - 1) * part);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 32) return 0;
  const int colourCount = data[0] % 12;  // 0 (none selected) to 11 (more than there are)
  const bool wavy = data[1] & 1;
  std::array<vfx::fade::Rgb, 10> colours;
  for (int k = 0; k < 10; ++k) colours[k] = {data[2 + 3 * k], data[3 + 3 * k], data[4 + 3 * k]};
  const std::string_view line(reinterpret_cast<const char*>(data + 32), size - 32);

  const std::string body = vfx::composer::ComposeBody(line, colourCount, colours, wavy);
  if (colourCount < 1) {
    Require(body.empty());
    return 0;
  }
  const std::size_t length = vfx::fade::CharacterCount(line);
  const std::string expected =
      std::string(line) + std::string(FadedCharacters(length, colourCount) - length, ' ');

  std::size_t at = 0;
  for (std::size_t source = 0; source < expected.size();) {
    const std::string_view character =
        std::string_view(expected).substr(source, vfx::fade::CharacterLength(expected, source));
    source += character.size();
    Require(Take(body, at, "<FONT COLOR=#"));
    at += 6;
    Require(Take(body, at, ">"));
    const std::string plain(character);
    if (wavy && Take(body, at, "<sub>" + plain + "</sub>")) continue;
    if (wavy && Take(body, at, "<sup>" + plain + "</sup>")) continue;
    Require(Take(body, at, plain));
  }
  Require(at == body.size());
  return 0;
}
