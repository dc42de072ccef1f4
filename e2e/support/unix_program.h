// Runs a Unix program (xdotool, say) from a Windows test under Wine, to its end within a bound.
//
// What it can give: whether the program ended within the bound, and its exit status. Both come
// from a status file that the shell writes last and renames into place, never from the handles
// CreateProcess returns: Wine starts a Unix program without a Windows process of its own, so it
// gives no handle to wait on (a null process handle, and under 32-bit Wine a thread "handle"
// that is left-over memory). Those handles are never waited on or closed.
//
// What it cannot: follow the program's output, or stop it early from Windows. The program runs
// under timeout(1) instead, which ends it at the bound; its status is then 124.
#pragma once

#include <string>
#include <string_view>

namespace vfx::e2e {

struct UnixRun {
  bool started = false;  // CreateProcess took the command
  bool ended = false;    // the shell reported an exit status within the bound
  int status = -1;       // that status: 0 for success, 124 when timeout(1) ended the program
};

// `command` is a line for /bin/sh (quote with single or double quotes as the shell does).
UnixRun RunUnixProgram(std::string_view command, double seconds);

// The command line CreateProcess is given for `command`, for tests of the quoting: /bin/sh,
// then timeout(1) with the bound, the command, and the status file's writing.
std::wstring UnixCommandLine(std::string_view command, double seconds, std::string_view statusFile);

}  // namespace vfx::e2e
