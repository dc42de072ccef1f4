// The command's console on a POSIX system: file descriptors 0, 1 and 2, and open(2).
#pragma once

#include "cli/console.h"

namespace vfx::cli {

class PosixConsole : public Console {
 public:
  bool OutputIsTerminal() override;
  bool ReadyForColourCodes() override { return true; }
  int TerminalWidth() override;
  Written Write(std::string_view bytes) override;
  void Error(std::string_view line) override;
  std::optional<std::string> Environment(const char* name) override;
  std::unique_ptr<Input> Open(const std::string& path, std::string& problem) override;
};

}  // namespace vfx::cli
