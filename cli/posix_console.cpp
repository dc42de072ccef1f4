#include "cli/posix_console.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vfx::cli {
namespace {

class FileInput : public Input {
 public:
  FileInput(int descriptor, bool owned) : descriptor_(descriptor), owned_(owned) {}
  ~FileInput() override {
    if (owned_) close(descriptor_);
  }
  FileInput(const FileInput&) = delete;
  FileInput& operator=(const FileInput&) = delete;

  std::optional<std::size_t> Read(char* buffer, std::size_t size, std::string& problem) override {
    for (;;) {
      const ssize_t read = ::read(descriptor_, buffer, size);
      if (read >= 0) return static_cast<std::size_t>(read);
      if (errno == EINTR) continue;
      problem = std::strerror(errno);
      return std::nullopt;
    }
  }

 private:
  int descriptor_;
  bool owned_;
};

}  // namespace

bool PosixConsole::OutputIsTerminal() { return isatty(STDOUT_FILENO) == 1; }

int PosixConsole::TerminalWidth() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 0;
}

Written PosixConsole::Write(std::string_view bytes) {
  // A reader that went away ends the process here by SIGPIPE, quietly, as it ends cat; only
  // where SIGPIPE is ignored does EPIPE come back.
  while (!bytes.empty()) {
    const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      if (errno == EPIPE) return Written::kClosed;
      Error(std::string("vfx: cannot write: ") + std::strerror(errno));
      return Written::kFailed;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return Written::kAll;
}

void PosixConsole::Error(std::string_view line) {
  std::string text(line);
  text += '\n';
  const ssize_t ignored = ::write(STDERR_FILENO, text.data(), text.size());
  (void)ignored;  // nowhere left to say that standard error failed
}

std::optional<std::string> PosixConsole::Environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

std::unique_ptr<Input> PosixConsole::Open(const std::string& path, std::string& problem) {
  if (path == "-") return std::make_unique<FileInput>(STDIN_FILENO, false);
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    problem = std::strerror(errno);
    return nullptr;
  }
  return std::make_unique<FileInput>(descriptor, true);
}

}  // namespace vfx::cli
