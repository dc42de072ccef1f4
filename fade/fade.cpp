#include "fade/fade.h"

#include <array>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "fade/utf8.h"

namespace vfx::fade {
namespace {

constexpr std::string_view kColourTagOpen = "<FONT COLOR=#";
constexpr std::string_view kSubOpen = "<sub>", kSubClose = "</sub>";
constexpr std::string_view kSupOpen = "<sup>", kSupClose = "</sup>";
// "<FONT COLOR=#", six digits and ">": the fixed part of every piece.
constexpr std::size_t kTagLength = kColourTagOpen.size() + 6 + 1;

constexpr std::array<char, 512> MakeHexPairs() {
  constexpr char digits[] = "0123456789ABCDEF";
  std::array<char, 512> pairs{};
  for (int value = 0; value < 256; ++value) {
    pairs[2 * value] = digits[value >> 4];
    pairs[2 * value + 1] = digits[value & 15];
  }
  return pairs;
}
constexpr std::array<char, 512> kHexPairs = MakeHexPairs();

// The component's nearest integer, halves to even, reduced modulo 256 into 0..255. The SSE2
// conversion rounds in the current mode, which is round-to-nearest-even, in one instruction;
// elsewhere adding and subtracting 1.5 * 2^52 does the same without a libm call.
inline unsigned ComponentByte(double component) {
  if (std::fabs(component) < 1073741824.0) [[likely]] {  // 2^30; false for NaN
#if defined(__SSE2__)
    return static_cast<unsigned>(_mm_cvtsd_si32(_mm_set_sd(component))) & 0xFFu;
#else
    constexpr double kRounder = 6755399441055744.0;  // 1.5 * 2^52
    const double rounded = (component + kRounder) - kRounder;
    return static_cast<unsigned>(static_cast<long long>(rounded)) & 0xFFu;
#endif
  }
  if (!std::isfinite(component)) return 0;
  double remainder = std::fmod(component, 256.0);
  if (remainder < 0) remainder += 256.0;
  return static_cast<unsigned>(remainder);
}

inline char* WriteHex(char* out, double red, double green, double blue) {
  std::memcpy(out, &kHexPairs[2 * ComponentByte(red)], 2);
  std::memcpy(out + 2, &kHexPairs[2 * ComponentByte(green)], 2);
  std::memcpy(out + 4, &kHexPairs[2 * ComponentByte(blue)], 2);
  return out + 6;
}

inline char* Put(char* out, std::string_view text) {
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// One character's bytes; ASCII, by far the most common, without the decoder's call.
inline char* PutCharacter(char* out, std::string_view text, std::size_t& at) {
  const char lead = text[at];
  if (static_cast<unsigned char>(lead) < 0x80) {
    *out++ = lead;
    ++at;
    return out;
  }
  const std::size_t bytes = CharacterLength(text, at);
  out = Put(out, text.substr(at, bytes));
  at += bytes;
  return out;
}

enum class Wave { kNone, kSubSup };

// Both fades share everything but what surrounds the characters at the wrapped positions (the
// odd ones: wave phases 1 and 3). The output size is known before the first byte is written.
// A short fixed text kept in a 16-byte block, so that writing it is one fixed-size copy; the
// output buffer carries 16 bytes of slack for the bytes past its end.
struct ShortText {
  static constexpr std::size_t kBlock = 16;
  std::array<char, kBlock> bytes{};
  std::string_view text;

  explicit ShortText(std::string_view source) : text(source) {
    if (source.size() <= kBlock) std::memcpy(bytes.data(), source.data(), source.size());
  }
  char* WriteTo(char* out) const {
    if (text.size() <= kBlock) [[likely]] {
      std::memcpy(out, bytes.data(), kBlock);
      return out + text.size();
    }
    return Put(out, text);
  }
};

std::string Fade(Wave wave, std::string_view text, double startRed, double startGreen,
                 double startBlue, double endRed, double endGreen, double endBlue,
                 std::string_view stylez) {
  const std::size_t length = CharacterCount(text);
  if (length == 0) return {};

  // What stands before and after the character at phases 1 and 3.
  const bool wavy = wave == Wave::kSubSup;
  const std::string before1 = std::string(stylez) + std::string(wavy ? kSubOpen : "");
  const std::string after1 = std::string(stylez) + std::string(wavy ? kSubClose : "");
  const std::string before3 = std::string(stylez) + std::string(wavy ? kSupOpen : "");
  const std::string after3 = std::string(stylez) + std::string(wavy ? kSupClose : "");
  const ShortText wrapBefore[2] = {ShortText(before1), ShortText(before3)};
  const ShortText wrapAfter[2] = {ShortText(after1), ShortText(after3)};

  const std::size_t phase1Count = (length + 3) / 4, phase3Count = (length + 1) / 4;
  const std::size_t size = length * kTagLength + text.size() +
                           phase1Count * (before1.size() + after1.size()) +
                           phase3Count * (before3.size() + after3.size());

  std::string result(size + ShortText::kBlock, '\0');
  char* out = result.data();
  const double count = static_cast<double>(length);
  const double stepRed = (endRed - startRed) / count, stepGreen = (endGreen - startGreen) / count,
               stepBlue = (endBlue - startBlue) / count;

  std::size_t at = 0;
  double position = 0;  // i as a double: exact far beyond any text length
  for (std::size_t i = 0; i < length; ++i) {
    position += 1;
    std::memcpy(out, kColourTagOpen.data(), kColourTagOpen.size());
    out = WriteHex(out + kColourTagOpen.size(), startRed + stepRed * position,
                   startGreen + stepGreen * position, startBlue + stepBlue * position);
    *out++ = '>';
    // i counts from 0 here: phases 1 and 3 are the even i, phase 3 those with bit 1 set.
    const bool wrapped = (i & 1) == 0;
    if (wrapped) out = wrapBefore[(i >> 1) & 1].WriteTo(out);
    out = PutCharacter(out, text, at);
    if (wrapped) out = wrapAfter[(i >> 1) & 1].WriteTo(out);
  }
  result.resize(size);
  return result;
}

}  // namespace

std::string RgbToHex(double red, double green, double blue) {
  std::string digits(6, '0');
  WriteHex(digits.data(), red, green, blue);
  // The digits are written from a table and never hold a space; the strip stays as the one
  // definition of hex colour text promises it.
  return StripSpaces(digits);
}

std::string StripSpaces(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (c != ' ') result.push_back(c);
  }
  return result;
}

std::string FadeTwoColors(std::string_view text, double startRed, double startGreen,
                          double startBlue, double endRed, double endGreen, double endBlue,
                          std::string_view stylez) {
  return Fade(Wave::kNone, text, startRed, startGreen, startBlue, endRed, endGreen, endBlue,
              stylez);
}

std::string FadeWavy(std::string_view text, double startRed, double startGreen, double startBlue,
                     double endRed, double endGreen, double endBlue, std::string_view stylez) {
  return Fade(Wave::kSubSup, text, startRed, startGreen, startBlue, endRed, endGreen, endBlue,
              stylez);
}

}  // namespace vfx::fade
