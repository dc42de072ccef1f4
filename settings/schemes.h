// Saved colour schemes in the document, one "[Saved Colours]" section each:
//
//   [Saved Colours]
//   Name=Sunset = warm ] ünïcode
//   Count=3
//   Blend=Even
//   Colours=FF8000 C04080 2040C0
//
// The name is everything after "Name=" to the line's end, byte for byte, and tells schemes apart
// (exactly, case included). Count is 1 to 10 and Colours holds that many six-digit hex colours,
// red first, separated by blanks; Blend is Straight, Even or Vivid, Straight when absent. A
// section that breaks any of this (cut short, a count out of range, a bad digit, a blend this
// version does not know) is not offered, and no edit here touches it: it stays as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fade/fade.h"
#include "settings/document.h"

namespace vfx::settings {

inline constexpr std::string_view kSchemeSection = "Saved Colours";
inline constexpr std::size_t kMaxSchemeColours = 10;

// The fade's blends, which the file names Straight, Even and Vivid.
using SchemeBlend = fade::Blend;

struct Scheme {
  std::string name;
  std::vector<fade::Rgb> colours;  // 1 to 10, colour 1 first: the count is their number
  SchemeBlend blend = SchemeBlend::kStraight;

  friend bool operator==(const Scheme& a, const Scheme& b);
};

// The well-formed schemes in file order; a name that comes again is offered once, as it first
// comes.
std::vector<Scheme> ListSchemes(const Document& document);
std::optional<Scheme> FindScheme(const Document& document, std::string_view name);

// Why the scheme cannot be saved (for the user to read), or nothing: a name must be one line of
// UTF-8 text, not empty; 1 to 10 colours of components 0 to 255.
std::optional<std::string> SchemeProblem(const Scheme& scheme);

// Saves a scheme that has no problem: the first well-formed section of its name gets the new
// count, blend and colours in place (its other lines kept), or a new section is appended.
void SaveScheme(Document& document, const Scheme& scheme);
// Removes every well-formed section of that name: the lines from its header to its last key,
// with the blank lines before the header; the comments after its last key stay for what follows.
// False when there was none.
bool DeleteScheme(Document& document, std::string_view name);

// The blends' names as the file keeps them and the colour menu shows them: "Straight", "Even",
// "Vivid".
std::string_view BlendName(SchemeBlend blend);
std::optional<SchemeBlend> BlendNamed(std::string_view name);

}  // namespace vfx::settings
