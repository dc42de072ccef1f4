// The four text styles as one table: the check box's Send option that holds each, the member of
// Styles it sets, the tags it opens in front of the message and closes in the HTML view, and
// the caption of its box. The style prefix, the closing text, what a Send reads of the window
// and the boxes themselves (their captions, drawn in their own style) all walk it, in its order,
// which is the order of the tags: B, I, U, S.
#pragma once

#include <array>
#include <string_view>

#include "composer/compose.h"
#include "composer/send_window.h"

namespace vfx::composer {

struct StyleRow {
  SendOption option;
  bool Styles::*member;
  std::string_view opening, closing;
  const char* caption;
};

inline constexpr std::array<StyleRow, 4> kStyleRows = {{
    {SendOption::kBold, &Styles::bold, "<B>", "</B>", "&Bold"},
    {SendOption::kItalics, &Styles::italics, "<I>", "</I>", "&Italics"},
    {SendOption::kUnderline, &Styles::underline, "<U>", "</U>", "&Underline"},
    {SendOption::kStrike, &Styles::strike, "<S>", "</S>", "&Strike"},
}};

// The row of a style's Send option; null for the options that are no style (Wavy, Random, ...).
constexpr const StyleRow* StyleOf(SendOption option) {
  for (const StyleRow& row : kStyleRows)
    if (row.option == option) return &row;
  return nullptr;
}

}  // namespace vfx::composer
