// The rich edit box's characters as the model's text places them, the looks it was last given,
// and the RTF that gives them new ones.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/text_box.h"

namespace vfx::platform::win32 {

// One character of the model's text as the rich edit holds it: a line break ("\r\n", or a lone
// "\r" or "\n") is one paragraph mark; a character beyond the basic plane is two UTF-16 units.
struct Placed {
  LONG position = 0, length = 0;  // in the rich edit
  char32_t point = 0;
};

std::vector<Placed> PlaceCharacters(const std::string& text);

// The text's code points.
std::u32string CodePoints(const std::string& text);

// The RTF that gives `placed[first..last]` the looks `wanted` names: one stream over them all, so
// the rich edit lays the paragraph out once, where a format per character would lay it out again
// for each.
std::wstring LooksRtf(const std::vector<Placed>& placed, std::size_t first, std::size_t last,
                      const std::function<const toolkit::CharacterLook&(std::size_t)>& wanted);

// What the box shows: its characters as code points, and the look each was last given (none
// where the box chose, after an edit or a new text).
struct ShownLooks {
  std::u32string text;
  std::vector<std::optional<toolkit::CharacterLook>> looks;

  // A new text replaced the whole: nothing of it carries a look of ours any more.
  void Replace(const std::string& whole);
  // An edit keeps the looks of the characters it did not touch. Which characters those were is
  // ambiguous inside a run of equal characters, so both readings count: whatever either takes
  // for new is new.
  void FollowEdit(const std::u32string& now);
};

}  // namespace vfx::platform::win32
