// A program a test started, held by its process id as well as by the handles CreateProcess gave.
//
// A handle counts as the child's only while the system says it names the child: a process
// handle whose GetProcessId is the child's id, a thread handle whose GetThreadId is its first
// thread's. Nothing else is waited on or closed. Under Wine, starting a Unix program returns
// TRUE with a null process handle and a thread "handle" that is left-over memory; closing that
// value closes whatever handle of ours it happens to alias (Windows ignores a handle's two low
// bits), which once was the stand-in host's own process handle.
//
// When the handle held stops naming the child (closed or reused behind our back), the child is
// reached through a handle opened afresh for its id, after checking that the process of that id
// was created when the child was, so a reused id is never ended by mistake.
#pragma once

#include <windows.h>

#include <optional>

namespace vfx::e2e {

// True when `process` is a handle of the process with this id (or `thread` of this thread).
bool NamesProcess(HANDLE process, DWORD processId);
bool NamesThread(HANDLE thread, DWORD threadId);

// Closes the handles of `started` that name the child it describes and clears the structure;
// a handle that does not is left alone, whatever its value.
void CloseStartHandles(PROCESS_INFORMATION& started);

class ChildProcess {
 public:
  ChildProcess() = default;
  // Takes over what a successful CreateProcess gave; the thread handle is closed at once.
  explicit ChildProcess(PROCESS_INFORMATION& started);
  ~ChildProcess();  // closes what it holds; the program itself runs on (see Terminate)
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  DWORD id() const { return id_; }
  // A handle that names the child now, or null when the child cannot be reached (it never
  // started, or it ended and its id went to another process).
  HANDLE handle() const;

  bool Running() const;
  // True once the child has ended, within `seconds`.
  bool WaitForExit(double seconds) const;
  std::optional<DWORD> ExitCode() const;
  // Ends the child at once and waits for it to be gone; true when it is.
  bool Terminate() const;

 private:
  void Close();

  DWORD id_ = 0;
  mutable HANDLE process_ = nullptr;
  FILETIME created_{};
};

// Ends a running program by its id, as the task manager would. False when it could not be
// ended (or no process has that id).
bool EndProgram(DWORD processId);

}  // namespace vfx::e2e
