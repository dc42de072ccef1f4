// One colour tag as machine words: the tag's bytes, the hex digits, and the rounding that turns
// a component into them. Shared by the fade writer's files alone.
#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define VFX_FADE_SSE2 1
#include <emmintrin.h>
#endif

namespace vfx::fade::detail {

// Tags are assembled as little-endian words: the first byte in memory is the lowest.
static_assert(std::endian::native == std::endian::little);

// One 16-byte store begins every tag; the digits' store overwrites its last three bytes.
inline constexpr char kTagTemplate[16] = {'<', 'F', 'O', 'N', 'T', ' ', 'C', 'O',
                                          'L', 'O', 'R', '=', '#', '0', '0', '0'};
inline constexpr std::size_t kDigitsAt = 13;
// "<FONT COLOR=#", six digits and ">".
inline constexpr std::size_t kTagBytes = 20;
// The digits' word: six digits, then ">", then the character when it is one byte long.
inline constexpr std::uint64_t kTagClose = std::uint64_t{'>'} << 48;

constexpr std::array<std::uint16_t, 256> MakeHexPairs() {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::array<std::uint16_t, 256> pairs{};
  for (int value = 0; value < 256; ++value) {
    pairs[value] = static_cast<std::uint16_t>(kDigits[value >> 4] | (kDigits[value & 15] << 8));
  }
  return pairs;
}
inline constexpr std::array<std::uint16_t, 256> kHexPairs = MakeHexPairs();

inline std::uint64_t DigitsOf(unsigned red, unsigned green, unsigned blue) {
  return kHexPairs[red & 0xFFu] | (std::uint64_t{kHexPairs[green & 0xFFu]} << 16) |
         (std::uint64_t{kHexPairs[blue & 0xFFu]} << 32);
}

// A component back from its two digits in DigitsOf's word (index 0 is red).
inline int ComponentOf(std::uint64_t digits, int index) {
  const auto digit = [&](int at) {
    const int c = static_cast<int>(digits >> (8 * at) & 0xFF);
    return c <= '9' ? c - '0' : c - 'A' + 10;
  };
  return 16 * digit(2 * index) + digit(2 * index + 1);
}

// The tag with `word` (digits, ">" and maybe a character) at its place.
inline void PutTag(char* out, std::uint64_t word) {
  std::memcpy(out, kTagTemplate, sizeof kTagTemplate);
  std::memcpy(out + kDigitsAt, &word, sizeof word);
}

// The component's nearest integer, halves to even, as RgbToHex takes it, for values within
// 2^30 (which the caller guarantees). The SSE2 conversion rounds in the current mode, which is
// round-to-nearest-even; elsewhere adding and subtracting 1.5 * 2^52 does the same.
inline int Nearest(double value) {
#if defined(VFX_FADE_SSE2)
  return _mm_cvtsd_si32(_mm_set_sd(value));
#else
  constexpr double kRounder = 6755399441055744.0;  // 1.5 * 2^52
  return static_cast<int>(static_cast<long long>((value + kRounder) - kRounder));
#endif
}

// The same for any value, reduced modulo 256 into 0..255; values that are not finite give 0.
inline unsigned AnyComponentByte(double component) {
  if (std::fabs(component) < 1073741824.0) return static_cast<unsigned>(Nearest(component)) & 0xFFu;
  if (!std::isfinite(component)) return 0;
  double remainder = std::fmod(component, 256.0);
  if (remainder < 0) remainder += 256.0;
  return static_cast<unsigned>(remainder);
}

}  // namespace vfx::fade::detail
