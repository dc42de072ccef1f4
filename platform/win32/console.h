// vfx.exe's console: UTF-8 in and out whatever the console's code page. A console is written with
// WriteConsoleW and read with ReadConsoleW, in UTF-16; a file or a pipe takes and gives the bytes
// as they are. The terminal's colour codes need the console's VT processing, switched on when
// asked for and back off at the end.
#pragma once

#include <windows.h>

#include <string>

#include "cli/console.h"

namespace vfx::platform::win32 {

class Win32Console : public cli::Console {
 public:
  Win32Console();
  ~Win32Console() override;
  Win32Console(const Win32Console&) = delete;
  Win32Console& operator=(const Win32Console&) = delete;

  bool OutputIsTerminal() override { return outputConsole_; }
  bool ReadyForColourCodes() override;
  int TerminalWidth() override;
  cli::Written Write(std::string_view bytes) override;
  void Error(std::string_view line) override;
  std::optional<std::string> Environment(const char* name) override;
  std::unique_ptr<cli::Input> Open(const std::string& path, std::string& problem) override;

 private:
  // Writes to a console in UTF-16; a character cut at the end waits in `pending` for the rest.
  static bool WriteConsole(HANDLE console, std::string& pending, std::string_view bytes);

  HANDLE output_, error_;
  bool outputConsole_, errorConsole_;
  DWORD modeBefore_ = 0;
  bool modeChanged_ = false;
  std::string outputPending_, errorPending_;
};

}  // namespace vfx::platform::win32
