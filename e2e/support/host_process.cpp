#include "e2e/support/host_process.h"

namespace vfx::e2e {
namespace {

std::string Quoted(const std::string& argument) {
  std::string quoted = "\"";
  for (const char c : argument) {
    if (c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string CommandLine(const std::vector<std::string>& options) {
  std::string line = Quoted(SubstituteHostPath());
  for (const std::string& option : options) {
    line += ' ';
    line += Quoted(option);
  }
  return line;
}

std::string NewLogPath() {
  char directory[MAX_PATH] = "", path[MAX_PATH] = "";
  GetTempPathA(sizeof directory, directory);
  GetTempFileNameA(directory, "vsh", 0, path);
  return path;
}

// The file from byte `from` on, while the host may be writing it.
std::string ReadShared(const std::string& path, unsigned long long from = 0) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(from);
  SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
  std::string content;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    content.append(buffer, read);
  CloseHandle(file);
  return content;
}

// The host's standard handles: the null device, never the test's own output. A host that
// outlived its test would otherwise hold ctest's pipe, and ctest waits for that pipe to close.
struct NullStandardHandles {
  NullStandardHandles() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    device = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         &inherit, OPEN_EXISTING, 0, nullptr);
  }
  ~NullStandardHandles() {
    if (device != INVALID_HANDLE_VALUE) CloseHandle(device);
  }
  NullStandardHandles(const NullStandardHandles&) = delete;
  NullStandardHandles& operator=(const NullStandardHandles&) = delete;
  void Into(STARTUPINFOA& startup) const {
    if (device == INVALID_HANDLE_VALUE) return;
    startup.dwFlags |= STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = device;
  }
  HANDLE device;
};

}  // namespace

std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

std::string SubstituteHostPath() { return WindowsPath(VFX_SUBSTITUTE_HOST_EXE); }

double Seconds() {
  static const auto frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return static_cast<double>(value.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

bool WaitUntil(const std::function<bool()>& condition, double seconds) {
  const double deadline = Seconds() + seconds;
  for (;;) {
    if (condition()) return true;
    if (Seconds() >= deadline) return false;
    Sleep(10);
  }
}

HostProcess::HostProcess(std::vector<std::string> options) : logPath_(NewLogPath()) {
  options.insert(options.begin(), {"--log", logPath_});
  process_ = StartProgram(CommandLine(options));
  ready_ = WaitUntil([this] { return !Events("ready").empty() || !Running(); }, 30) && Running();
}

HostProcess::~HostProcess() {
  process_.Terminate();
  DeleteFileA(logPath_.c_str());
}

bool HostProcess::Running() const { return process_.Running(); }

void HostProcess::Kill() { process_.Terminate(); }

ChildProcess StartProgram(std::string commandLine, const char* folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  const NullStandardHandles standard;
  standard.Into(startup);
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder,
                      &startup, &started))
    return {};
  return ChildProcess(started);
}

std::vector<LogEvent> LogTail::Read() {
  const std::string added = ReadShared(path_, offset_);
  offset_ += added.size();
  partial_ += added;
  const std::size_t complete = partial_.rfind('\n');
  if (complete == std::string::npos) return {};
  std::vector<LogEvent> events = ParseLog(std::string_view(partial_).substr(0, complete + 1));
  partial_.erase(0, complete + 1);
  return events;
}

std::vector<LogEvent> HostProcess::Events() const { return ParseLog(ReadShared(logPath_)); }

std::vector<LogEvent> HostProcess::Events(std::string_view kind) const {
  std::vector<LogEvent> events;
  for (LogEvent& event : Events())
    if (event.kind == kind) events.push_back(std::move(event));
  return events;
}

bool HostProcess::WaitForEvents(std::string_view kind, std::size_t count, double seconds) const {
  return WaitUntil([&] { return Events(kind).size() >= count; }, seconds);
}

std::optional<ProcessResult> RunHostToEnd(const std::vector<std::string>& options, double seconds) {
  // Under a busy Wine a process now and then fails to start at all (CreateProcess or the wait on
  // it fails at once); a person would start it again. Running too long is no such failure.
  for (int attempt = 0; attempt < 3; ++attempt) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return std::nullopt;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = startup.hStdOutput = writeEnd;
    std::string line = CommandLine(options);
    PROCESS_INFORMATION started{};
    const ChildProcess process = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0,
                                                nullptr, nullptr, &startup, &started)
                                     ? ChildProcess(started)
                                     : ChildProcess();
    CloseHandle(writeEnd);
    const bool ended = process.handle() && process.WaitForExit(seconds);
    std::optional<ProcessResult> result;
    if (ended) {
      result.emplace();
      result->exitCode = process.ExitCode().value_or(1);
      char buffer[4096];
      DWORD read = 0;
      while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
        result->standardError.append(buffer, read);
    } else {
      process.Terminate();
    }
    CloseHandle(readEnd);
    if (process.handle()) return result;
    Sleep(500);
  }
  return std::nullopt;
}

}  // namespace vfx::e2e
