// A faded line in the notation of the place it goes to: the host's markup, a terminal's escape
// codes, a web page, a forum, a game server, or a notation of the user's own.
//
// Every format is one row of one table (format.cpp), and one writer walks every row: a run of
// characters of one colour is the row's run template with the colour and the text put in, the
// styles open once at the line's start (and close at its end) or again after every colour code,
// and the text is escaped as the place needs. A row is written in the same template language a
// user's own format is, so a new place is a new row.
//
// Text is UTF-8 and one character is one code point (text/utf8.h). A byte that is not UTF-8 is
// written as U+FFFD, so whatever goes in, well-formed UTF-8 comes out.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fade/fade.h"

namespace vfx::formats {

struct Styles {
  bool bold = false, italic = false, underline = false, strike = false;
};

// How the text of a run is made safe for its place.
enum class Escape {
  kNone,
  kHtml,         // & < > " ' as character references
  kMiniMessage,  // < and \ after a backslash
};

// A format as its table has it. A user's template's row has a name and no run: its pieces are in
// its Format.
struct Row {
  std::string_view name{};
  std::string_view summary{};
  // One run of one colour; the placeholders are in Format::kPlaceholders.
  std::string_view run{};
  // Bold, italic, underline, strike: where the run template has {styles} they stand there,
  // after every colour code; elsewhere they open the line and close it, the last first.
  std::array<std::string_view, 4> styleOpen{}, styleClose{};
  // After the line's last run.
  std::string_view lineEnd{};
  Escape escape = Escape::kNone;
  // Every character its own code (the host wants a tag per character), equal colours or not.
  bool perCharacter = false;
  // --color decides whether it is written at all: a terminal's escape codes.
  bool terminal = false;
  // Whether --wavy may apply: around characters 1, 5, 9, ... the first pair, 3, 7, 11, ... the
  // second, inside each character's code.
  std::array<std::string_view, 2> waveOpen{}, waveClose{};
};

// The built-in rows, in the order --list-formats shows them.
std::span<const Row> Rows();

// A row made ready to write: its run template taken apart into pieces once.
class Format {
 public:
  // What a run template may hold besides its own text ({{ and }} are a brace).
  static constexpr std::string_view kPlaceholders =
      "{hex} (six hex digits, lowercase), {HEX} (uppercase), {r} {g} {b} (0 to 255), "
      "{xterm} (the nearest of xterm's 256 colours, 16 to 255), {legacy} (the six digits, each "
      "after an &), {text} (the run's text), {bold:...} {italic:...} {underline:...} "
      "{strike:...} (the text after the colon when that style is chosen)";

  // A built-in format by name (ASCII case ignored); nothing for an unknown name.
  static std::optional<Format> Named(std::string_view name);

  // The user's own format: `run` is a run template holding {text} once. On a mistake (an
  // unknown placeholder, a lone brace, no {text} or two) `error` says what and nothing returns.
  static std::optional<Format> FromTemplate(std::string_view run, std::string& error);

  const Row& row() const { return row_; }
  bool IsHost() const { return host_; }

  // The most bytes a Writer writes for a line of `bytes` bytes holding `characters` characters.
  std::size_t MostBytes(std::size_t bytes, std::size_t characters) const;

  // One part of the run template.
  enum class PieceKind {
    kLiteral,
    kHexLower,
    kHexUpper,
    kRed,
    kGreen,
    kBlue,
    kXterm,
    kLegacy,
    kStyles,
    kIfStyle
  };
  struct Piece {
    PieceKind kind;
    std::string literal;  // a literal's text, or what an IfStyle writes
    int style = 0;        // an IfStyle's style: bold, italic, underline, strike
  };

 private:
  friend class Writer;
  Format(const Row& row, bool host);
  bool Parse(std::string_view run, bool userTemplate, std::string& error);

  Row row_;
  bool host_ = false;
  std::vector<Piece> head_, tail_;                     // before and after {text}
  std::size_t mostHeadBytes_ = 0, mostTailBytes_ = 0;  // styles included
  std::size_t mostWaveBytes_ = 0;
  bool onlyXterm_ = false;    // the colour shows as xterm's number alone: runs are by it
  bool usesXterm_ = false;    // xterm's number shows at all
  bool stylesInRun_ = false;  // {styles} in the template: after every colour code
};

// Lines in one format and one choice of styles. A run's codes depend on its colour alone, so the
// writer keeps the codes of the colours it met (a few thousand, direct-mapped by colour), and a
// run whose colour came before costs two copies.
class Writer {
 public:
  Writer(const Format& format, Styles styles, bool wavy);

  // The most bytes Put writes for a line of `bytes` bytes holding `characters` characters.
  std::size_t MostBytes(std::size_t bytes, std::size_t characters) const;

  // Writes the line (no line break in it) at `out` and returns the end of what it wrote;
  // character k takes colours[k], and `colours` holds one colour for each character. An empty
  // line writes nothing.
  char* Put(char* out, std::string_view line, std::span<const fade::Rgb> colours);

  // The same line in pieces, for a line whose output is too large to make at once: Start, then
  // Continue with each piece (whole characters) and its characters' colours, then Finish. Each
  // step writes at most MostBytes of its piece.
  char* Start(char* out);
  char* Continue(char* out, std::string_view piece, std::span<const fade::Rgb> colours);
  char* Finish(char* out);

 private:
  // A colour's codes: the run template before {text} and after it.
  struct Codes {
    static constexpr std::size_t kHead = 40, kTail = 24;
    std::uint32_t colour = ~0u;  // packed 0xRRGGBB; no colour has the top byte set
    int xterm = 0;
    std::uint8_t headSize = 0, tailSize = 0;
    char head[kHead], tail[kTail];
  };
  // The run open: its colour as its code shows it (xterm's number alone, or the whole colour),
  // and what closes it, kept apart from the cache, which the next colour may take over.
  struct Run {
    bool open = false;
    std::uint32_t key = 0, last = 0;  // the run's and the last character's colour
    fade::Rgb colour;
    int xterm = 0;
    char tail[Codes::kTail];
    std::size_t tailSize = 0;
    std::size_t characters = 0;  // written of the line so far
  };
  const Codes& CodesOf(const fade::Rgb& colour);
  char* CloseRun(char* out, const Run& run) const;
  char* PutPieces(char* out, const std::vector<Format::Piece>& pieces, const fade::Rgb& colour,
                  int xterm) const;

  const Format& format_;
  Styles styles_;
  bool wavy_;
  bool cached_;  // the codes fit in Codes
  std::vector<Codes> codes_;
  Codes uncached_;  // the one colour's codes, where they do not fit
  Run run_;
};

// The colours of characters `first` (from 0) to first + out.size() - 1 of a line of `length`
// characters faded over `stops` as the add-on's Send cuts it (fade::SegmentsOf); characters past
// the line's end take the last stop's end colour.
void FadeColours(std::size_t length, std::span<const fade::Rgb> stops, fade::Blend blend,
                 std::size_t first, std::span<fade::Rgb> out);

// The line in the format over the stops: for the host, its style prefix and fade::FadeLine's
// markup (pad spaces and wave included), byte for byte what the add-on's Send composes; for every
// other format, the writer over FadeColours. An empty line is empty in every format, so that a
// file's empty lines stay empty.
std::string FormatLine(const Format& format, std::string_view line,
                       std::span<const fade::Rgb> stops, fade::Blend blend, Styles styles,
                       bool wavy = false);

// The nearest colour of xterm's 256 to `colour`, by distance in RGB, among the 6 × 6 × 6 cube
// (16 to 231) and the 24 greys (232 to 255); the lower number on a tie.
int NearestXterm(const fade::Rgb& colour);

}  // namespace vfx::formats
