// vfx.exe: the command line as the system keeps it, in UTF-16, turned into UTF-8 for the same
// command that runs on Linux.
#include <windows.h>

#include <string>
#include <vector>

#include "cli/command.h"
#include "platform/win32/console.h"
#include "platform/win32/text.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int k = 1; k < argc; ++k) arguments.push_back(vfx::platform::win32::Narrow(argv[k]));
  vfx::platform::win32::Win32Console console;
  return vfx::cli::Run(std::move(arguments), console);
}
