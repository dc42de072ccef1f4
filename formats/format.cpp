#include "formats/format.h"

#include <algorithm>

#include "text/ascii.h"

namespace vfx::formats {
namespace {

// The places a faded line goes to. A terminal's SGR codes (ECMA-48): 38;2 is a 24-bit colour,
// 38;5 one of xterm's 256, 1 3 4 9 bold, italic, underline and crossed out, 0 all off. The game
// servers' ampersand codes clear the styles at every colour code, so theirs follow each one.
constexpr Row kRows[] = {
    {.name = "host",
     .summary = "the chat client's markup, a colour tag per character, as the add-on sends it",
     .run = "<FONT COLOR=#{HEX}>{text}",
     .styleOpen = {"<B>", "<I>", "<U>", "<S>"},
     .perCharacter = true,
     .waveOpen = {"<sub>", "<sup>"},
     .waveClose = {"</sub>", "</sup>"}},
    {.name = "ansi",
     .summary = "a terminal's 24-bit colour codes",
     .run = "\x1b[38;2;{r};{g};{b}m{text}",
     .styleOpen = {"\x1b[1m", "\x1b[3m", "\x1b[4m", "\x1b[9m"},
     .lineEnd = "\x1b[0m",
     .terminal = true},
    {.name = "ansi256",
     .summary = "a terminal's 256 colours (xterm's cube and greys)",
     .run = "\x1b[38;5;{xterm}m{text}",
     .styleOpen = {"\x1b[1m", "\x1b[3m", "\x1b[4m", "\x1b[9m"},
     .lineEnd = "\x1b[0m",
     .terminal = true},
    {.name = "html",
     .summary = "a web page: <span style=\"color:#rrggbb\">, the text escaped",
     .run = "<span style=\"color:#{hex}\">{text}</span>",
     .styleOpen = {"<b>", "<i>", "<u>", "<s>"},
     .styleClose = {"</b>", "</i>", "</u>", "</s>"},
     .escape = Escape::kHtml},
    {.name = "bbcode",
     .summary = "a forum post: [color=#RRGGBB]",
     .run = "[color=#{HEX}]{text}[/color]",
     .styleOpen = {"[b]", "[i]", "[u]", "[s]"},
     .styleClose = {"[/b]", "[/i]", "[/u]", "[/s]"}},
    {.name = "minimessage",
     .summary = "a game server's MiniMessage: <#rrggbb>",
     .run = "<#{hex}>{text}",
     .styleOpen = {"<b>", "<i>", "<u>", "<st>"},
     .styleClose = {"</b>", "</i>", "</u>", "</st>"},
     .escape = Escape::kMiniMessage},
    {.name = "ampersand",
     .summary = "a game server's &#RRGGBB codes",
     .run = "&#{HEX}{styles}{text}",
     .styleOpen = {"&l", "&o", "&n", "&m"}},
    {.name = "legacy",
     .summary = "a game server's &x&R&R&G&G&B&B codes",
     .run = "&x{legacy}{styles}{text}",
     .styleOpen = {"&l", "&o", "&n", "&m"}},
};

using PieceKind = Format::PieceKind;

constexpr std::string_view kStyleNames[] = {"bold", "italic", "underline", "strike"};

struct Named {
  std::string_view name;
  PieceKind kind;
};
constexpr Named kNamedPieces[] = {{"hex", PieceKind::kHexLower}, {"HEX", PieceKind::kHexUpper},
                                  {"r", PieceKind::kRed},        {"g", PieceKind::kGreen},
                                  {"b", PieceKind::kBlue},       {"xterm", PieceKind::kXterm},
                                  {"legacy", PieceKind::kLegacy}};

bool IsColour(PieceKind kind) {
  return kind != PieceKind::kLiteral && kind != PieceKind::kStyles && kind != PieceKind::kIfStyle;
}

std::size_t MostBytesOf(const Format::Piece& piece, const Row& row) {
  switch (piece.kind) {
    case PieceKind::kLiteral:
    case PieceKind::kIfStyle:
      return piece.literal.size();
    case PieceKind::kHexLower:
    case PieceKind::kHexUpper:
      return 6;
    case PieceKind::kRed:
    case PieceKind::kGreen:
    case PieceKind::kBlue:
    case PieceKind::kXterm:
      return 3;
    case PieceKind::kLegacy:
      return 12;
    case PieceKind::kStyles: {
      std::size_t size = 0;
      for (const std::string_view open : row.styleOpen) size += open.size();
      return size;
    }
  }
  return 0;
}

}  // namespace

std::span<const Row> Rows() { return kRows; }

Format::Format(const Row& row, bool host) : row_(row), host_(host) {}

std::optional<Format> Format::Named(std::string_view name) {
  for (const Row& row : kRows) {
    if (!text::SameIgnoringCase(row.name, name)) continue;
    Format format(row, row.name == "host");
    std::string error;
    // The table's own templates are right by construction; a wrong one shows in the tests.
    if (!format.Parse(row.run, false, error)) return std::nullopt;
    return format;
  }
  return std::nullopt;
}

std::optional<Format> Format::FromTemplate(std::string_view run, std::string& error) {
  // The row keeps no view of the template, which the caller may let go: the pieces hold it.
  Format format(Row{.name = "template", .summary = "your own template"}, false);
  if (!format.Parse(run, true, error)) return std::nullopt;
  return format;
}

bool Format::Parse(std::string_view run, bool userTemplate, std::string& error) {
  std::vector<Piece>* pieces = &head_;
  int texts = 0;
  std::string literal;
  const auto flush = [&] {
    if (!literal.empty()) pieces->push_back({PieceKind::kLiteral, literal});
    literal.clear();
  };
  for (std::size_t at = 0; at < run.size(); ++at) {
    const char c = run[at];
    if ((c == '{' || c == '}') && at + 1 < run.size() && run[at + 1] == c) {
      literal += c;
      ++at;
      continue;
    }
    if (c == '}') {
      error = "a lone '}' at character " + std::to_string(at + 1) + " (write }} for a brace)";
      return false;
    }
    if (c != '{') {
      literal += c;
      continue;
    }
    const std::size_t close = run.find('}', at);
    if (close == std::string_view::npos) {
      error = "a '{' at character " + std::to_string(at + 1) +
              " is never closed (write {{ for a brace)";
      return false;
    }
    const std::string_view inside = run.substr(at + 1, close - at - 1);
    at = close;
    flush();
    if (inside == "text") {
      if (++texts > 1) {
        error = "{text} stands twice";
        return false;
      }
      pieces = &tail_;
      continue;
    }
    if (inside == "styles" && !userTemplate) {
      pieces->push_back({PieceKind::kStyles, {}});
      stylesInRun_ = true;
      continue;
    }
    const auto named = std::find_if(std::begin(kNamedPieces), std::end(kNamedPieces),
                                    [&](const auto& p) { return p.name == inside; });
    if (named != std::end(kNamedPieces)) {
      pieces->push_back({named->kind, {}});
      continue;
    }
    const std::size_t colon = inside.find(':');
    const auto style =
        std::find(std::begin(kStyleNames), std::end(kStyleNames), inside.substr(0, colon));
    if (colon != std::string_view::npos && style != std::end(kStyleNames)) {
      pieces->push_back({PieceKind::kIfStyle, std::string(inside.substr(colon + 1)),
                         static_cast<int>(style - std::begin(kStyleNames))});
      continue;
    }
    error = "unknown placeholder {" + std::string(inside) + "}";
    return false;
  }
  flush();
  if (texts == 0) {
    error = "no {text}: the text would be lost";
    return false;
  }
  mostHeadBytes_ = mostTailBytes_ = mostWaveBytes_ = 0;
  onlyXterm_ = true;
  usesXterm_ = false;
  for (const Piece& piece : head_) mostHeadBytes_ += MostBytesOf(piece, row_);
  for (const Piece& piece : tail_) mostTailBytes_ += MostBytesOf(piece, row_);
  for (const std::vector<Piece>* part : {&head_, &tail_})
    for (const Piece& piece : *part) {
      if (IsColour(piece.kind) && piece.kind != PieceKind::kXterm) onlyXterm_ = false;
      if (piece.kind == PieceKind::kXterm) usesXterm_ = true;
    }
  for (int k = 0; k < 2; ++k)
    mostWaveBytes_ = std::max(mostWaveBytes_, row_.waveOpen[k].size() + row_.waveClose[k].size());
  return true;
}

}  // namespace vfx::formats
