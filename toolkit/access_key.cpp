#include "toolkit/access_key.h"

#include "text/ascii.h"
#include "text/utf8.h"

namespace vfx::toolkit {
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
    std::string key(caption.substr(i + 1, text::CharacterLength(caption, i + 1)));
    if (key.size() == 1) key[0] = text::AsciiLower(key[0]);
    keys.push_back(std::move(key));
  }
  return keys;
}

}  // namespace vfx::toolkit
