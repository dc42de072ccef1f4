// The one writer that walks every format's row.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "formats/format.h"
#include "text/utf8.h"

namespace vfx::formats {
namespace {

using PieceKind = Format::PieceKind;

// What one byte of text may become at most: a reference such as &quot; or U+FFFD's bytes.
constexpr std::size_t kMostEscapeBytes = 6;

struct Decimal {
  char digits[4];
  std::uint8_t size;
};

constexpr std::array<Decimal, 256> MakeDecimals() {
  std::array<Decimal, 256> table{};
  for (int value = 0; value < 256; ++value) {
    Decimal& d = table[value];
    if (value >= 100) d.digits[d.size++] = static_cast<char>('0' + value / 100);
    if (value >= 10) d.digits[d.size++] = static_cast<char>('0' + value / 10 % 10);
    d.digits[d.size++] = static_cast<char>('0' + value % 10);
  }
  return table;
}
constexpr std::array<Decimal, 256> kDecimals = MakeDecimals();

char* Copy(char* out, std::string_view text) {
  if (text.empty()) return out;  // an empty view's data may be null, which memcpy may not take
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

char* PutDecimal(char* out, int value) {
  const Decimal& d = kDecimals[static_cast<unsigned>(value) & 0xFFu];
  std::memcpy(out, d.digits, 4);  // the room is there: MostBytes counts three and the slack
  return out + d.size;
}

char* PutHex(char* out, int value, const char* digits) {
  const auto v = static_cast<unsigned>(value) & 0xFFu;
  out[0] = digits[v >> 4];
  out[1] = digits[v & 15];
  return out + 2;
}

constexpr char kLower[] = "0123456789abcdef";
constexpr int kCachedBits = 12;
constexpr std::size_t kCachedColours = std::size_t{1} << kCachedBits;
constexpr char kUpper[] = "0123456789ABCDEF";

bool Chosen(const Styles& styles, int k) {
  switch (k) {
    case 0:
      return styles.bold;
    case 1:
      return styles.italic;
    case 2:
      return styles.underline;
    default:
      return styles.strike;
  }
}

// One character of text, escaped as the place needs.
char* PutCharacter(char* out, const char* bytes, std::size_t length, Escape escape) {
  if (length == 1) {
    const char c = *bytes;
    if (static_cast<unsigned char>(c) >= 0x80) return Copy(out, text::kReplacementBytes);
    if (escape == Escape::kHtml) {
      switch (c) {
        case '&':
          return Copy(out, "&amp;");
        case '<':
          return Copy(out, "&lt;");
        case '>':
          return Copy(out, "&gt;");
        case '"':
          return Copy(out, "&quot;");
        case '\'':
          return Copy(out, "&#39;");
        default:
          break;
      }
    } else if (escape == Escape::kMiniMessage && (c == '<' || c == '\\')) {
      *out++ = '\\';
    }
    *out++ = c;
    return out;
  }
  std::memcpy(out, bytes, length);
  return out + length;
}

std::uint32_t Packed(const fade::Rgb& colour) {
  return (static_cast<std::uint32_t>(colour.red) & 0xFFu) << 16 |
         (static_cast<std::uint32_t>(colour.green) & 0xFFu) << 8 |
         (static_cast<std::uint32_t>(colour.blue) & 0xFFu);
}

int NearestLevel(int value) {
  // The cube's levels 0, 95, 135, 175, 215, 255: below each midpoint (or on it) the lower one.
  if (value <= 47) return 0;
  if (value <= 115) return 1;
  if (value <= 155) return 2;
  if (value <= 195) return 3;
  if (value <= 235) return 4;
  return 5;
}

int Square(int x) { return x * x; }

}  // namespace

int NearestXterm(const fade::Rgb& colour) {
  constexpr int kLevels[] = {0, 95, 135, 175, 215, 255};
  const int r = NearestLevel(colour.red), g = NearestLevel(colour.green),
            b = NearestLevel(colour.blue);
  int best = 16 + 36 * r + 6 * g + b;
  int bestDistance = Square(colour.red - kLevels[r]) + Square(colour.green - kLevels[g]) +
                     Square(colour.blue - kLevels[b]);
  for (int k = 0; k < 24; ++k) {
    const int grey = 8 + 10 * k;
    const int distance =
        Square(colour.red - grey) + Square(colour.green - grey) + Square(colour.blue - grey);
    if (distance < bestDistance) {
      best = 232 + k;
      bestDistance = distance;
    }
  }
  return best;
}

std::size_t Format::MostBytes(std::size_t bytes, std::size_t characters) const {
  std::size_t styles = row_.lineEnd.size();
  for (int k = 0; k < 4; ++k) styles += row_.styleOpen[k].size() + row_.styleClose[k].size();
  return styles + characters * (mostHeadBytes_ + mostTailBytes_ + mostWaveBytes_) +
         bytes * kMostEscapeBytes;
}

Writer::Writer(const Format& format, Styles styles, bool wavy)
    : format_(format),
      styles_(styles),
      wavy_(wavy && !format.row_.waveOpen[0].empty()),
      cached_(format.mostHeadBytes_ <= Codes::kHead && format.mostTailBytes_ <= Codes::kTail),
      codes_(cached_ ? kCachedColours : 0) {}

std::size_t Writer::MostBytes(std::size_t bytes, std::size_t characters) const {
  // The codes are copied as whole blocks, which may reach past what they hold.
  return format_.MostBytes(bytes, characters) + Codes::kHead + Codes::kTail;
}

char* Writer::PutPieces(char* out, const std::vector<Format::Piece>& pieces,
                        const fade::Rgb& colour, int xterm) const {
  const Row& row = format_.row_;
  for (const Format::Piece& piece : pieces) {
    switch (piece.kind) {
      case PieceKind::kLiteral:
        out = Copy(out, piece.literal);
        break;
      case PieceKind::kHexLower:
      case PieceKind::kHexUpper: {
        const char* digits = piece.kind == PieceKind::kHexLower ? kLower : kUpper;
        out = PutHex(PutHex(PutHex(out, colour.red, digits), colour.green, digits), colour.blue,
                     digits);
        break;
      }
      case PieceKind::kRed:
        out = PutDecimal(out, colour.red);
        break;
      case PieceKind::kGreen:
        out = PutDecimal(out, colour.green);
        break;
      case PieceKind::kBlue:
        out = PutDecimal(out, colour.blue);
        break;
      case PieceKind::kXterm:
        out = PutDecimal(out, xterm);
        break;
      case PieceKind::kLegacy: {
        char pairs[6];
        PutHex(PutHex(PutHex(pairs, colour.red, kUpper), colour.green, kUpper), colour.blue,
               kUpper);
        for (const char digit : pairs) {
          *out++ = '&';
          *out++ = digit;
        }
        break;
      }
      case PieceKind::kStyles:
        for (int k = 0; k < 4; ++k)
          if (Chosen(styles_, k)) out = Copy(out, row.styleOpen[k]);
        break;
      case PieceKind::kIfStyle:
        if (Chosen(styles_, piece.style)) out = Copy(out, piece.literal);
        break;
    }
  }
  return out;
}

const Writer::Codes& Writer::CodesOf(const fade::Rgb& colour) {
  const std::uint32_t packed = Packed(colour);
  Codes& codes = cached_ ? codes_[(packed * 0x9E3779B1u) >> (32 - kCachedBits)] : uncached_;
  if (codes.colour == packed && cached_) return codes;
  codes.colour = packed;
  codes.xterm = format_.usesXterm_ ? NearestXterm(colour) : 0;
  if (cached_) {
    char head[Codes::kHead + 4], tail[Codes::kTail + 4];  // room for a decimal's whole word
    codes.headSize =
        static_cast<std::uint8_t>(PutPieces(head, format_.head_, colour, codes.xterm) - head);
    codes.tailSize =
        static_cast<std::uint8_t>(PutPieces(tail, format_.tail_, colour, codes.xterm) - tail);
    std::memcpy(codes.head, head, Codes::kHead);
    std::memcpy(codes.tail, tail, Codes::kTail);
  }
  return codes;
}

char* Writer::Put(char* out, std::string_view line, std::span<const fade::Rgb> colours) {
  if (line.empty()) return out;
  return Finish(Continue(Start(out), line, colours));
}

char* Writer::Start(char* out) {
  run_ = {};
  if (!format_.stylesInRun_) {
    for (int k = 0; k < 4; ++k)
      if (Chosen(styles_, k)) out = Copy(out, format_.row_.styleOpen[k]);
  }
  return out;
}

char* Writer::CloseRun(char* out, const Run& run) const {
  if (!cached_) return PutPieces(out, format_.tail_, run.colour, run.xterm);
  std::memcpy(out, run.tail, Codes::kTail);
  return out + run.tailSize;
}

char* Writer::Continue(char* out, std::string_view piece, std::span<const fade::Rgb> colours) {
  const Row& row = format_.row_;
  Run run = run_;  // worked on here, where the compiler may keep it in registers
  for (std::size_t at = 0, k = 0; at < piece.size(); ++k, ++run.characters) {
    const std::size_t length =
        static_cast<unsigned char>(piece[at]) < 0x80 ? 1 : text::CharacterLength(piece, at);
    const fade::Rgb& colour = colours[k];
    const std::uint32_t packed = Packed(colour);
    if (!run.open || row.perCharacter || packed != run.last) {
      const Codes& codes = CodesOf(colour);
      const std::uint32_t key =
          format_.onlyXterm_ ? static_cast<std::uint32_t>(codes.xterm) : packed;
      if (!run.open || row.perCharacter || key != run.key) {
        if (run.open) out = CloseRun(out, run);
        if (cached_) {
          std::memcpy(out, codes.head, Codes::kHead);
          out += codes.headSize;
          std::memcpy(run.tail, codes.tail, Codes::kTail);
          run.tailSize = codes.tailSize;
        } else {
          out = PutPieces(out, format_.head_, colour, codes.xterm);
        }
        run.open = true;
        run.key = key;
        run.colour = colour;
        run.xterm = codes.xterm;
      }
      run.last = packed;
    }
    const int phase = wavy_ ? static_cast<int>(run.characters % 4) : 1;
    if (phase == 0 || phase == 2) out = Copy(out, row.waveOpen[phase / 2]);
    out = PutCharacter(out, piece.data() + at, length, row.escape);
    if (phase == 0 || phase == 2) out = Copy(out, row.waveClose[phase / 2]);
    at += length;
  }
  run_ = run;
  return out;
}

char* Writer::Finish(char* out) {
  if (run_.open) out = CloseRun(out, run_);
  if (!format_.stylesInRun_) {
    for (int k = 3; k >= 0; --k)
      if (Chosen(styles_, k)) out = Copy(out, format_.row_.styleClose[k]);
  }
  return Copy(out, format_.row_.lineEnd);
}

void FadeColours(std::size_t length, std::span<const fade::Rgb> stops, fade::Blend blend,
                 std::size_t first, std::span<fade::Rgb> out) {
  const std::vector<fade::Segment> segments = fade::SegmentsOf(length, stops);
  const fade::Rgb last = segments.empty() ? fade::Rgb{} : segments.back().end;
  std::fill(out.begin(), out.end(), last);
  const std::size_t end = first + out.size();
  std::size_t segmentFirst = 0;  // the segment's first character in the line
  for (const fade::Segment& segment : segments) {
    const std::size_t from = std::max(first, segmentFirst);
    const std::size_t to = std::min(end, segmentFirst + segment.characters);
    if (from < to) {
      fade::BlendColours(segment.start, segment.end, blend, from - segmentFirst + 1,
                         segment.characters + segment.pad, out.subspan(from - first, to - from));
    }
    segmentFirst += segment.characters;
  }
}

std::string FormatLine(const Format& format, std::string_view line,
                       std::span<const fade::Rgb> stops, fade::Blend blend, Styles styles,
                       bool wavy) {
  if (line.empty()) return {};
  if (format.IsHost()) {
    std::string markup;
    for (int k = 0; k < 4; ++k)
      if (Chosen(styles, k)) markup += format.row().styleOpen[k];
    return markup + fade::FadeLine(text::WellFormed(line), stops, blend, wavy);
  }
  const std::size_t characters = text::CharacterCount(line);
  std::vector<fade::Rgb> colours(characters);
  FadeColours(characters, stops, blend, 0, colours);
  Writer writer(format, styles, wavy);
  std::string result(writer.MostBytes(line.size(), characters), '\0');
  result.resize(writer.Put(result.data(), line, colours) - result.data());
  return result;
}

}  // namespace vfx::formats
