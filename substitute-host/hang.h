// A host whose window thread stops answering, so the add-on's send bounds can be exercised.
#pragma once

#include <set>

#include "substitute-host/options.h"

namespace vfx::subhost {

void SetHangPoints(std::set<HangPoint> points);
// Stops the window thread for good when the command line asked for a hang at this point.
void HangIf(HangPoint point);
// Stops it now: the process still ends when it is terminated.
[[noreturn]] void HangNow(const char* reason);

}  // namespace vfx::subhost
