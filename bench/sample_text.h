// The text every native benchmark fades: English prose, cut to the size asked.
#pragma once

#include <string>
#include <string_view>

namespace vfx::bench {

inline std::string SampleText(std::size_t bytes) {
  const std::string_view pattern = "The quick brown fox jumps over the lazy dog. ";
  std::string text;
  text.reserve(bytes);
  while (text.size() < bytes) text += pattern.substr(0, bytes - text.size());
  return text;
}

}  // namespace vfx::bench
