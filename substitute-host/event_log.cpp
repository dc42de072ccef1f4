#include "substitute-host/event_log.h"

#include <windows.h>

#include <cstdint>

namespace vfx::subhost {
namespace {

// The code page's characters as UTF-8, so the readable form is valid JSON text.
std::string AnsiToUtf8(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int size = static_cast<int>(ansi.size());
  std::wstring wide(MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), static_cast<int>(wide.size()));
  const int wideSize = static_cast<int>(wide.size());
  std::string utf8(
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, utf8.data(), static_cast<int>(utf8.size()),
                      nullptr, nullptr);
  return utf8;
}

void AppendJsonString(std::string& out, std::string_view utf8) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  out += '"';
}

std::string Hex(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    out += kHex[static_cast<unsigned char>(c) >> 4];
    out += kHex[static_cast<unsigned char>(c) & 15];
  }
  return out;
}

void AppendField(std::string& line, const LogField& field) {
  line += ',';
  AppendJsonString(line, field.name);
  line += ':';
  if (field.kind == LogField::kNumber) {
    line += field.value;
    return;
  }
  AppendJsonString(line, AnsiToUtf8(field.value));
  if (field.kind == LogField::kBytes) {
    line += ',';
    AppendJsonString(line, std::string(field.name) + "_hex");
    line += ':';
    AppendJsonString(line, Hex(field.value));
  }
}

struct StartTime {
  LARGE_INTEGER frequency{}, start{};
  StartTime() {
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
  }
};
const StartTime kStartTime;

}  // namespace

double SecondsSinceStart() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - kStartTime.start.QuadPart) /
         static_cast<double>(kStartTime.frequency.QuadPart);
}

EventLog::~EventLog() {
  if (file_) std::fclose(file_);
}

bool EventLog::Open(const std::string& path) {
  if (path.empty()) return true;
  file_ = std::fopen(path.c_str(), "wb");
  return file_ != nullptr;
}

void EventLog::Write(std::string_view event, std::initializer_list<LogField> fields) {
  if (!file_) return;
  char time[32];
  std::snprintf(time, sizeof time, "{\"t\":%.3f,\"event\":", SecondsSinceStart());
  std::string line = time;
  AppendJsonString(line, event);
  for (const LogField& field : fields) AppendField(line, field);
  line += "}\n";
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
}

EventLog& Log() {
  static EventLog log;
  return log;
}

}  // namespace vfx::subhost
