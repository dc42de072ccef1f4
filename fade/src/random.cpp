#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>

#include "fade/fade.h"

namespace vfx::fade {
namespace {

// SplitMix64 (Steele, Lea and Flood, "Fast splittable pseudorandom number generators", 2014): its
// finalizer's constants and its increment, the golden ratio's 64 bits.
std::uint64_t Mix(std::uint64_t value) {
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
  return value ^ (value >> 31);
}

float SystemTimeOfDay() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  const double sinceEpoch = duration<double>(now.time_since_epoch()).count();
  const double fraction = sinceEpoch - std::floor(sinceEpoch);
  return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + fraction);
}

// The one process-wide generator (a SplitMix64 sequence). A reseed folds the time into the
// current state instead of replacing it: reseeds within one clock tick must not repeat a draw.
struct Generator {
  std::uint64_t state = 0x9E3779B97F4A7C15ull;
  TimeOfDaySource timeOfDay;

  void Reseed(float seconds) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &seconds, sizeof bits);
    // An arbitrary constant keeps the time's bits off 0, Mix's fixed point.
    state = Mix(state ^ Mix(bits + 0x632BE59BD9B4E019ull));
  }
  double Draw() {  // uniform in [0, 1), 53 bits
    state += 0x9E3779B97F4A7C15ull;
    return static_cast<double>(Mix(state) >> 11) * 0x1.0p-53;
  }
};

Generator& TheGenerator() {
  static Generator generator;
  return generator;
}

}  // namespace

void SetTimeOfDaySource(TimeOfDaySource source) { TheGenerator().timeOfDay = std::move(source); }

void ReseedFromTimeOfDay() {
  Generator& generator = TheGenerator();
  generator.Reseed(generator.timeOfDay ? generator.timeOfDay() : SystemTimeOfDay());
}

int RandomComponent() {
  ReseedFromTimeOfDay();
  return static_cast<int>(std::floor(TheGenerator().Draw() * 255.0));
}

}  // namespace vfx::fade
