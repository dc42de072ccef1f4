// A fade's colours along its characters, and where each colour's run of characters ends.
// Shared by the fade writer's files alone.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fade_writer.h"
#include "tag.h"

namespace vfx::fade::detail {

// Character i's colour (i from 1): start + (d / L) * i per component, in double, in exactly that
// order. Contracting the multiply and the add into one fused operation would change results;
// the build forbids it for this code.
class Ramp {
 public:
  Ramp(const Colour& start, const Colour& end, std::size_t characters) : start_(start) {
    const double count = static_cast<double>(characters);
    step_ = {(end.red - start.red) / count, (end.green - start.green) / count,
             (end.blue - start.blue) / count};
  }

  double ChangesPerCharacter() const {
    return std::fabs(step_.red) + std::fabs(step_.green) + std::fabs(step_.blue);
  }

  Colour At(std::size_t position) const {
    const double i = static_cast<double>(position);
    return {start_.red + step_.red * i, start_.green + step_.green * i,
            start_.blue + step_.blue * i};
  }

  const Colour& start() const { return start_; }
  const Colour& step() const { return step_; }

 private:
  Colour start_, step_;
};

// Above this many colour changes per character, runs are too short to look for. Tuned: a search
// for runs of one to four characters mostly mispredicts (a 1 KiB line cost 6.5 ns a byte with
// it), while a colour per character makes a long line of few colours compute each.
inline constexpr double kMostChangesForRuns = 0.25;

// The three rounded components, before they are taken modulo 256.
struct Key {
  int red, green, blue;
  bool operator==(const Key&) const = default;
};

inline Key KeyAt(const Ramp& ramp, std::size_t position) {
  const Colour c = ramp.At(position);
  return {Nearest(c.red), Nearest(c.green), Nearest(c.blue)};
}

inline std::uint64_t DigitsOf(const Key& key) {
  return DigitsOf(static_cast<unsigned>(key.red), static_cast<unsigned>(key.green),
                  static_cast<unsigned>(key.blue));
}

// The last position from `first` on (at most `last`) whose colour has `key`. Each component of
// start + step * i is monotonic in i (a product and a sum of doubles never step back, nor does
// the rounding), so the characters that share a colour stand together and two colours computed
// at the guessed end and past it prove where the run ends; a missed guess falls back to a
// gallop and a halving. On a long text the colour changes at most some 765 times, however long
// the text is. `next` receives the key after the run when that was computed.
std::size_t RunEnd(const Ramp& ramp, const Key& key, std::size_t first, std::size_t last, Key& next,
                   bool& haveNext);

}  // namespace vfx::fade::detail
