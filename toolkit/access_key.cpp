#include "toolkit/access_key.h"

#include "platform/ascii.h"

namespace vfx::toolkit {
namespace {

// The bytes of the UTF-8 character that starts at `at`; a stray byte counts as one.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  std::size_t k = 1;
  while (k < length && at + k < text.size() &&
         (static_cast<unsigned char>(text[at + k]) & 0xC0) == 0x80)
    ++k;
  return k;
}

}  // namespace

std::string WithoutAccessKeys(std::string_view caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') text += caption[++i];
      continue;
    }
    text += caption[i];
  }
  return text;
}

std::vector<std::string> AccessKeysOf(std::string_view caption) {
  std::vector<std::string> keys;
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    std::string key(caption.substr(i + 1, CharacterLength(caption, i + 1)));
    if (key.size() == 1) key[0] = platform::AsciiLower(key[0]);
    keys.push_back(std::move(key));
  }
  return keys;
}

}  // namespace vfx::toolkit
