#include "platform/win32/console.h"

#include <algorithm>
#include <vector>

#include "platform/win32/system_text.h"
#include "platform/win32/text.h"

namespace vfx::platform::win32 {
namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

// Where the UTF-8 bytes stop holding whole characters: a sequence begun in the last three bytes
// and not finished waits for the next write.
std::size_t WholeCharacters(std::string_view bytes) {
  for (std::size_t back = 1; back <= std::min<std::size_t>(3, bytes.size()); ++back) {
    const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? bytes.size() - back : bytes.size();
  }
  return bytes.size();
}

class HandleInput : public cli::Input {
 public:
  HandleInput(HANDLE handle, bool owned)
      : handle_(handle), owned_(owned), console_(IsConsole(handle)) {}
  ~HandleInput() override {
    if (owned_) CloseHandle(handle_);
  }
  HandleInput(const HandleInput&) = delete;
  HandleInput& operator=(const HandleInput&) = delete;

  std::optional<std::size_t> Read(char* buffer, std::size_t size, std::string& problem) override {
    return console_ ? ReadConsoleText(buffer, size, problem) : ReadBytes(buffer, size, problem);
  }

 private:
  std::optional<std::size_t> ReadBytes(char* buffer, std::size_t size, std::string& problem) {
    DWORD read = 0;
    if (ReadFile(handle_, buffer, static_cast<DWORD>(std::min<std::size_t>(size, 1 << 30)), &read,
                 nullptr))
      return read;
    const DWORD error = GetLastError();
    if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return 0;  // the writer is done
    problem = SystemErrorWords(error);
    return std::nullopt;
  }

  // What was typed, as UTF-8. Ctrl+Z at the start of a line ends the input, as it does for
  // every console program.
  std::optional<std::size_t> ReadConsoleText(char* buffer, std::size_t size, std::string& problem) {
    while (text_.empty() && !ended_) {
      wchar_t wide[4096];
      DWORD read = 0;
      if (!ReadConsoleW(handle_, wide, 4096, &read, nullptr)) {
        problem = SystemErrorWords(GetLastError());
        return std::nullopt;
      }
      std::wstring typed = high_ + std::wstring(wide, read);
      high_.clear();
      if (read == 0 || (!typed.empty() && typed[0] == 0x1A)) {
        ended_ = true;
        break;
      }
      if (IS_HIGH_SURROGATE(typed.back())) {  // its low half comes with the next read
        high_ = typed.back();
        typed.pop_back();
      }
      text_ = Narrow(typed);
    }
    const std::size_t count = std::min(size, text_.size());
    std::copy_n(text_.begin(), count, buffer);
    text_.erase(0, count);
    return count;
  }

  HANDLE handle_;
  bool owned_, console_;
  bool ended_ = false;
  std::string text_;
  std::wstring high_;
};

}  // namespace

Win32Console::Win32Console()
    : output_(GetStdHandle(STD_OUTPUT_HANDLE)),
      error_(GetStdHandle(STD_ERROR_HANDLE)),
      outputConsole_(IsConsole(output_)),
      errorConsole_(IsConsole(error_)) {}

Win32Console::~Win32Console() {
  if (modeChanged_) SetConsoleMode(output_, modeBefore_);
}

bool Win32Console::ReadyForColourCodes() {
  if (!outputConsole_) return true;  // a file or a pipe takes the codes as bytes
  if (modeChanged_) return true;
  DWORD mode = 0;
  if (!GetConsoleMode(output_, &mode)) return false;
  if (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) return true;
  if (!SetConsoleMode(output_, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) return false;
  modeBefore_ = mode;
  modeChanged_ = true;
  return true;
}

int Win32Console::TerminalWidth() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!outputConsole_ || !GetConsoleScreenBufferInfo(output_, &info)) return 0;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

bool Win32Console::WriteConsole(HANDLE console, std::string& pending, std::string_view bytes) {
  pending.append(bytes);
  const std::size_t whole = WholeCharacters(pending);
  const std::wstring wide = Widen(std::string_view(pending).substr(0, whole));
  pending.erase(0, whole);
  for (std::size_t at = 0; at < wide.size();) {
    DWORD written = 0;
    const auto count = static_cast<DWORD>(std::min<std::size_t>(wide.size() - at, 16384));
    if (!WriteConsoleW(console, wide.data() + at, count, &written, nullptr) || written == 0)
      return false;
    at += written;
  }
  return true;
}

cli::Written Win32Console::Write(std::string_view bytes) {
  if (outputConsole_)
    return WriteConsole(output_, outputPending_, bytes) ? cli::Written::kAll
                                                        : cli::Written::kFailed;
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto count = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
    if (!WriteFile(output_, bytes.data(), count, &written, nullptr)) {
      const DWORD error = GetLastError();
      // The reader went away: end quietly, as a filter does.
      if (error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE) return cli::Written::kClosed;
      Error("vfx: cannot write: " + SystemErrorWords(error));
      return cli::Written::kFailed;
    }
    bytes.remove_prefix(written);
  }
  return cli::Written::kAll;
}

void Win32Console::Error(std::string_view line) {
  const std::string text = std::string(line) + "\n";  // as vfx writes its own lines
  if (errorConsole_) {
    WriteConsole(error_, errorPending_, text);
  } else {
    DWORD written = 0;
    WriteFile(error_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
}

std::optional<std::string> Win32Console::Environment(const char* name) {
  const std::wstring wideName = Widen(name);
  const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::vector<wchar_t> value(size);
  const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
  return Narrow({value.data(), length});
}

std::unique_ptr<cli::Input> Win32Console::Open(const std::string& path, std::string& problem) {
  if (path == "-") return std::make_unique<HandleInput>(GetStdHandle(STD_INPUT_HANDLE), false);
  const HANDLE file =
      CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    problem = SystemErrorWords(GetLastError());
    return nullptr;
  }
  return std::make_unique<HandleInput>(file, true);
}

}  // namespace vfx::platform::win32
