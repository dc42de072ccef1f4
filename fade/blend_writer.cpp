#include <algorithm>
#include <cstdint>

#include "fade/blend_ramp.h"
#include "fade/fade_writer.h"
#include "fade/pieces.h"
#include "fade/tag.h"
#include "text/utf8.h"

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

}  // namespace

std::size_t FadeWriter::AppendBlend(std::string& out, std::string_view text, std::size_t characters,
                                    const Rgb& start, const Rgb& end, Blend blend) const {
  if (blend != Blend::kEven && blend != Blend::kVivid) {
    return Append(out, text, characters, ColourOf(start), ColourOf(end));
  }
  if (characters == 0) return 0;
  const std::size_t most = MarkupSize(characters, std::min(text.size(), 4 * characters));
  Source source{text, 0, 0};
  const BlendRamp ramp(start, end, blend, characters);
  AppendInPlace(out, most + kSlack, [&](char* begin) {
    return WithWrap(before_, after_, [&](const auto& wrap) {
      return BlendEach(begin, ramp, characters, source, wrap);
    });
  });
  return source.at;
}

}  // namespace vfx::fade
