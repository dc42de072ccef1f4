#include "e2e/support/child_process.h"

#include <utility>

namespace vfx::e2e {
namespace {

std::optional<FILETIME> CreationTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
  return created;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

constexpr DWORD kAccess = PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE;

}  // namespace

bool NamesProcess(HANDLE process, DWORD processId) {
  return process != nullptr && process != INVALID_HANDLE_VALUE && processId != 0 &&
         GetProcessId(process) == processId;
}

bool NamesThread(HANDLE thread, DWORD threadId) {
  return thread != nullptr && thread != INVALID_HANDLE_VALUE && threadId != 0 &&
         GetThreadId(thread) == threadId;
}

void CloseStartHandles(PROCESS_INFORMATION& started) {
  if (NamesThread(started.hThread, started.dwThreadId)) CloseHandle(started.hThread);
  if (NamesProcess(started.hProcess, started.dwProcessId)) CloseHandle(started.hProcess);
  started = {};
}

ChildProcess::ChildProcess(PROCESS_INFORMATION& started) {
  if (NamesProcess(started.hProcess, started.dwProcessId)) {
    if (const std::optional<FILETIME> created = CreationTime(started.hProcess)) {
      id_ = started.dwProcessId;
      created_ = *created;
      process_ = started.hProcess;
      started.hProcess = nullptr;
    }
  }
  CloseStartHandles(started);
}

ChildProcess::~ChildProcess() { Close(); }

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : id_(std::exchange(other.id_, 0)),
      process_(std::exchange(other.process_, nullptr)),
      created_(other.created_) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Close();
    id_ = std::exchange(other.id_, 0);
    process_ = std::exchange(other.process_, nullptr);
    created_ = other.created_;
  }
  return *this;
}

void ChildProcess::Close() {
  // A value that names another object by now is not ours to close.
  if (NamesProcess(process_, id_)) CloseHandle(process_);
  process_ = nullptr;
  id_ = 0;
}

HANDLE ChildProcess::handle() const {
  if (id_ == 0) return nullptr;
  if (NamesProcess(process_, id_)) return process_;
  // The handle was closed behind our back: the old value is left alone (it may be another
  // object's now), and the child is looked up by its id and its start.
  process_ = nullptr;
  HANDLE reopened = OpenProcess(kAccess, FALSE, id_);
  if (!reopened) return nullptr;
  const std::optional<FILETIME> created = CreationTime(reopened);
  if (!created || !SameTime(*created, created_)) {
    CloseHandle(reopened);
    return nullptr;
  }
  process_ = reopened;
  return process_;
}

bool ChildProcess::Running() const {
  HANDLE process = handle();
  return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitForExit(double seconds) const {
  HANDLE process = handle();
  // A child that cannot be reached any more has ended (its id went to nobody, or to another).
  if (!process) return id_ != 0;
  return WaitForSingleObject(process, static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0;
}

std::optional<DWORD> ChildProcess::ExitCode() const {
  HANDLE process = handle();
  DWORD code = 0;
  if (!process || WaitForSingleObject(process, 0) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process, &code))
    return std::nullopt;
  return code;
}

bool ChildProcess::Terminate() const {
  HANDLE process = handle();
  if (!process) return id_ != 0;
  if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
  return WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
}

bool EndProgram(DWORD processId) {
  HANDLE process = OpenProcess(kAccess, FALSE, processId);
  if (!process) return false;
  TerminateProcess(process, 1);
  const bool ended = WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

}  // namespace vfx::e2e
