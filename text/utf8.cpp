#include "text/utf8.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define VFX_UTF8_SSE2 1
#endif

namespace vfx::text {
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

char32_t CodePointAt(std::string_view text, std::size_t position, std::size_t length) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[position + k]); };
  switch (length) {
    case 1:
      return byte(0) < 0x80 ? byte(0) : kReplacementCharacter;
    case 2:
      return (char32_t{byte(0)} & 0x1F) << 6 | (byte(1) & 0x3F);
    case 3:
      return (char32_t{byte(0)} & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
    default:
      return (char32_t{byte(0)} & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 |
             (byte(3) & 0x3F);
  }
}

void AppendUtf8(std::string& out, char32_t point) {
  if ((point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) point = kReplacementCharacter;
  const auto put = [&](char32_t bits) { out.push_back(static_cast<char>(bits)); };
  if (point < 0x80) {
    put(point);
  } else if (point < 0x800) {
    put(0xC0 | point >> 6);
    put(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    put(0xE0 | point >> 12);
    put(0x80 | (point >> 6 & 0x3F));
    put(0x80 | (point & 0x3F));
  } else {
    put(0xF0 | point >> 18);
    put(0x80 | (point >> 12 & 0x3F));
    put(0x80 | (point >> 6 & 0x3F));
    put(0x80 | (point & 0x3F));
  }
}

namespace {

bool IsMalformedAt(std::string_view bytes, std::size_t at, std::size_t length) {
  return length == 1 && static_cast<unsigned char>(bytes[at]) >= 0x80;
}

}  // namespace

bool IsWellFormed(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = CharacterLength(bytes, at);
    if (IsMalformedAt(bytes, at, length)) return false;
    at += length;
  }
  return true;
}

std::string WellFormed(std::string_view bytes) {
  std::string result;
  result.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = CharacterLength(bytes, at);
    if (IsMalformedAt(bytes, at, length))
      result += kReplacementBytes;
    else
      result.append(bytes, at, length);
    at += length;
  }
  return result;
}

bool IsUtf8Text(std::string_view bytes) {
  return bytes.find('\0') == std::string_view::npos && IsWellFormed(bytes);
}

}  // namespace vfx::text
