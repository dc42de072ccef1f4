// Random click schedules against the whole add-on on the in-memory desktop: clicks made between
// runs and inside every wait of every run, and a check of what the host heard. The seeded test
// and the fuzzer (which takes the schedule from its input) share it.
#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <string>

namespace vfx::ui::schedule {

// Where a schedule takes its decisions from.
class Choices {
 public:
  virtual ~Choices() = default;
  // A number from 0 to bound - 1.
  virtual int Next(int bound) = 0;
};

class SeededChoices final : public Choices {
 public:
  explicit SeededChoices(std::uint64_t seed) : generator_(seed) {}
  int Next(int bound) override {
    return static_cast<int>(generator_() % static_cast<std::uint64_t>(bound));
  }

 private:
  std::mt19937_64 generator_;
};

// A fuzzer's input, a byte a decision; 0 once it runs out, so every input ends.
class ByteChoices final : public Choices {
 public:
  explicit ByteChoices(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  int Next(int bound) override { return next_ < bytes_.size() ? bytes_[next_++] % bound : 0; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t next_ = 0;
};

// Starts the add-on (splash click, start-up announcement), runs one schedule, and checks:
// every handler returns within a bounded number of event passes; the host hears exactly the
// messages composed at the clicks, each once and whole, in click order, none inside another's
// attention banners (with a host that fails on purpose, a message may stop short or be missing,
// never out of order); Exit's closing lines are the last the host hears; and the typed line is
// emptied only once a message composed from it has arrived. Returns what broke, or empty text.
std::string RunSchedule(Choices& choices);

}  // namespace vfx::ui::schedule
