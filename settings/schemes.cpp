#include "settings/schemes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>

#include "text/utf8.h"

namespace vfx::settings {
namespace {

constexpr std::array<std::string_view, 3> kBlendNames = {"Straight", "Even", "Vivid"};

// A well-formed scheme section: the scheme and where its known keys are.
struct Found {
  Scheme scheme;
  Section section;
  std::size_t count = kNoLine, blend = kNoLine, colours = kNoLine;
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<fade::Rgb> ParseColour(std::string_view text) {
  if (text.size() != 6) return std::nullopt;
  int components[3];
  for (int k = 0; k < 3; ++k) {
    const int high = HexDigit(text[2 * k]), low = HexDigit(text[2 * k + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    components[k] = high * 16 + low;
  }
  return fade::Rgb{components[0], components[1], components[2]};
}

std::optional<std::vector<fade::Rgb>> ParseColours(std::string_view text) {
  std::vector<fade::Rgb> colours;
  for (text = Trim(text); !text.empty(); text = Trim(text)) {
    const std::size_t end = std::min(text.find(' '), text.find('\t'));
    const auto colour = ParseColour(text.substr(0, end));
    if (!colour || colours.size() == kMaxSchemeColours) return std::nullopt;
    colours.push_back(*colour);
    text.remove_prefix(std::min(end, text.size()));
  }
  return colours;
}

std::optional<std::size_t> ParseCount(std::string_view text) {
  text = Trim(text);
  std::size_t count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (count < 1 || count > kMaxSchemeColours) return std::nullopt;
  return count;
}

std::string ColoursText(const std::vector<fade::Rgb>& colours) {
  std::string text;
  for (const fade::Rgb& colour : colours) {
    if (!text.empty()) text += ' ';
    text += fade::RgbToHex(colour.red, colour.green, colour.blue);
  }
  return text;
}

std::optional<Found> ReadSection(const Document& document, const Section& section) {
  if (!SameName(section.name, kSchemeSection)) return std::nullopt;
  const auto& lines = document.lines();
  const std::size_t name = document.FindKey(section, "Name"),
                    countLine = document.FindKey(section, "Count"),
                    blendLine = document.FindKey(section, "Blend"),
                    coloursLine = document.FindKey(section, "Colours");
  if (name == kNoLine || countLine == kNoLine || coloursLine == kNoLine) return std::nullopt;

  const std::string_view nameText = ValueOf(lines[name].text);
  const auto count = ParseCount(ValueOf(lines[countLine].text));
  auto colours = ParseColours(ValueOf(lines[coloursLine].text));
  if (nameText.empty() || !count || !colours || colours->size() != *count) return std::nullopt;
  std::optional<SchemeBlend> blend = SchemeBlend::kStraight;
  if (blendLine != kNoLine) blend = BlendNamed(Trim(ValueOf(lines[blendLine].text)));
  if (!blend) return std::nullopt;
  return Found{Scheme{std::string(nameText), std::move(*colours), *blend}, section, countLine,
               blendLine, coloursLine};
}

std::vector<Found> FindAll(const Document& document) {
  std::vector<Found> all;
  for (const Section& section : document.Sections())
    if (auto found = ReadSection(document, section)) all.push_back(std::move(*found));
  return all;
}

bool SameColours(const std::vector<fade::Rgb>& a, const std::vector<fade::Rgb>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](fade::Rgb x, fade::Rgb y) {
    return x.red == y.red && x.green == y.green && x.blue == y.blue;
  });
}

}  // namespace

bool operator==(const Scheme& a, const Scheme& b) {
  return a.name == b.name && a.blend == b.blend && SameColours(a.colours, b.colours);
}

std::vector<Scheme> ListSchemes(const Document& document) {
  std::vector<Scheme> schemes;
  std::set<std::string> seen;
  for (Found& found : FindAll(document))
    if (seen.insert(found.scheme.name).second) schemes.push_back(std::move(found.scheme));
  return schemes;
}

std::optional<Scheme> FindScheme(const Document& document, std::string_view name) {
  for (Found& found : FindAll(document))
    if (found.scheme.name == name) return std::move(found.scheme);
  return std::nullopt;
}

std::optional<std::string> SchemeProblem(const Scheme& scheme) {
  if (scheme.name.empty()) return "a name is needed";
  if (scheme.name.find_first_of("\r\n") != std::string::npos) return "a name is one line";
  if (!text::IsUtf8Text(scheme.name)) return "the name is not UTF-8 text";
  if (scheme.colours.empty() || scheme.colours.size() > kMaxSchemeColours)
    return "a scheme holds 1 to 10 colours";
  for (const fade::Rgb& colour : scheme.colours)
    for (int component : {colour.red, colour.green, colour.blue})
      if (component < 0 || component > 255) return "colour components are 0 to 255";
  return std::nullopt;
}

void SaveScheme(Document& document, const Scheme& scheme) {
  const std::string count = std::to_string(scheme.colours.size());
  const std::string colours = ColoursText(scheme.colours);
  const std::string blend(BlendName(scheme.blend));
  for (const Found& found : FindAll(document)) {
    if (found.scheme.name != scheme.name) continue;
    // Only what differs is rewritten, so that saving the same scheme again changes no byte.
    if (found.scheme.colours.size() != scheme.colours.size()) document.SetValue(found.count, count);
    if (!SameColours(found.scheme.colours, scheme.colours))
      document.SetValue(found.colours, colours);
    if (found.blend != kNoLine && found.scheme.blend != scheme.blend)
      document.SetValue(found.blend, blend);
    if (found.blend == kNoLine && scheme.blend != SchemeBlend::kStraight)
      document.InsertLine(document.LastContentLine(found.section) + 1, "Blend=" + blend);
    return;
  }
  document.AppendBlock({"[" + std::string(kSchemeSection) + "]", "Name=" + scheme.name,
                        "Count=" + count, "Blend=" + blend, "Colours=" + colours});
}

bool DeleteScheme(Document& document, std::string_view name) {
  const auto& lines = document.lines();
  // Marked first and erased after, since the blank lines between two sections of the name may
  // belong to both.
  std::vector<bool> doomed(lines.size(), false);
  bool deleted = false;
  for (const Found& found : FindAll(document)) {
    if (found.scheme.name != name) continue;
    std::size_t from = found.section.header, to = document.LastContentLine(found.section) + 1;
    while (from > 0 && KindOf(lines[from - 1].text) == LineKind::kBlank) --from;
    // The first thing in the file takes the blank lines after it along instead.
    if (from == 0)
      while (to < found.section.end && KindOf(lines[to].text) == LineKind::kBlank) ++to;
    std::fill(doomed.begin() + static_cast<std::ptrdiff_t>(from),
              doomed.begin() + static_cast<std::ptrdiff_t>(to), true);
    deleted = true;
  }
  for (std::size_t k = doomed.size(); k > 0; --k)
    if (doomed[k - 1]) document.EraseLines(k - 1, k);
  return deleted;
}

std::string_view BlendName(SchemeBlend blend) {
  return kBlendNames[static_cast<std::size_t>(blend)];
}

std::optional<SchemeBlend> BlendNamed(std::string_view name) {
  for (std::size_t k = 0; k < kBlendNames.size(); ++k)
    if (SameName(name, kBlendNames[k])) return static_cast<SchemeBlend>(k);
  return std::nullopt;
}

}  // namespace vfx::settings
