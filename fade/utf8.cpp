#include "fade/utf8.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define VFX_UTF8_SSE2 1
#endif

namespace vfx::fade {
namespace {

// Whether a block of bytes holds only one-byte characters.
#if defined(VFX_UTF8_SSE2)
constexpr std::size_t kBlock = 16;
bool OneByteBlock(const char* bytes) {
  return _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes))) == 0;
}
#else
constexpr std::size_t kBlock = 8;
bool OneByteBlock(const char* bytes) {
  std::uint64_t eight;
  std::memcpy(&eight, bytes, 8);
  return (eight & 0x8080808080808080ull) == 0;
}
#endif

// How many bytes from `position` on are one-byte characters, counted in whole blocks: texts are
// mostly such runs.
std::size_t OneByteRun(std::string_view text, std::size_t position) {
  const char* const begin = text.data() + position;
  const std::size_t blocks = (text.size() - position) / kBlock;
  std::size_t block = 0;
  while (block < blocks && OneByteBlock(begin + block * kBlock)) ++block;
  return block * kBlock;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed sequence that starts with `lead`, or 0 when `lead` starts none.
// The second byte's range also rules out overlong forms, surrogates and values past U+10FFFF.
struct LeadRule {
  std::size_t length;
  unsigned char secondLow, secondHigh;
};

LeadRule RuleFor(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};
  if (lead == 0xED) return {3, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
  if (lead == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

}  // namespace

std::size_t CharacterLength(std::string_view text, std::size_t position) {
  if (position >= text.size()) return 0;
  const auto lead = static_cast<unsigned char>(text[position]);
  if (lead < 0x80) return 1;
  const LeadRule rule = RuleFor(lead);
  if (rule.length == 0 || position + rule.length > text.size()) return 1;
  const auto second = static_cast<unsigned char>(text[position + 1]);
  if (second < rule.secondLow || second > rule.secondHigh) return 1;
  for (std::size_t k = 2; k < rule.length; ++k) {
    if (!IsContinuation(static_cast<unsigned char>(text[position + k]))) return 1;
  }
  return rule.length;
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t run = OneByteRun(text, at);
    at += run;
    count += run;
    if (at < text.size()) {
      at += CharacterLength(text, at);
      ++count;
    }
  }
  return count;
}

}  // namespace vfx::fade
