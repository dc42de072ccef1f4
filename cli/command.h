// The `vfx` command: its options read (by CLI11) into settings, then the input faded line by line
// into the chosen format. The same code builds vfx on Linux and vfx.exe for the Windows console;
// what differs lives behind Console.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/console.h"
#include "fade/fade.h"
#include "formats/format.h"

namespace vfx::cli {

enum class Mode {
  kLines,    // each line fades over its own length
  kWhole,    // one fade across all the input
  kColumns,  // one colour per column, the same on every line
};

struct Settings {
  std::vector<std::string> words;  // the text given on the command line
  std::vector<std::string> files;  // else these, "-" standard input; else standard input
  std::vector<fade::Rgb> stops;
  fade::Blend blend = fade::Blend::kStraight;
  formats::Styles styles;
  bool wavy = false;
  std::optional<formats::Format> format;  // nothing: the text alone, no colour
  Mode mode = Mode::kLines;
  std::size_t width = 80;  // the columns' fade
};

// Exit statuses, as GNU tools give them.
inline constexpr int kSuccess = 0, kUnreadable = 1, kBadUsage = 2;

// Reads the arguments (without the program's name). Help, the version and the lists are written
// here, and a mistake named on standard error: then `exit` says how the command ends and there
// are no settings.
struct Parsed {
  std::optional<Settings> settings;
  int exit = kSuccess;
};
Parsed ParseArguments(std::vector<std::string> arguments, Console& console);

// Fades the input into standard output as the settings say: kSuccess, or kUnreadable when a
// file could not be read (the others are written all the same) or its reader went away.
int WriteAll(const Settings& settings, Console& console);

// Both, as main() runs them.
int Run(std::vector<std::string> arguments, Console& console);

}  // namespace vfx::cli
