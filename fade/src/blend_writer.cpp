#include <algorithm>
#include <cstdint>

#include "blend_ramp.h"
#include "fade_writer.h"
#include "pieces.h"
#include "tag.h"
#include "text/utf8.h"

namespace vfx::fade::detail {
namespace {

template <typename Wrap>
char* BlendEach(char* out, const BlendRamp& ramp, std::size_t characters, Source& source,
                const Wrap& wrap) {
  for (std::size_t position = 1; position <= characters; position += 2) {
    const TwoDigits digits = ramp.DigitsAt(position);
    out = PutPiece(out, digits.first, source, wrap);
    if (position < characters) out = PutPiece(out, digits.second, source, wrap);
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

}  // namespace vfx::fade::detail
