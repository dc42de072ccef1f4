// A key combination the user can press anywhere on the desktop: a virtual-key code, as the window
// system numbers its keys, with the modifiers held. Portable, so that settings can keep it and
// menus can show it; the window system registers it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vfx::platform {

struct HotKey {
  unsigned key = 0;  // the virtual-key code ('A'..'Z', '0'..'9', 0x70 for F1, ...); 0 is none
  bool control = false, shift = false, alt = false, windows = false;

  bool empty() const { return key == 0; }
  friend bool operator==(const HotKey&, const HotKey&) = default;
};

// The combination as the user reads it: "Ctrl+Shift+F", "Alt+F9", "Win+Num 5". The keys whose
// face depends on the keyboard layout (";", "[", ...) are named as on a US keyboard, and a code
// without a name as "Key 0xNN". Empty for no key.
std::string HotKeyName(const HotKey& hotKey);

// The name read back, modifiers in any order and any case; nothing for text that names no key.
std::optional<HotKey> ParseHotKey(std::string_view name);

}  // namespace vfx::platform
