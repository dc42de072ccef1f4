// vfx on a POSIX system; vfx.exe's own start is app/vfx_main.cpp.
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/posix_console.h"

int main(int argc, char** argv) {
  vfx::cli::PosixConsole console;
  return vfx::cli::Run(std::vector<std::string>(argv + 1, argv + argc), console);
}
