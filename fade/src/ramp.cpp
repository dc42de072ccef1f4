#include "ramp.h"

#include <algorithm>

namespace vfx::fade::detail {
namespace {

// Where the run of `key` from `first` ends, by the straight line: each component keeps its
// rounded value until it crosses the next half. A guess, close but not exact; RunEnd checks it.
std::size_t GuessRunEnd(const Ramp& ramp, const Key& key, std::size_t first, std::size_t last) {
  double end = static_cast<double>(last);
  const auto limit = [&](int rounded, double start, double step) {
    if (step == 0) return;
    const double edge = rounded + (step > 0 ? 0.5 : -0.5);
    end = std::min(end, std::floor((edge - start) / step));
  };
  limit(key.red, ramp.start().red, ramp.step().red);
  limit(key.green, ramp.start().green, ramp.step().green);
  limit(key.blue, ramp.start().blue, ramp.step().blue);
  return end > static_cast<double>(first) ? static_cast<std::size_t>(end) : first;
}

}  // namespace

std::size_t RunEnd(const Ramp& ramp, const Key& key, std::size_t first, std::size_t last, Key& next,
                   bool& haveNext) {
  std::size_t same = first, differs = last + 1;
  const std::size_t guess = GuessRunEnd(ramp, key, first, last);
  if (guess > first) {
    const Key probe = KeyAt(ramp, guess);
    if (probe == key) {
      same = guess;
    } else {
      differs = guess;
      next = probe;
      // Most often one too far.
      const Key before = KeyAt(ramp, guess - 1);
      if (before == key) {
        same = guess - 1;
      } else {
        differs = guess - 1;
        next = before;
      }
    }
  }
  if (differs > last) {
    for (std::size_t step = 1; same + step < differs; step *= 2) {
      const Key probe = KeyAt(ramp, same + step);
      if (!(probe == key)) {
        differs = same + step;
        next = probe;
        break;
      }
      same += step;
    }
  }
  while (differs - same > 1) {
    const std::size_t middle = same + (differs - same) / 2;
    const Key probe = KeyAt(ramp, middle);
    if (probe == key) {
      same = middle;
    } else {
      differs = middle;
      next = probe;
    }
  }
  haveNext = differs <= last;
  return same;
}

}  // namespace vfx::fade::detail
