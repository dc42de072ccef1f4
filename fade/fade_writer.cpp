#include "fade/fade_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define VFX_FADE_SSE2 1
#include <emmintrin.h>
#endif

#include "fade/utf8.h"

namespace vfx::fade {
namespace {

// Tags are assembled as little-endian words: the first byte in memory is the lowest.
static_assert(std::endian::native == std::endian::little);

// One 16-byte store begins every tag; the digits' store overwrites its last three bytes.
constexpr char kTagTemplate[16] = {'<', 'F', 'O', 'N', 'T', ' ', 'C', 'O',
                                   'L', 'O', 'R', '=', '#', '0', '0', '0'};
constexpr std::size_t kDigitsAt = 13;
// "<FONT COLOR=#", six digits and ">".
constexpr std::size_t kTagBytes = 20;
// The digits' word: six digits, then ">", then the character when it is one byte long.
constexpr std::uint64_t kTagClose = std::uint64_t{'>'} << 48;

constexpr std::array<std::uint16_t, 256> MakeHexPairs() {
  constexpr char digits[] = "0123456789ABCDEF";
  std::array<std::uint16_t, 256> pairs{};
  for (int value = 0; value < 256; ++value) {
    pairs[value] = static_cast<std::uint16_t>(digits[value >> 4] | (digits[value & 15] << 8));
  }
  return pairs;
}
constexpr std::array<std::uint16_t, 256> kHexPairs = MakeHexPairs();

std::uint64_t DigitsOf(unsigned red, unsigned green, unsigned blue) {
  return kHexPairs[red & 0xFFu] | (std::uint64_t{kHexPairs[green & 0xFFu]} << 16) |
         (std::uint64_t{kHexPairs[blue & 0xFFu]} << 32);
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
unsigned AnyComponentByte(double component) {
  if (std::fabs(component) < 1073741824.0) return static_cast<unsigned>(Nearest(component)) & 0xFFu;
  if (!std::isfinite(component)) return 0;
  double remainder = std::fmod(component, 256.0);
  if (remainder < 0) remainder += 256.0;
  return static_cast<unsigned>(remainder);
}

// Character i's colour (i from 1): start + (d / L) * i per component, in double, in exactly that
// order. Contracting the multiply and the add into one fused operation would change results;
// the build forbids it for this code.
class Ramp {
 public:
  Ramp(const Colour& start, const Colour& end, std::size_t characters) : start_(start) {
    const double count = static_cast<double>(characters);
    step_ = {(end.red - start.red) / count, (end.green - start.green) / count,
             (end.blue - start.blue) / count};
  }

  double ChangesPerCharacter() const {
    return std::fabs(step_.red) + std::fabs(step_.green) + std::fabs(step_.blue);
  }

  Colour At(std::size_t position) const {
    const double i = static_cast<double>(position);
    return {start_.red + step_.red * i, start_.green + step_.green * i,
            start_.blue + step_.blue * i};
  }

  const Colour& start() const { return start_; }
  const Colour& step() const { return step_; }

 private:
  Colour start_, step_;
};

// Above this many colour changes per character, runs are too short to look for.
constexpr double kMostChangesForRuns = 0.25;

// The three rounded components, before they are taken modulo 256.
struct Key {
  int red, green, blue;
  bool operator==(const Key&) const = default;
};

Key KeyAt(const Ramp& ramp, std::size_t position) {
  const Colour c = ramp.At(position);
  return {Nearest(c.red), Nearest(c.green), Nearest(c.blue)};
}

std::uint64_t DigitsOf(const Key& key) {
  return DigitsOf(static_cast<unsigned>(key.red), static_cast<unsigned>(key.green),
                  static_cast<unsigned>(key.blue));
}

// Wrapping policies: what stands around the characters at phases 1 and 3 (`phase` 0 and 1).
struct NoWrap {
  static constexpr bool kWraps = false;
  char* Before(int, char* out) const { return out; }
  char* After(int, char* out) const { return out; }
  char* Around(int, char, char* out) const { return out; }
};

// Texts of at most 16 bytes, each written with one fixed-size store.
class ShortWrap {
 public:
  static constexpr bool kWraps = true;
  static constexpr std::size_t kMost = 16;
  static bool Fits(const std::string (&before)[2], const std::string (&after)[2]) {
    return before[0].size() <= kMost && after[0].size() <= kMost && before[1].size() <= kMost &&
           after[1].size() <= kMost;
  }
  ShortWrap(const std::string (&before)[2], const std::string (&after)[2]) {
    for (int k = 0; k < 2; ++k) {
      Set(before_[k], before[k]);
      Set(after_[k], after[k]);
    }
  }
  char* Before(int phase, char* out) const { return Write(before_[phase], out); }
  char* After(int phase, char* out) const { return Write(after_[phase], out); }
  char* Around(int phase, char character, char* out) const {
    out = Before(phase, out);
    *out++ = character;
    return After(phase, out);
  }

 private:
  struct Block {
    std::array<char, kMost> bytes{};
    std::size_t size = 0;
  };
  static void Set(Block& block, const std::string& text) {
    std::memcpy(block.bytes.data(), text.data(), text.size());
    block.size = text.size();
  }
  static char* Write(const Block& block, char* out) {
    std::memcpy(out, block.bytes.data(), kMost);
    return out + block.size;
  }
  Block before_[2], after_[2];
};

class LongWrap {
 public:
  static constexpr bool kWraps = true;
  LongWrap(const std::string (&before)[2], const std::string (&after)[2])
      : before_(before), after_(after) {}
  char* Before(int phase, char* out) const { return Put(before_[phase], out); }
  char* After(int phase, char* out) const { return Put(after_[phase], out); }
  char* Around(int phase, char character, char* out) const {
    out = Before(phase, out);
    *out++ = character;
    return After(phase, out);
  }

 private:
  static char* Put(const std::string& text, char* out) {
    if (!text.empty()) std::memcpy(out, text.data(), text.size());
    return out + text.size();
  }
  const std::string (&before_)[2];
  const std::string (&after_)[2];
};

struct Source {
  std::string_view text;
  std::size_t at;
  std::size_t index;  // characters written so far; phases 1 and 3 are the even ones
};

// One piece. A one-byte character outside the wrapping goes into the digits' store.
template <typename Wrap>
inline char* PutPiece(char* out, std::uint64_t digits, Source& source, const Wrap& wrap) {
  const std::uint64_t tag = digits | kTagClose;
  const char* const in = source.text.data();
  const std::size_t bytes = source.text.size();
  const auto lead = static_cast<unsigned char>(in[source.at]);
  const std::size_t index = source.index++;
  const bool wrapped = Wrap::kWraps && index % 2 == 0;
  if (lead < 0x80 && !wrapped) {
    PutTag(out, tag | (std::uint64_t{lead} << 56));
    ++source.at;
    return out + kTagBytes + 1;
  }
  PutTag(out, tag);
  out += kTagBytes;
  const int phase = static_cast<int>((index >> 1) & 1);
  if (lead < 0x80) {
    ++source.at;
    return wrap.Around(phase, static_cast<char>(lead), out);
  }
  if (wrapped) out = wrap.Before(phase, out);
  const std::size_t length = CharacterLength(source.text, source.at);
  if (bytes - source.at >= 4) {
    std::memcpy(out, in + source.at, 4);  // the slack takes the bytes past the character
  } else {
    std::memcpy(out, in + source.at, length);
  }
  out += length;
  source.at += length;
  if (wrapped) out = wrap.After(phase, out);
  return out;
}

// `count` pieces that share one colour, `digits`.
template <typename Wrap>
char* PutPieces(char* out, std::uint64_t digits, std::size_t count, Source& source,
                const Wrap& wrap) {
  const std::uint64_t tag = digits | kTagClose;
  const char* const in = source.text.data();
  const std::size_t bytes = source.text.size();
  while (count > 0) {
    // Runs of one-byte characters, eight at a time, each piece assembled in few stores.
    if (count >= 8 && bytes - source.at >= 8 && (!Wrap::kWraps || source.index % 4 == 0)) {
      std::uint64_t eight;
      std::memcpy(&eight, in + source.at, 8);
      if ((eight & 0x8080808080808080ull) == 0) {
        if constexpr (Wrap::kWraps) {
          // Phases 1, 2, 3, 4, 1, 2, 3, 4.
          for (int k = 0; k < 8; k += 2) {
            PutTag(out, tag);
            out = wrap.Around((k >> 1) & 1, static_cast<char>(eight >> (8 * k)), out + kTagBytes);
            PutTag(out, tag | (eight >> (8 * k + 8) << 56));
            out += kTagBytes + 1;
          }
        } else {
          for (int k = 0; k < 8; ++k, out += kTagBytes + 1) {
            PutTag(out, tag | (eight >> (8 * k) << 56));
          }
        }
        source.at += 8;
        source.index += 8;
        count -= 8;
        continue;
      }
    }
    out = PutPiece(out, digits, source, wrap);
    --count;
  }
  return out;
}

// Where the run of `key` from `first` ends, by the straight line: each component keeps its
// rounded value until it crosses the next half. A guess, close but not exact; RunEnd checks it.
std::size_t GuessRunEnd(const Ramp& ramp, const Key& key, std::size_t first, std::size_t last) {
  double end = static_cast<double>(last);
  const auto limit = [&](int rounded, double start, double step) {
    if (step == 0) return;
    const double edge = rounded + (step > 0 ? 0.5 : -0.5);
    end = std::min(end, std::floor((edge - start) / step));
  };
  limit(key.red, ramp.start().red, ramp.step().red);
  limit(key.green, ramp.start().green, ramp.step().green);
  limit(key.blue, ramp.start().blue, ramp.step().blue);
  return end > static_cast<double>(first) ? static_cast<std::size_t>(end) : first;
}

// The last position from `first` on (at most `last`) whose colour has `key`. Each component of
// start + step * i is monotonic in i (a product and a sum of doubles never step back, nor does
// the rounding), so the characters that share a colour stand together and two colours computed
// at the guessed end and past it prove where the run ends; a missed guess falls back to a
// gallop and a halving. On a long text the colour changes at most some 765 times, however long
// the text is. `next` receives the key after the run when that was computed.
std::size_t RunEnd(const Ramp& ramp, const Key& key, std::size_t first, std::size_t last, Key& next,
                   bool& haveNext) {
  std::size_t same = first, differs = last + 1;
  const std::size_t guess = GuessRunEnd(ramp, key, first, last);
  if (guess > first) {
    const Key probe = KeyAt(ramp, guess);
    if (probe == key) {
      same = guess;
    } else {
      differs = guess;
      next = probe;
      // Most often one too far.
      const Key before = KeyAt(ramp, guess - 1);
      if (before == key) {
        same = guess - 1;
      } else {
        differs = guess - 1;
        next = before;
      }
    }
  }
  if (differs > last) {
    for (std::size_t step = 1; same + step < differs; step *= 2) {
      const Key probe = KeyAt(ramp, same + step);
      if (!(probe == key)) {
        differs = same + step;
        next = probe;
        break;
      }
      same += step;
    }
  }
  while (differs - same > 1) {
    const std::size_t middle = same + (differs - same) / 2;
    const Key probe = KeyAt(ramp, middle);
    if (probe == key) {
      same = middle;
    } else {
      differs = middle;
      next = probe;
    }
  }
  haveNext = differs <= last;
  return same;
}

template <typename Wrap>
char* FadeByRuns(char* out, const Ramp& ramp, std::size_t characters, Source& source,
                 const Wrap& wrap) {
  Key key = KeyAt(ramp, 1);
  for (std::size_t first = 1; first <= characters;) {
    Key next{};
    bool haveNext = false;
    const std::size_t last = RunEnd(ramp, key, first, characters, next, haveNext);
    out = PutPieces(out, DigitsOf(key), last - first + 1, source, wrap);
    first = last + 1;
    if (first <= characters) key = haveNext ? next : KeyAt(ramp, first);
  }
  return out;
}

#if defined(VFX_FADE_SSE2)
// Two characters' colours at once, each component as packed doubles: a packed multiply, add and
// conversion give every lane exactly the bits of their scalar forms. The six components become
// hex digits in the vector too, so the pair's two tag words come out of it whole: the low half
// is the first character's (six digits, ">", a free byte), the high half the second's.
class PairRamp {
 public:
  explicit PairRamp(const Ramp& ramp)
      : startRed_(_mm_set1_pd(ramp.start().red)),
        startGreen_(_mm_set1_pd(ramp.start().green)),
        startBlue_(_mm_set1_pd(ramp.start().blue)),
        stepRed_(_mm_set1_pd(ramp.step().red)),
        stepGreen_(_mm_set1_pd(ramp.step().green)),
        stepBlue_(_mm_set1_pd(ramp.step().blue)) {}

  // `positions` holds i and i + 1.
  __m128i WordsAt(__m128d positions) const {
    const __m128i red = _mm_cvtpd_epi32(_mm_add_pd(startRed_, _mm_mul_pd(stepRed_, positions)));
    const __m128i green =
        _mm_cvtpd_epi32(_mm_add_pd(startGreen_, _mm_mul_pd(stepGreen_, positions)));
    const __m128i blue = _mm_cvtpd_epi32(_mm_add_pd(startBlue_, _mm_mul_pd(stepBlue_, positions)));
    // 16-bit lanes r1 g1 b1 0 r2 g2 b2 0, each taken modulo 256.
    const __m128i byte = _mm_set1_epi32(0xFF);
    const __m128i redGreen = _mm_unpacklo_epi32(red, green);
    const __m128i blueZero = _mm_unpacklo_epi32(blue, _mm_setzero_si128());
    const __m128i components =
        _mm_packs_epi32(_mm_and_si128(_mm_unpacklo_epi64(redGreen, blueZero), byte),
                        _mm_and_si128(_mm_unpackhi_epi64(redGreen, blueZero), byte));
    // Each lane's high nibble in its first byte, the low one in its second.
    const __m128i nibbles =
        _mm_or_si128(_mm_srli_epi16(components, 4),
                     _mm_slli_epi16(_mm_and_si128(components, _mm_set1_epi16(0x0F)), 8));
    const __m128i letters =
        _mm_and_si128(_mm_cmpgt_epi8(nibbles, _mm_set1_epi8(9)), _mm_set1_epi8('A' - '0' - 10));
    // "0" onto every digit, ">" into the free lanes' first byte.
    const __m128i offsets =
        _mm_setr_epi8('0', '0', '0', '0', '0', '0', '>', 0, '0', '0', '0', '0', '0', '0', '>', 0);
    return _mm_add_epi8(_mm_add_epi8(nibbles, offsets), letters);
  }

 private:
  __m128d startRed_, startGreen_, startBlue_, stepRed_, stepGreen_, stepBlue_;
};

inline void PutTemplate(char* out, __m128i tagTemplate) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), tagTemplate);
}
inline void PutLowWord(char* out, __m128i words) {
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), words);
}
inline void PutHighWord(char* out, __m128i words) {
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_unpackhi_epi64(words, words));
}
#endif

// Where the colour changes every character or two, one colour per character costs less than
// finding where each colour ends.
template <typename Wrap>
char* FadeEach(char* out, const Ramp& ramp, std::size_t characters, Source& source,
               const Wrap& wrap) {
  std::size_t position = 1;
#if defined(VFX_FADE_SSE2)
  const PairRamp pairs(ramp);
  const __m128i tagTemplate = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kTagTemplate));
  const char* const in = source.text.data();
  __m128d positions = _mm_setr_pd(1.0, 2.0);
  // Pairs from an even index: the first of each pair is at phase 1 or 3, the second is not.
  for (; position < characters; position += 2) {
    __m128i words = pairs.WordsAt(positions);
    positions = _mm_add_pd(positions, _mm_set1_pd(2.0));
    const auto first = static_cast<unsigned char>(in[source.at]);
    if (first < 0x80 && source.at + 1 < source.text.size()) {
      const auto second = static_cast<unsigned char>(in[source.at + 1]);
      if (second < 0x80) {
        words = _mm_insert_epi16(words, '>' | (second << 8), 7);
        if constexpr (Wrap::kWraps) {
          PutTemplate(out, tagTemplate);
          PutLowWord(out + kDigitsAt, words);
          out = wrap.Around(static_cast<int>((source.index >> 1) & 1), static_cast<char>(first),
                            out + kTagBytes);
        } else {
          words = _mm_insert_epi16(words, '>' | (first << 8), 3);
          PutTemplate(out, tagTemplate);
          PutLowWord(out + kDigitsAt, words);
          out += kTagBytes + 1;
        }
        PutTemplate(out, tagTemplate);
        PutHighWord(out + kDigitsAt, words);
        out += kTagBytes + 1;
        source.at += 2;
        source.index += 2;
        continue;
      }
    }
    alignas(16) std::uint64_t pair[2];
    _mm_store_si128(reinterpret_cast<__m128i*>(pair), words);
    out = PutPiece(out, pair[0], source, wrap);
    out = PutPiece(out, pair[1], source, wrap);
  }
#endif
  for (; position <= characters; ++position) {
    out = PutPiece(out, DigitsOf(KeyAt(ramp, position)), source, wrap);
  }
  return out;
}

// Components that are not finite or lie beyond 2^30 take RgbToHex's general rule.
char* FadeEachAnyValue(char* out, const Ramp& ramp, std::size_t characters, Source& source,
                       const LongWrap& wrap) {
  for (std::size_t position = 1; position <= characters; ++position) {
    const Colour c = ramp.At(position);
    out = PutPiece(
        out, DigitsOf(AnyComponentByte(c.red), AnyComponentByte(c.green), AnyComponentByte(c.blue)),
        source, wrap);
  }
  return out;
}

// The wanted strategy for a wrapping: one colour per character, or one per run.
template <typename Wrap>
char* FadeFast(char* out, const Ramp& ramp, std::size_t characters, Source& source,
               const Wrap& wrap) {
  // The components change about this often per character, together.
  if (ramp.ChangesPerCharacter() > kMostChangesForRuns) {
    return FadeEach(out, ramp, characters, source, wrap);
  }
  return FadeByRuns(out, ramp, characters, source, wrap);
}

// Within 2^28 at both ends every value in between stays within 2^30 (the step times the
// position is at most the difference, rounded), where the rounding needs no general rule.
bool WithinFastRange(const Colour& colour) {
  constexpr double kLimit = 268435456.0;  // 2^28; false for NaN
  return std::fabs(colour.red) <= kLimit && std::fabs(colour.green) <= kLimit &&
         std::fabs(colour.blue) <= kLimit;
}

}  // namespace

void PutHexDigits(char* out, double red, double green, double blue) {
  const std::uint64_t digits =
      DigitsOf(AnyComponentByte(red), AnyComponentByte(green), AnyComponentByte(blue));
  std::memcpy(out, &digits, 6);
}

FadeWriter::FadeWriter(Wave wave, std::string_view stylez) {
  const bool wavy = wave == Wave::kSubSup;
  before_[0] = std::string(stylez) + (wavy ? "<sub>" : "");
  after_[0] = std::string(stylez) + (wavy ? "</sub>" : "");
  before_[1] = std::string(stylez) + (wavy ? "<sup>" : "");
  after_[1] = std::string(stylez) + (wavy ? "</sup>" : "");
}

std::size_t FadeWriter::MarkupSize(std::size_t characters, std::size_t textBytes) const {
  const std::size_t phase1 = (characters + 3) / 4, phase3 = (characters + 1) / 4;
  return characters * kTagBytes + textBytes + phase1 * (before_[0].size() + after_[0].size()) +
         phase3 * (before_[1].size() + after_[1].size());
}

std::size_t FadeWriter::Append(std::string& out, std::string_view text, std::size_t characters,
                               const Colour& start, const Colour& end) const {
  if (characters == 0) return 0;
  // The characters take at most four bytes each, and at most the whole text.
  const std::size_t most = MarkupSize(characters, std::min(text.size(), 4 * characters));
  const std::size_t oldSize = out.size();
  Source source{text, 0, 0};
  const auto write = [&](char* buffer, std::size_t) {
    char* const begin = buffer + oldSize;
    const Ramp ramp(start, end, characters);
    char* finish;
    if (!WithinFastRange(start) || !WithinFastRange(end)) {
      finish = FadeEachAnyValue(begin, ramp, characters, source, LongWrap(before_, after_));
    } else if (before_[0].empty() && after_[0].empty() && before_[1].empty() && after_[1].empty()) {
      finish = FadeFast(begin, ramp, characters, source, NoWrap{});
    } else if (ShortWrap::Fits(before_, after_)) {
      finish = FadeFast(begin, ramp, characters, source, ShortWrap(before_, after_));
    } else {
      finish = FadeFast(begin, ramp, characters, source, LongWrap(before_, after_));
    }
    return static_cast<std::size_t>(finish - buffer);
  };
  // Every byte of the markup is written once, into memory that is not filled with zeros first.
#if defined(__cpp_lib_string_resize_and_overwrite)
  out.resize_and_overwrite(oldSize + most + kSlack, write);
#else
  out.resize(oldSize + most + kSlack);
  out.resize(write(out.data(), out.size()));
#endif
  return source.at;
}

}  // namespace vfx::fade
