#include "settings/document.h"

#include <algorithm>

#include "text/ascii.h"

namespace vfx::settings {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

Document Document::Parse(std::string_view bytes) {
  Document document;
  if (bytes.starts_with(kByteOrderMark)) {
    document.byteOrderMark_ = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  while (!bytes.empty()) {
    const std::size_t newline = bytes.find('\n');
    Line line;
    if (newline == std::string_view::npos) {
      // A carriage return that ends the file ends its last line, as it would with a line feed
      // after it: a line feed added there later changes no line's text.
      const bool carriageReturn = bytes.ends_with('\r');
      line.text = bytes.substr(0, bytes.size() - (carriageReturn ? 1 : 0));
      line.ending = carriageReturn ? "\r" : "";
      bytes = {};
    } else {
      std::size_t textEnd = newline;
      if (textEnd > 0 && bytes[textEnd - 1] == '\r') --textEnd;
      line.text = bytes.substr(0, textEnd);
      line.ending = bytes.substr(textEnd, newline + 1 - textEnd);
      bytes.remove_prefix(newline + 1);
    }
    document.lines_.push_back(std::move(line));
  }
  return document;
}

std::string Document::Text() const {
  std::string text(byteOrderMark_ ? kByteOrderMark : std::string_view());
  for (const Line& line : lines_) text.append(line.text).append(line.ending);
  return text;
}

std::vector<Section> Document::Sections() const {
  std::vector<Section> sections;
  for (std::size_t k = 0; k < lines_.size(); ++k) {
    if (KindOf(lines_[k].text) != LineKind::kHeader) continue;
    if (!sections.empty()) sections.back().end = k;
    sections.push_back({std::string(HeaderName(lines_[k].text)), k, lines_.size()});
  }
  return sections;
}

std::size_t Document::FindKey(const Section& section, std::string_view key) const {
  for (std::size_t k = section.header + 1; k < section.end; ++k) {
    const std::string_view text = lines_[k].text;
    if (KindOf(text) == LineKind::kKey && SameName(KeyOf(text), key)) return k;
  }
  return kNoLine;
}

std::size_t Document::LastContentLine(const Section& section) const {
  std::size_t last = section.header;
  for (std::size_t k = section.header + 1; k < section.end; ++k) {
    const LineKind kind = KindOf(lines_[k].text);
    if (kind != LineKind::kBlank && kind != LineKind::kComment) last = k;
  }
  return last;
}

void Document::SetValue(std::size_t line, std::string_view value) {
  std::string& text = lines_[line].text;
  std::size_t keep = text.find('=') + 1;
  while (keep < text.size() && IsBlank(text[keep])) ++keep;
  text.replace(keep, std::string::npos, value);
}

void Document::InsertLine(std::size_t at, std::string text) {
  const std::string ending(NewLineEnding());
  // Only a last line can lack a line feed; a line after it needs one between them.
  if (at == lines_.size() && at > 0 && !lines_[at - 1].ending.ends_with('\n'))
    lines_[at - 1].ending = lines_[at - 1].ending.empty() ? ending : "\r\n";
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), ending});
}

void Document::EraseLines(std::size_t from, std::size_t to) {
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(from),
               lines_.begin() + static_cast<std::ptrdiff_t>(to));
}

void Document::AppendBlock(const std::vector<std::string>& texts) {
  if (!lines_.empty() && KindOf(lines_.back().text) != LineKind::kBlank)
    InsertLine(lines_.size(), "");
  for (const std::string& text : texts) InsertLine(lines_.size(), text);
}

std::string_view Document::NewLineEnding() const {
  const auto ended = std::find_if(lines_.begin(), lines_.end(),
                                  [](const Line& line) { return line.ending.ends_with('\n'); });
  return ended == lines_.end() ? std::string_view("\r\n") : std::string_view(ended->ending);
}

LineKind KindOf(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.empty()) return LineKind::kBlank;
  if (trimmed.front() == ';' || trimmed.front() == '#') return LineKind::kComment;
  if (trimmed.front() == '[' && trimmed.find(']') != std::string_view::npos)
    return LineKind::kHeader;
  if (trimmed.find('=') != std::string_view::npos) return LineKind::kKey;
  return LineKind::kOther;
}

std::string_view HeaderName(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  return Trim(trimmed.substr(1, trimmed.find(']') - 1));
}

std::string_view KeyOf(std::string_view text) { return Trim(text.substr(0, text.find('='))); }

std::string_view ValueOf(std::string_view text) {
  const std::size_t equals = text.find('=');
  return equals == std::string_view::npos ? std::string_view() : text.substr(equals + 1);
}

std::string_view Trim(std::string_view text) { return text::TrimBlanks(text); }

bool SameName(std::string_view a, std::string_view b) {
  return text::SameIgnoringCase(Trim(a), Trim(b));
}

}  // namespace vfx::settings
