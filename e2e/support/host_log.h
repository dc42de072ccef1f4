// Reading the substitute host's event log (one JSON object per line) back in a test.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vfx::e2e {

struct LogEvent {
  double time = 0;
  std::string kind;
  std::map<std::string, std::string> fields;  // strings unescaped, numbers as written

  std::string Field(const std::string& name) const;
  // The exact bytes of a text field, from its "_hex" twin.
  std::string Bytes(const std::string& name) const;
};

// Every complete line; a line still being written (no newline yet) is left for the next read.
std::vector<LogEvent> ParseLog(std::string_view content);

std::string ToHex(std::string_view bytes);

}  // namespace vfx::e2e
