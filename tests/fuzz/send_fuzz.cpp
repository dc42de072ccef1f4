// Click schedules from the fuzzer's input: each byte a decision of the schedule (which click,
// and whether a wait lets one in). Aborts on the first broken rule, with what broke.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/ui/send_schedule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vfx::ui::schedule::ByteChoices choices({data, size});
  const std::string violation = vfx::ui::schedule::RunSchedule(choices);
  if (!violation.empty()) {
    std::fprintf(stderr, "%s\n", violation.c_str());
    std::abort();
  }
  return 0;
}
