// What the command needs of the system it runs on: standard output and error, the files it reads,
// the environment and whether a terminal is there. The POSIX side (posix_console.cpp) and the
// Windows console (platform/win32/console.cpp) each implement it; the tests keep it in memory.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vfx::cli {

class Input {
 public:
  virtual ~Input() = default;
  // Up to `size` bytes into `buffer`: how many, 0 at the end, or nothing on a read error (with
  // the system's reason in `problem`).
  virtual std::optional<std::size_t> Read(char* buffer, std::size_t size, std::string& problem) = 0;
};

enum class Written { kAll, kClosed, kFailed };

class Console {
 public:
  virtual ~Console() = default;

  // Standard output is a terminal (a console on Windows), not a file or a pipe.
  virtual bool OutputIsTerminal() = 0;
  // Readies the terminal for SGR colour codes (on Windows, its VT processing); false where it
  // cannot read them.
  virtual bool ReadyForColourCodes() = 0;
  // The terminal's width in characters; 0 when there is none or it does not say.
  virtual int TerminalWidth() = 0;

  // Writes the bytes to standard output whole; kClosed when its reader has gone.
  virtual Written Write(std::string_view bytes) = 0;
  // One line on standard error; the line break is added.
  virtual void Error(std::string_view line) = 0;

  virtual std::optional<std::string> Environment(const char* name) = 0;

  // A file by its (UTF-8) name, "-" for standard input; nothing, with the system's reason in
  // `problem`, when it cannot be opened.
  virtual std::unique_ptr<Input> Open(const std::string& path, std::string& problem) = 0;
};

}  // namespace vfx::cli
