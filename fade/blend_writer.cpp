#include <algorithm>
#include <cstdint>

#include "fade/blend_ramp.h"
#include "fade/fade_writer.h"
#include "fade/pieces.h"
#include "fade/tag.h"
#include "fade/utf8.h"

namespace vfx::fade {
namespace {

using namespace detail;

// Colours come in batches, computed together, then the pieces that carry them: a span of the
// ramp's each.
constexpr std::size_t kBatch = BlendRamp::kSpan;

template <typename Wrap>
char* BlendEach(char* out, const BlendRamp& ramp, std::size_t characters, Source& source,
                const Wrap& wrap) {
  std::uint64_t digits[kBatch];
  for (std::size_t first = 1; first <= characters; first += kBatch) {
    const std::size_t count = std::min(kBatch, characters - first + 1);
    ramp.Digits(first, count, digits);
    for (std::size_t k = 0; k < count; ++k) out = PutPiece(out, digits[k], source, wrap);
  }
  return out;
}

Colour ColourOf(const Rgb& rgb) {
  return {static_cast<double>(rgb.red), static_cast<double>(rgb.green),
          static_cast<double>(rgb.blue)};
}

}  // namespace

std::size_t FadeWriter::AppendBlend(std::string& out, std::string_view text, std::size_t characters,
                                    const Rgb& start, const Rgb& end, Blend blend) const {
  if (blend != Blend::kEven && blend != Blend::kVivid) {
    return Append(out, text, characters, ColourOf(start), ColourOf(end));
  }
  if (characters == 0) return 0;
  const std::size_t most = MarkupSize(characters, std::min(text.size(), 4 * characters));
  const std::size_t oldSize = out.size();
  Source source{text, 0, 0};
  const auto write = [&](char* buffer, std::size_t) {
    char* const begin = buffer + oldSize;
    const BlendRamp ramp(start, end, blend, characters);
    char* finish;
    if (before_[0].empty() && after_[0].empty() && before_[1].empty() && after_[1].empty()) {
      finish = BlendEach(begin, ramp, characters, source, NoWrap{});
    } else if (ShortWrap::Fits(before_, after_)) {
      finish = BlendEach(begin, ramp, characters, source, ShortWrap(before_, after_));
    } else {
      finish = BlendEach(begin, ramp, characters, source, LongWrap(before_, after_));
    }
    return static_cast<std::size_t>(finish - buffer);
  };
#if defined(__cpp_lib_string_resize_and_overwrite)
  out.resize_and_overwrite(oldSize + most + kSlack, write);
#else
  out.resize(oldSize + most + kSlack);
  out.resize(write(out.data(), out.size()));
#endif
  return source.at;
}

}  // namespace vfx::fade
