// The substitute host's record of what it was sent and did: one JSON object per line, written
// and flushed at once, so a test in another process can read it while the host runs.
//
//   {"t":1.234,"event":"chat","window":"Town Square - Lobby 17","speaker":"Zarnok2",
//    "text":"<B>hi","text_hex":"3C423E6869"}
//
// "t" is seconds since the host started, on a clock that never jumps back. Texts that came from
// outside keep their bytes twice: readable (the code page's characters as JSON) and exactly, as
// hex, under the same name with "_hex" added.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vfx::subhost {

struct LogField {
  enum Kind { kText, kBytes, kNumber };
  std::string_view name;
  std::string_view value;
  Kind kind = kText;
};

inline LogField Text(std::string_view name, std::string_view value) {
  return {name, value, LogField::kText};
}
inline LogField Bytes(std::string_view name, std::string_view value) {
  return {name, value, LogField::kBytes};
}

class EventLog {
 public:
  ~EventLog();
  // An empty path logs nothing. False when the file cannot be written.
  bool Open(const std::string& path);
  void Write(std::string_view event, std::initializer_list<LogField> fields = {});

 private:
  std::FILE* file_ = nullptr;
};

// The one log of this process.
EventLog& Log();

// Seconds since the process started, monotonic.
double SecondsSinceStart();

}  // namespace vfx::subhost
