#include "e2e/support/host_log.h"

#include <cstdlib>
#include <optional>

namespace vfx::e2e {
namespace {

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The flat objects the host writes: string values and bare numbers or words.
class LineParser {
 public:
  explicit LineParser(std::string_view line) : line_(line) {}

  std::optional<LogEvent> Parse() {
    LogEvent event;
    if (!Take('{')) return std::nullopt;
    while (!Take('}')) {
      const auto name = String();
      if (!name || !Take(':')) return std::nullopt;
      const auto value = Peek() == '"' ? String() : Bare();
      if (!value) return std::nullopt;
      event.fields[*name] = *value;
      Take(',');
      if (pos_ >= line_.size()) return std::nullopt;
    }
    event.kind = event.Field("event");
    event.time = std::atof(event.Field("t").c_str());
    return event;
  }

 private:
  char Peek() const { return pos_ < line_.size() ? line_[pos_] : '\0'; }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }

  std::optional<std::string> String() {
    if (!Take('"')) return std::nullopt;
    std::string out;
    while (pos_ < line_.size() && line_[pos_] != '"') {
      char c = line_[pos_++];
      if (c != '\\') {
        out += c;
        continue;
      }
      c = line_[pos_++];
      if (c == 'u' && pos_ + 4 <= line_.size()) {
        AppendUtf8(out, std::strtoul(std::string(line_.substr(pos_, 4)).c_str(), nullptr, 16));
        pos_ += 4;
      } else {
        out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
      }
    }
    if (!Take('"')) return std::nullopt;
    return out;
  }

  std::optional<std::string> Bare() {
    const std::size_t start = pos_;
    while (pos_ < line_.size() && line_[pos_] != ',' && line_[pos_] != '}') ++pos_;
    if (pos_ == start) return std::nullopt;
    return std::string(line_.substr(start, pos_ - start));
  }

  std::string_view line_;
  std::size_t pos_ = 0;
};

}  // namespace

std::string LogEvent::Field(const std::string& name) const {
  const auto found = fields.find(name);
  return found == fields.end() ? std::string() : found->second;
}

std::string LogEvent::Bytes(const std::string& name) const {
  const std::string hex = Field(name + "_hex");
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
  return bytes;
}

std::vector<LogEvent> ParseLog(std::string_view content) {
  std::vector<LogEvent> events;
  std::size_t start = 0, end;
  while ((end = content.find('\n', start)) != std::string_view::npos) {
    if (auto event = LineParser(content.substr(start, end - start)).Parse())
      events.push_back(std::move(*event));
    start = end + 1;
  }
  return events;
}

std::string ToHex(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    out += kHex[static_cast<unsigned char>(c) >> 4];
    out += kHex[static_cast<unsigned char>(c) & 15];
  }
  return out;
}

}  // namespace vfx::e2e
