// What became of the add-on's file, in the words the window shows.
#pragma once

#include <string>

#include "settings/store.h"

namespace vfx::ui {

// "vontrafx.ini is read-only", "another copy of the add-on is saving; try again", ...
std::string ProblemText(const settings::Outcome& outcome);

}  // namespace vfx::ui
