#include "markup/markup.h"

#include <algorithm>
#include <cctype>

namespace vfx::markup {
namespace {

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct Tag {
  bool closing = false;
  std::string name;        // upper case
  std::string_view body;   // everything after the name, up to the ">"
  std::size_t length = 0;  // from "<" to ">" inclusive
};

// The tag that starts at line[at] == '<', if it is one: a letter (after an optional "/") right
// behind the "<", and a ">" before any other "<". Quoted attribute values may hold either.
std::optional<Tag> ReadTag(std::string_view line, std::size_t at) {
  std::size_t pos = at + 1;
  Tag tag;
  if (pos < line.size() && line[pos] == '/') {
    tag.closing = true;
    ++pos;
  }
  if (pos >= line.size() || !IsLetter(line[pos])) return std::nullopt;
  const std::size_t nameStart = pos;
  while (pos < line.size() && !IsSpace(line[pos]) && line[pos] != '>' && line[pos] != '/' &&
         line[pos] != '<')
    ++pos;
  tag.name = Upper(line.substr(nameStart, pos - nameStart));
  const std::size_t bodyStart = pos;
  char quote = 0;
  for (; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '<') {
      return std::nullopt;
    } else if (c == '>') {
      tag.body = line.substr(bodyStart, pos - bodyStart);
      tag.length = pos + 1 - at;
      return tag;
    }
  }
  return std::nullopt;
}

// The value of attribute `wanted` (upper case) in a tag body such as ` FACE="Arial" COLOR=#FF0000`.
std::optional<std::string_view> AttributeValue(std::string_view body, std::string_view wanted) {
  std::size_t pos = 0;
  while (pos < body.size()) {
    while (pos < body.size() && (IsSpace(body[pos]) || body[pos] == '/')) ++pos;
    const std::size_t nameStart = pos;
    while (pos < body.size() && !IsSpace(body[pos]) && body[pos] != '=') ++pos;
    const std::string name = Upper(body.substr(nameStart, pos - nameStart));
    while (pos < body.size() && IsSpace(body[pos])) ++pos;
    if (pos >= body.size() || body[pos] != '=') {
      if (name.empty()) break;
      continue;  // a bare word such as NOSHADE
    }
    ++pos;
    while (pos < body.size() && IsSpace(body[pos])) ++pos;
    const std::size_t valueStart = pos;
    if (pos < body.size() && (body[pos] == '"' || body[pos] == '\'')) {
      const std::size_t close = body.find(body[pos], pos + 1);
      pos = close == std::string_view::npos ? body.size() : close + 1;
    } else {
      while (pos < body.size() && !IsSpace(body[pos])) ++pos;
    }
    if (name == wanted) return body.substr(valueStart, pos - valueStart);
  }
  return std::nullopt;
}

class Renderer {
 public:
  void Text(std::string_view text) {
    if (text.empty()) return;
    const TextStyle style = Current();
    if (!runs_.empty() && runs_.back().style == style) {
      runs_.back().text.append(text);
    } else {
      runs_.push_back(Run{std::string(text), style});
    }
  }

  void Apply(const Tag& tag) {
    if (tag.name == "FONT") return tag.closing ? CloseFont() : OpenFont(tag.body);
    if (tag.name == "SUB") return SetScript(Script::kSubscript, tag.closing);
    if (tag.name == "SUP") return SetScript(Script::kSuperscript, tag.closing);
    if (int* depth = StyleDepth(tag.name)) *depth = std::max(0, *depth + (tag.closing ? -1 : 1));
  }

  std::vector<Run> Take() { return std::move(runs_); }

 private:
  void OpenFont(std::string_view body) {
    std::optional<Colour> colour = fonts_.empty() ? std::nullopt : fonts_.back();
    if (auto value = AttributeValue(body, "COLOR")) {
      if (auto parsed = ParseColour(*value)) colour = parsed;
    }
    fonts_.push_back(colour);
  }

  void CloseFont() {
    if (!fonts_.empty()) fonts_.pop_back();
  }

  void SetScript(Script script, bool closing) {
    if (!closing) return scripts_.push_back(script);
    const auto last = std::find(scripts_.rbegin(), scripts_.rend(), script);
    if (last != scripts_.rend()) scripts_.erase(std::next(last).base());
  }

  int* StyleDepth(const std::string& name) {
    if (name == "B") return &bold_;
    if (name == "I") return &italic_;
    if (name == "U") return &underline_;
    if (name == "S") return &strike_;
    return nullptr;
  }

  TextStyle Current() const {
    TextStyle style;
    style.colour = fonts_.empty() ? std::nullopt : fonts_.back();
    style.bold = bold_ > 0;
    style.italic = italic_ > 0;
    style.underline = underline_ > 0;
    style.strike = strike_ > 0;
    style.script = scripts_.empty() ? Script::kNormal : scripts_.back();
    return style;
  }

  std::vector<Run> runs_;
  std::vector<std::optional<Colour>> fonts_;
  std::vector<Script> scripts_;
  int bold_ = 0, italic_ = 0, underline_ = 0, strike_ = 0;
};

}  // namespace

std::optional<Colour> ParseColour(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  if (!value.empty() && value.front() == '#') value.remove_prefix(1);
  if (value.size() != 6) return std::nullopt;
  std::uint8_t parts[3];
  for (int i = 0; i < 3; ++i) {
    const int high = HexDigit(value[2 * i]), low = HexDigit(value[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    parts[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return Colour{parts[0], parts[1], parts[2]};
}

std::vector<Run> ParseMarkup(std::string_view line) {
  Renderer renderer;
  std::size_t textStart = 0, pos = 0;
  while ((pos = line.find('<', pos)) != std::string_view::npos) {
    const std::optional<Tag> tag = ReadTag(line, pos);
    if (!tag) {
      ++pos;
      continue;
    }
    renderer.Text(line.substr(textStart, pos - textStart));
    renderer.Apply(*tag);
    pos += tag->length;
    textStart = pos;
  }
  renderer.Text(line.substr(textStart));
  return renderer.Take();
}

}  // namespace vfx::markup
