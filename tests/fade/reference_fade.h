// The fade as its definition reads, step by step, with nothing made fast and nothing shared with
// the product: the oracle that the fade's output is compared with, byte for byte. Components
// must stay within the 16-bit signed range, where the hex notation is defined.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vfx::reference {

// Bytes of the character at `at`: a well-formed UTF-8 sequence (no overlong form, no surrogate,
// nothing past U+10FFFF), else the one byte.
inline std::size_t CharacterBytes(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length;
  std::uint32_t codePoint;
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, codePoint = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, codePoint = lead & 0x0Fu;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, codePoint = lead & 0x07u;
  } else {
    return 1;
  }
  for (std::size_t k = 1; k < length; ++k) {
    if (at + k >= text.size()) return 1;
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return 1;
    codePoint = (codePoint << 6) | (next & 0x3Fu);
  }
  constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < kLeast[length] || codePoint > 0x10FFFF) return 1;
  if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 1;
  return length;
}

inline std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> characters;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = CharacterBytes(text, at);
    characters.push_back(text.substr(at, length));
    at += length;
  }
  return characters;
}

// Blue, green, red, each put in front: nearest integer with halves to even (the default rounding
// mode), then two digits from the fractional parts of n / 16.
inline std::string Hex(double red, double green, double blue) {
  std::string text;
  for (double component : {blue, green, red}) {
    double n = std::nearbyint(component);
    for (int k = 0; k < 2; ++k) {
      const double quotient = n / 16;
      const auto digit = static_cast<int>((quotient - std::floor(quotient)) * 16);
      text.insert(text.begin(), "0123456789ABCDEF"[digit]);
      n = std::floor(quotient);
    }
  }
  return text;
}

inline std::string Fade(std::string_view text, const double start[3], const double end[3],
                        std::string_view stylez, bool wavy) {
  const std::vector<std::string_view> characters = Characters(text);
  const double length = static_cast<double>(characters.size());
  std::string markup;
  int phase = 0;
  for (std::size_t i = 1; i <= characters.size(); ++i) {
    double value[3];
    for (int c = 0; c < 3; ++c) {
      value[c] = start[c] + ((end[c] - start[c]) / length) * static_cast<double>(i);
    }
    markup += "<FONT COLOR=#" + Hex(value[0], value[1], value[2]) + ">";
    phase = phase == 0 || phase == 4 ? 1 : phase + 1;
    const bool wrapped = phase == 1 || phase == 3;
    if (wrapped) {
      markup += stylez;
      if (wavy) markup += phase == 1 ? "<sub>" : "<sup>";
    }
    markup += characters[i - 1];
    if (wrapped) {
      markup += stylez;
      if (wavy) markup += phase == 1 ? "</sub>" : "</sup>";
    }
  }
  return markup;
}

}  // namespace vfx::reference
