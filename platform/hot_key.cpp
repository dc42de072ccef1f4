#include "platform/hot_key.h"

#include <array>
#include <cstdio>
#include <utility>

#include "text/ascii.h"

namespace vfx::platform {
namespace {

using text::SameIgnoringCase;
using text::TrimBlanks;

struct KeyName {
  unsigned key;
  const char* name;
};

// The keys that read as a word or a symbol; letters, digits, F1 to F24 and the number pad's
// digits follow from their codes.
constexpr std::array<KeyName, 37> kNamed{{
    {0x08, "Backspace"}, {0x09, "Tab"},       {0x0D, "Enter"},
    {0x13, "Pause"},     {0x1B, "Esc"},       {0x20, "Space"},
    {0x21, "Page Up"},   {0x22, "Page Down"}, {0x23, "End"},
    {0x24, "Home"},      {0x25, "Left"},      {0x26, "Up"},
    {0x27, "Right"},     {0x28, "Down"},      {0x2C, "Print Screen"},
    {0x2D, "Insert"},    {0x2E, "Delete"},    {0x6A, "Num *"},
    {0x6B, "Num +"},     {0x6D, "Num -"},     {0x6E, "Num ."},
    {0x6F, "Num /"},     {0x90, "Num Lock"},  {0x91, "Scroll Lock"},
    {0xBA, ";"},         {0xBB, "="},         {0xBC, ","},
    {0xBD, "-"},         {0xBE, "."},         {0xBF, "/"},
    {0xC0, "`"},         {0xDB, "["},         {0xDC, "\\"},
    {0xDD, "]"},         {0xDE, "'"},         {0x5D, "Menu"},
    {0x03, "Break"},
}};

constexpr std::array<std::pair<const char*, bool HotKey::*>, 5> kModifiers{{
    {"Ctrl", &HotKey::control},
    {"Control", &HotKey::control},
    {"Shift", &HotKey::shift},
    {"Alt", &HotKey::alt},
    {"Win", &HotKey::windows},
}};

std::string KeyNameOf(unsigned key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return std::string(1, static_cast<char>(key));
  if (key >= 0x60 && key <= 0x69) return std::string("Num ") += static_cast<char>('0' + key - 0x60);
  if (key >= 0x70 && key <= 0x87) return std::string("F") += std::to_string(key - 0x70 + 1);
  for (const KeyName& named : kNamed)
    if (named.key == key) return named.name;
  char code[16];
  std::snprintf(code, sizeof code, "Key 0x%02X", key & 0xFFu);
  return code;
}

std::optional<unsigned> KeyOfName(std::string_view name) {
  for (unsigned key = 1; key <= 0xFE; ++key)
    if (SameIgnoringCase(name, KeyNameOf(key))) return key;
  return std::nullopt;
}

}  // namespace

std::string HotKeyName(const HotKey& hotKey) {
  if (hotKey.empty()) return {};
  std::string name;
  if (hotKey.control) name += "Ctrl+";
  if (hotKey.shift) name += "Shift+";
  if (hotKey.alt) name += "Alt+";
  if (hotKey.windows) name += "Win+";
  return name + KeyNameOf(hotKey.key);
}

std::optional<HotKey> ParseHotKey(std::string_view name) {
  HotKey hotKey;
  std::string_view rest = TrimBlanks(name);
  for (;;) {
    const std::size_t plus = rest.find('+');
    // The last part is the key, which may itself be "+" ("Num +").
    if (plus == std::string_view::npos || plus + 1 >= rest.size()) break;
    bool HotKey::*modifier = nullptr;
    for (const auto& [word, member] : kModifiers)
      if (SameIgnoringCase(TrimBlanks(rest.substr(0, plus)), word)) modifier = member;
    if (!modifier) break;
    hotKey.*modifier = true;
    rest = TrimBlanks(rest.substr(plus + 1));
  }
  const std::optional<unsigned> key = KeyOfName(rest);
  if (!key) return std::nullopt;
  hotKey.key = *key;
  return hotKey;
}

}  // namespace vfx::platform
