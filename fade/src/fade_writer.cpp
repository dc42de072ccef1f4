#include "fade_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "pair_ramp.h"
#include "pieces.h"
#include "ramp.h"
#include "tag.h"

namespace vfx::fade::detail {
namespace {

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
// position is at most the difference, rounded), where the rounding needs no general rule: a
// proven bound, with room for the rounding.
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
  Source source{text, 0, 0};
  const Ramp ramp(start, end, characters);
  AppendInPlace(out, most + kSlack, [&](char* begin) {
    if (!WithinFastRange(start) || !WithinFastRange(end)) {
      return FadeEachAnyValue(begin, ramp, characters, source, LongWrap(before_, after_));
    }
    return WithWrap(before_, after_, [&](const auto& wrap) {
      return FadeFast(begin, ramp, characters, source, wrap);
    });
  });
  return source.at;
}

}  // namespace vfx::fade::detail
