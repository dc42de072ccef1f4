// vontrafx.ini as its lines, each kept as the file has it (its text and its own line ending), so
// that writing back what was read gives the same bytes and an edit touches only the lines it
// names. The file belongs to the user: comments, blank lines, keys and sections the add-on does
// not know, a byte order mark and a last line without an ending all survive every edit.
//
// Reading follows the INI conventions: a header is "[" name "]" (first "]"), a key line is
// key "=" value (first "="), ";" or "#" begins a comment; keys and section names compare without
// regard to ASCII case and without the blanks around them. Several sections may share a name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vfx::settings {

struct Line {
  std::string text;    // without its ending
  std::string ending;  // "\r\n" or "\n"; on a last line also "\r" or nothing
};

enum class LineKind { kBlank, kComment, kHeader, kKey, kOther };

// A section's lines are [header, end): its header and every line up to the next header.
struct Section {
  std::string name;
  std::size_t header = 0;
  std::size_t end = 0;
};

inline constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

class Document {
 public:
  // Any bytes parse; whether they are text the add-on may write over is text::IsUtf8Text's question
  // (a UTF-16 file, even one of plain ASCII letters, is full of NULs).
  static Document Parse(std::string_view bytes);
  std::string Text() const;

  const std::vector<Line>& lines() const { return lines_; }
  std::vector<Section> Sections() const;
  // The first line of the section with this key, or kNoLine.
  std::size_t FindKey(const Section& section, std::string_view key) const;
  // The section's last line that is neither blank nor a comment (its header at least).
  std::size_t LastContentLine(const Section& section) const;

  // Replaces what follows the "=" (and the blanks after it) of a key line.
  void SetValue(std::size_t line, std::string_view value);
  // A new line before line `at` (at the end for lines().size()), with the file's line ending.
  void InsertLine(std::size_t at, std::string text);
  void EraseLines(std::size_t from, std::size_t to);
  // New lines at the end of the file, set off from what is there by a blank line.
  void AppendBlock(const std::vector<std::string>& texts);

 private:
  // What a new line ends with: the file's first line ending, CRLF when it has none.
  std::string_view NewLineEnding() const;

  bool byteOrderMark_ = false;
  std::vector<Line> lines_;
};

LineKind KindOf(std::string_view text);
// The name between "[" and the first "]", without the blanks around it.
std::string_view HeaderName(std::string_view text);
// The key before the first "=", without the blanks around it.
std::string_view KeyOf(std::string_view text);
// Everything after the first "=", exactly.
std::string_view ValueOf(std::string_view text);
// Without the spaces and tabs at either end.
std::string_view Trim(std::string_view text);
bool SameName(std::string_view a, std::string_view b);

}  // namespace vfx::settings
