// The pieces of a fade's markup, each a tag and its character, written straight into the
// output with whatever the wave and the style text put around some characters. Shared by the
// fade writer's files alone.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "tag.h"
#include "text/utf8.h"

namespace vfx::fade::detail {

// Wrapping policies: what stands around the characters at phases 1 and 3 (`phase` 0 and 1).
struct NoWrap {
  static constexpr bool kWraps = false;
  char* Before(int, char* out) const { return out; }
  char* After(int, char* out) const { return out; }
  char* Around(int, char, char* out) const { return out; }
};

// Texts of at most kMost bytes, each written with one fixed-size store. kMost is tuned: 16 bytes,
// one SSE store, hold the wave's tags with up to three style tags; longer texts take LongWrap's
// copies of their own length, a little slower, and the writer's slack must cover the store.
class ShortWrap {
 public:
  static constexpr bool kWraps = true;
  static constexpr std::size_t kMost = 16;
  static bool Fits(const std::string (&before)[2], const std::string (&after)[2]) {
    return before[0].size() <= kMost && after[0].size() <= kMost && before[1].size() <= kMost &&
           after[1].size() <= kMost;
  }
  ShortWrap(const std::string (&before)[2], const std::string (&after)[2]) {
    for (int k = 0; k < 2; ++k) {
      Set(before_[k], before[k]);
      Set(after_[k], after[k]);
    }
  }
  char* Before(int phase, char* out) const { return Write(before_[phase], out); }
  char* After(int phase, char* out) const { return Write(after_[phase], out); }
  char* Around(int phase, char character, char* out) const {
    out = Before(phase, out);
    *out++ = character;
    return After(phase, out);
  }

 private:
  struct Block {
    std::array<char, kMost> bytes{};
    std::size_t size = 0;
  };
  static void Set(Block& block, const std::string& text) {
    std::memcpy(block.bytes.data(), text.data(), text.size());
    block.size = text.size();
  }
  static char* Write(const Block& block, char* out) {
    std::memcpy(out, block.bytes.data(), kMost);
    return out + block.size;
  }
  Block before_[2], after_[2];
};

class LongWrap {
 public:
  static constexpr bool kWraps = true;
  LongWrap(const std::string (&before)[2], const std::string (&after)[2])
      : before_(before), after_(after) {}
  char* Before(int phase, char* out) const { return Put(before_[phase], out); }
  char* After(int phase, char* out) const { return Put(after_[phase], out); }
  char* Around(int phase, char character, char* out) const {
    out = Before(phase, out);
    *out++ = character;
    return After(phase, out);
  }

 private:
  static char* Put(const std::string& text, char* out) {
    if (!text.empty()) std::memcpy(out, text.data(), text.size());
    return out + text.size();
  }
  const std::string (&before_)[2];
  const std::string (&after_)[2];
};

struct Source {
  std::string_view text;
  std::size_t at;
  std::size_t index;  // characters written so far; phases 1 and 3 are the even ones
};

// One piece. A one-byte character outside the wrapping goes into the digits' store.
template <typename Wrap>
inline char* PutPiece(char* out, std::uint64_t digits, Source& source, const Wrap& wrap) {
  const std::uint64_t tag = digits | kTagClose;
  const char* const in = source.text.data();
  const std::size_t bytes = source.text.size();
  const auto lead = static_cast<unsigned char>(in[source.at]);
  const std::size_t index = source.index++;
  const bool wrapped = Wrap::kWraps && index % 2 == 0;
  if (lead < 0x80 && !wrapped) {
    PutTag(out, tag | (std::uint64_t{lead} << 56));
    ++source.at;
    return out + kTagBytes + 1;
  }
  PutTag(out, tag);
  out += kTagBytes;
  const int phase = static_cast<int>((index >> 1) & 1);
  if (lead < 0x80) {
    ++source.at;
    return wrap.Around(phase, static_cast<char>(lead), out);
  }
  if (wrapped) out = wrap.Before(phase, out);
  const std::size_t length = vfx::text::CharacterLength(source.text, source.at);
  if (bytes - source.at >= 4) {
    std::memcpy(out, in + source.at, 4);  // the slack takes the bytes past the character
  } else {
    std::memcpy(out, in + source.at, length);
  }
  out += length;
  source.at += length;
  if (wrapped) out = wrap.After(phase, out);
  return out;
}

// `count` pieces that share one colour, `digits`.
template <typename Wrap>
char* PutPieces(char* out, std::uint64_t digits, std::size_t count, Source& source,
                const Wrap& wrap) {
  const std::uint64_t tag = digits | kTagClose;
  const char* const in = source.text.data();
  const std::size_t bytes = source.text.size();
  while (count > 0) {
    // Runs of one-byte characters, eight at a time, each piece assembled in few stores.
    if (count >= 8 && bytes - source.at >= 8 && (!Wrap::kWraps || source.index % 4 == 0)) {
      std::uint64_t eight;
      std::memcpy(&eight, in + source.at, 8);
      if ((eight & 0x8080808080808080ull) == 0) {
        if constexpr (Wrap::kWraps) {
          // Phases 1, 2, 3, 4, 1, 2, 3, 4.
          for (int k = 0; k < 8; k += 2) {
            PutTag(out, tag);
            out = wrap.Around((k >> 1) & 1, static_cast<char>(eight >> (8 * k)), out + kTagBytes);
            PutTag(out, tag | (eight >> (8 * k + 8) << 56));
            out += kTagBytes + 1;
          }
        } else {
          for (int k = 0; k < 8; ++k, out += kTagBytes + 1) {
            PutTag(out, tag | (eight >> (8 * k) << 56));
          }
        }
        source.at += 8;
        source.index += 8;
        count -= 8;
        continue;
      }
    }
    out = PutPiece(out, digits, source, wrap);
    --count;
  }
  return out;
}

// Calls `put` with the cheapest wrapping policy that writes what stands around phases 1 and 3.
template <typename Put>
char* WithWrap(const std::string (&before)[2], const std::string (&after)[2], const Put& put) {
  if (before[0].empty() && after[0].empty() && before[1].empty() && after[1].empty()) {
    return put(NoWrap{});
  }
  if (ShortWrap::Fits(before, after)) return put(ShortWrap(before, after));
  return put(LongWrap(before, after));
}

// Appends what `write(begin)` writes, returning its end, within `room` bytes past out's end.
// Every byte of the markup is written once, into memory that is not filled with zeros first.
template <typename Write>
void AppendInPlace(std::string& out, std::size_t room, const Write& write) {
  const std::size_t oldSize = out.size();
  const auto fill = [&](char* buffer, std::size_t) {
    return static_cast<std::size_t>(write(buffer + oldSize) - buffer);
  };
#if defined(__cpp_lib_string_resize_and_overwrite)
  out.resize_and_overwrite(oldSize + room, fill);
#else
  out.resize(oldSize + room);
  out.resize(fill(out.data(), out.size()));
#endif
}

}  // namespace vfx::fade::detail
