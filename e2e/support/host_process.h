// One substitute-host.exe for one test: started with its own log file, stopped when the object
// goes (through a handle that names it, see child_process.h), so nothing is left running
// whatever the test's outcome.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "e2e/support/child_process.h"
#include "e2e/support/host_log.h"

namespace vfx::e2e {

// A path as Windows sees it: Wine maps the Unix root to drive Z:.
std::string WindowsPath(std::string path);
// The substitute host's path as Windows sees it.
std::string SubstituteHostPath();

// Starts a Windows program (its command line, run in `folder` when given) with the null device
// as its standard handles; an empty ChildProcess when it did not start.
ChildProcess StartProgram(std::string commandLine, const char* folder = nullptr);

struct ProcessResult {
  DWORD exitCode = 0;
  std::string standardError;
};
// Runs the host to its end with these options (for command lines it refuses); nothing when it
// was still running after `seconds` (it is then stopped).
std::optional<ProcessResult> RunHostToEnd(const std::vector<std::string>& options, double seconds);

// The log read as it grows, each complete line once: for journeys whose log grows to megabytes,
// where reading it whole at every poll would cost more with every line.
class LogTail {
 public:
  explicit LogTail(std::string path) : path_(std::move(path)) {}
  // The events of the lines completed since the last call.
  std::vector<LogEvent> Read();

 private:
  std::string path_;
  unsigned long long offset_ = 0;
  std::string partial_;
};

class HostProcess {
 public:
  // Starts the host and waits until it has logged "ready" (or has ended, or 30 s passed).
  explicit HostProcess(std::vector<std::string> options = {});
  ~HostProcess();
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  bool ready() const { return ready_; }
  HANDLE process() const { return process_.handle(); }
  DWORD process_id() const { return process_.id(); }
  bool Running() const;
  // Ends the host at once, as a crash or the task manager would; its windows go with it.
  void Kill();

  LogTail Tail() const { return LogTail(logPath_); }
  std::vector<LogEvent> Events() const;
  std::vector<LogEvent> Events(std::string_view kind) const;
  // Waits until `count` events of this kind are in the log; false after `seconds`.
  bool WaitForEvents(std::string_view kind, std::size_t count = 1, double seconds = 10) const;

 private:
  ChildProcess process_;
  std::string logPath_;
  bool ready_ = false;
};

// Polls `condition` every 10 ms; false when it still does not hold after `seconds`.
bool WaitUntil(const std::function<bool()>& condition, double seconds);
double Seconds();  // a monotonic clock

}  // namespace vfx::e2e
