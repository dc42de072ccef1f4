// Two characters' colours at once with SSE2, for the fade writer alone.
#pragma once

#include "ramp.h"
#include "tag.h"

#if defined(VFX_FADE_SSE2)
namespace vfx::fade::detail {

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

}  // namespace vfx::fade::detail
#endif
