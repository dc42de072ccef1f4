// Two doubles worked on together: packed SSE2 where the processor has it, two scalars elsewhere.
// Every lane's result is the IEEE double of its scalar operation (no operation here fuses or
// widens), so a colour computed in either lane, or alone, is the same double. Shared by the
// blends' files alone.
#pragma once

#include <cstdint>

#include "tag.h"  // VFX_FADE_SSE2, with <emmintrin.h>

namespace vfx::fade::detail {

#if defined(VFX_FADE_SSE2)
struct Lanes {
  __m128d v;
};
inline Lanes Both(double x) { return {_mm_set1_pd(x)}; }
inline Lanes LanesOf(double first, double second) { return {_mm_setr_pd(first, second)}; }
inline double First(Lanes x) { return _mm_cvtsd_f64(x.v); }
inline double Second(Lanes x) { return _mm_cvtsd_f64(_mm_unpackhi_pd(x.v, x.v)); }
inline Lanes operator+(Lanes x, Lanes y) { return {_mm_add_pd(x.v, y.v)}; }
inline Lanes operator*(Lanes x, Lanes y) { return {_mm_mul_pd(x.v, y.v)}; }
// The second operand where the first is not a number, as the SSE2 instructions do.
inline Lanes Larger(Lanes x, Lanes y) { return {_mm_max_pd(x.v, y.v)}; }
inline Lanes Smaller(Lanes x, Lanes y) { return {_mm_min_pd(x.v, y.v)}; }
// Each lane toward zero, as an int (the lanes lie well within its range).
struct Ints {
  int first, second;
};
inline Ints Truncated(Lanes x) {
  const __m128i both = _mm_cvttpd_epi32(x.v);
  return {_mm_cvtsi128_si32(both), _mm_cvtsi128_si32(_mm_shuffle_epi32(both, 1))};
}
#else
struct Lanes {
  double first, second;
};
inline Lanes Both(double x) { return {x, x}; }
inline Lanes LanesOf(double first, double second) { return {first, second}; }
inline double First(Lanes x) { return x.first; }
inline double Second(Lanes x) { return x.second; }
inline Lanes operator+(Lanes x, Lanes y) { return {x.first + y.first, x.second + y.second}; }
inline Lanes operator*(Lanes x, Lanes y) { return {x.first * y.first, x.second * y.second}; }
inline Lanes Larger(Lanes x, Lanes y) {
  return {x.first > y.first ? x.first : y.first, x.second > y.second ? x.second : y.second};
}
inline Lanes Smaller(Lanes x, Lanes y) {
  return {x.first < y.first ? x.first : y.first, x.second < y.second ? x.second : y.second};
}
struct Ints {
  int first, second;
};
inline Ints Truncated(Lanes x) { return {static_cast<int>(x.first), static_cast<int>(x.second)}; }
#endif

}  // namespace vfx::fade::detail
