#include "e2e/support/unix_program.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <string>

#include "e2e/support/child_process.h"
#include "e2e/support/host_process.h"

namespace vfx::e2e {
namespace {

// One argument of a command line, as the C runtime (and Wine, for a Unix program) splits it:
// in double quotes, a quote escaped by a backslash, and backslashes doubled where they stand
// before a quote.
std::string QuotedArgument(std::string_view argument) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') backslashes = 2 * backslashes + 1;
    quoted.append(backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

// The text in single quotes for /bin/sh: a quote inside ends the quoting, is escaped, and
// starts it again.
std::string ShellQuoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

std::wstring Wide(const std::string& utf8) {
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(
                        CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0)),
                    L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                      static_cast<int>(wide.size()));
  return wide;
}

std::string NewStatusFile() {
  static std::atomic<unsigned> next{0};
  return "/tmp/vfx-unix-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++next) +
         "-" + std::to_string(GetTickCount()) + ".status";
}

std::string ReadWhole(const std::string& windowsPath) {
  HANDLE file = CreateFileA(windowsPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  char buffer[64];
  DWORD read = 0;
  std::string content;
  if (ReadFile(file, buffer, sizeof buffer, &read, nullptr)) content.assign(buffer, read);
  CloseHandle(file);
  return content;
}

}  // namespace

std::wstring UnixCommandLine(std::string_view command, double seconds,
                             std::string_view statusFile) {
  const std::string status(statusFile);
  const int bound = std::max(1, static_cast<int>(std::ceil(seconds)));
  // The status goes to a side file first and is renamed into place, so a reader never sees
  // half of it.
  const std::string script = "timeout -k 2 " + std::to_string(bound) + " /bin/sh -c " +
                             ShellQuoted(command) + "; echo $? > " + status + ".part && mv " +
                             status + ".part " + status;
  return L"Z:\\bin\\sh -c " + Wide(QuotedArgument(script));
}

UnixRun RunUnixProgram(std::string_view command, double seconds) {
  const std::string statusFile = NewStatusFile();
  std::wstring line = UnixCommandLine(command, seconds, statusFile);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  UnixRun run;
  run.started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &started) != 0;
  // Whatever came back, only handles that name the child are closed: none, for a Unix program.
  CloseStartHandles(started);
  if (!run.started) return run;
  const std::string windowsPath = WindowsPath(statusFile);
  std::string status;
  // timeout(1) ends the program at the bound and kills it two seconds later; the shell then
  // writes the status at once.
  WaitUntil(
      [&] {
        status = ReadWhole(windowsPath);
        return !status.empty();
      },
      std::ceil(seconds) + 5);
  if (status.empty()) return run;
  DeleteFileA(windowsPath.c_str());
  run.ended = true;
  run.status = std::atoi(status.c_str());
  return run;
}

}  // namespace vfx::e2e
