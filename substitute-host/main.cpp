// substitute-host.exe: a stand-in for the host chat client, with the window classes, captions
// and behaviour the add-on relies on. See README.md for the options and the log.
#include <windows.h>

#include <string>
#include <vector>

#include "substitute-host/event_log.h"
#include "substitute-host/host_app.h"
#include "substitute-host/options.h"

namespace {

// The arguments in the ANSI code page, as the host's windows hold their text.
std::vector<std::string> CommandLineArguments() {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) {
    const int size = WideCharToMultiByte(CP_ACP, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string argument(size > 0 ? size - 1 : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
    arguments.push_back(argument);
  }
  LocalFree(wide);
  return arguments;
}

// To standard error when there is one (a console or a redirected handle), else in a box.
void Tell(const std::string& text, bool isError) {
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  DWORD written = 0;
  if (error && error != INVALID_HANDLE_VALUE &&
      WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
    return;
  MessageBoxA(nullptr, text.c_str(), "substitute-host",
              isError ? MB_OK | MB_ICONERROR : MB_OK | MB_ICONINFORMATION);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace vfx::subhost;
  const ParsedOptions parsed = ParseOptions(CommandLineArguments());
  if (!parsed.error.empty()) {
    Tell("substitute-host: " + parsed.error + "\n" + kUsage, true);
    return 2;
  }
  if (parsed.options.help) {
    Tell(kUsage, false);
    return 0;
  }
  if (!Log().Open(parsed.options.logFile)) {
    Tell("substitute-host: cannot write the log " + parsed.options.logFile + "\n", true);
    return 2;
  }
  HostApp app(parsed.options);
  if (!app.Start(instance)) {
    Tell("substitute-host: the windows could not be created\n", true);
    return 1;
  }
  return app.Run();
}
