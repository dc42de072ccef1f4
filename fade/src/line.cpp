#include <algorithm>

#include "fade/fade.h"
#include "fade_writer.h"
#include "text/utf8.h"

namespace vfx::fade {

std::vector<Segment> SegmentsOf(std::size_t length, std::span<const Rgb> stops) {
  const std::size_t count = std::min(stops.size(), kMostStops);
  if (count == 0) return {};
  if (count <= 2) return {{stops[0], stops[count - 1], length, 0}};

  const std::size_t segments = count - 1;
  // S - 1 passes of one space at most bring the length to the next multiple of S.
  std::size_t paddedLength = length;
  for (std::size_t pass = 1; pass < segments; ++pass)
    if (paddedLength % segments != 0) ++paddedLength;
  const std::size_t part = paddedLength / segments;

  std::vector<Segment> result;
  result.reserve(segments);
  for (std::size_t j = 0; j < segments; ++j) {
    const std::size_t first = j * part;
    const std::size_t inLine = std::min(part, length - std::min(first, length));
    // The last segment stops at the line's end; the others run their full part into the pad.
    const std::size_t pad = j + 1 < segments ? part - inLine : 0;
    result.push_back({stops[j], stops[j + 1], inLine, pad});
  }
  return result;
}

std::string FadeLine(std::string_view line, std::span<const Rgb> stops, Blend blend, bool wavy) {
  const std::vector<Segment> segments = SegmentsOf(vfx::text::CharacterCount(line), stops);
  // No style text inside the markup: whoever sends it puts the styles once in front. Every
  // segment is written straight into the result by the fade's own writer, so the result is
  // allocated once, at its exact size, and no segment is built apart and copied.
  const detail::FadeWriter writer(wavy ? detail::Wave::kSubSup : detail::Wave::kNone, "");
  std::size_t size = line.size();
  for (const Segment& segment : segments)
    size += writer.MarkupSize(segment.characters + segment.pad, segment.pad);
  std::string markup;
  markup.reserve(size + detail::FadeWriter::kSlack);

  // The padded line is never built: a segment is read where it stands in the line, and the
  // writer says where it ended; only a segment that reaches into the pad gets its spaces added
  // to a copy.
  std::size_t begin = 0;  // byte offset of the segment's first character
  for (const Segment& segment : segments) {
    const std::string_view rest = line.substr(begin);
    if (segment.pad == 0) {
      begin +=
          writer.AppendBlend(markup, rest, segment.characters, segment.start, segment.end, blend);
    } else {
      std::string withPad(rest);  // the rest of the line is this segment's last characters
      withPad.append(segment.pad, ' ');
      writer.AppendBlend(markup, withPad, segment.characters + segment.pad, segment.start,
                         segment.end, blend);
      begin = line.size();
    }
  }
  return markup;
}

}  // namespace vfx::fade
