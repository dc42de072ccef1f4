#include "fade/fade_writer.h"

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

inline std::size_t LengthAt(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) < 0x80 ? 1 : CharacterLength(text, at);
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

// Wrapping policies: what stands around the characters at phases 1 and 3.
struct NoWrap {
  static constexpr bool kWraps = false;
  char* Before(int, char* out) const { return out; }
  char* After(int, char* out) const { return out; }
};

// Texts of at most 16 bytes, each written with one fixed-size store.
class ShortWrap {
 public:
  static constexpr bool kWraps = true;
  static constexpr std::size_t kMost = 16;
  ShortWrap(const std::string (&before)[2], const std::string (&after)[2]) {
    for (int k = 0; k < 2; ++k) {
      Set(before_[k], before[k]);
      Set(after_[k], after[k]);
    }
  }
  char* Before(int phase, char* out) const { return Write(before_[phase], out); }
  char* After(int phase, char* out) const { return Write(after_[phase], out); }

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
  if (wrapped) out = wrap.Before(phase, out);
  const std::size_t length = lead < 0x80 ? 1 : CharacterLength(source.text, source.at);
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
    // Runs of one-byte characters, several at a time, each piece assembled in two stores.
    if constexpr (!Wrap::kWraps) {
      if (count >= 8 && bytes - source.at >= 8) {
        std::uint64_t eight;
        std::memcpy(&eight, in + source.at, 8);
        if ((eight & 0x8080808080808080ull) == 0) {
          for (int k = 0; k < 8; ++k, out += kTagBytes + 1) {
            PutTag(out, tag | (eight >> (8 * k) << 56));
          }
          source.at += 8;
          source.index += 8;
          count -= 8;
          continue;
        }
      }
    } else {
      if (source.index % 4 == 0 && count >= 4 && bytes - source.at >= 4) {
        std::uint32_t four;
        std::memcpy(&four, in + source.at, 4);
        if ((four & 0x80808080u) == 0) {
          for (int k = 0; k < 4; k += 2) {
            PutTag(out, tag);
            out = wrap.Before(k / 2, out + kTagBytes);
            *out++ = static_cast<char>(four >> (8 * k));
            out = wrap.After(k / 2, out);
            PutTag(out, tag | (std::uint64_t{(four >> (8 * k + 8)) & 0xFFu} << 56));
            out += kTagBytes + 1;
          }
          source.at += 4;
          source.index += 4;
          count -= 4;
          continue;
        }
      }
    }
    out = PutPiece(out, digits, source, wrap);
    --count;
  }
  return out;
}

// The last position from `first` on (at most `last`) whose colour has `key`. Each component of
// start + step * i is monotonic in i (a product and a sum of doubles never step back, nor does
// the rounding), so the characters that share a colour stand together: a gallop and a halving
// find where they end with a few colours computed instead of one per character. On a long text
// the colour changes at most some 765 times, however long the text is. `next` receives the key
// after the run when that was computed.
std::size_t RunEnd(const Ramp& ramp, const Key& key, std::size_t first, std::size_t last, Key& next,
                   bool& haveNext) {
  std::size_t same = first, differs = last + 1;
  for (std::size_t step = 1; same + step < differs; step *= 2) {
    const Key probe = KeyAt(ramp, same + step);
    if (!(probe == key)) {
      differs = same + step;
      next = probe;
      break;
    }
    same += step;
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

// Where the colour changes every character or two, one colour per character costs less than
// finding where each colour ends.
template <typename Wrap>
char* FadeEach(char* out, const Ramp& ramp, std::size_t characters, Source& source,
               const Wrap& wrap) {
  for (std::size_t position = 1; position <= characters; ++position) {
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

void FadeWriter::Append(std::string& out, std::string_view text, std::size_t characters,
                        const Colour& start, const Colour& end) const {
  if (characters == 0) return;
  const std::size_t size = MarkupSize(characters, text.size());
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
    } else if (before_[0].size() <= ShortWrap::kMost && after_[0].size() <= ShortWrap::kMost &&
               before_[1].size() <= ShortWrap::kMost && after_[1].size() <= ShortWrap::kMost) {
      finish = FadeFast(begin, ramp, characters, source, ShortWrap(before_, after_));
    } else {
      finish = FadeFast(begin, ramp, characters, source, LongWrap(before_, after_));
    }
    return static_cast<std::size_t>(finish - buffer);
  };
  // Every byte of the markup is written once, into memory that is not filled with zeros first.
#if defined(__cpp_lib_string_resize_and_overwrite)
  out.resize_and_overwrite(oldSize + size + kSlack, write);
#else
  out.resize(oldSize + size + kSlack);
  out.resize(write(out.data(), out.size()));
#endif
}

}  // namespace vfx::fade
