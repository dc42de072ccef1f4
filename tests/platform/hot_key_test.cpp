#include "platform/hot_key.h"

#include <gtest/gtest.h>

namespace vfx::platform {
namespace {

TEST(HotKeyTest, NamesReadAsTheUserReadsThem) {
  EXPECT_EQ(HotKeyName({'F', true, true, false, false}), "Ctrl+Shift+F");
  EXPECT_EQ(HotKeyName({0x78, false, false, true, false}), "Alt+F9");  // VK_F9
  EXPECT_EQ(HotKeyName({0x87, true, false, false, false}), "Ctrl+F24");
  EXPECT_EQ(HotKeyName({0x65, false, false, false, true}), "Win+Num 5");  // VK_NUMPAD5
  EXPECT_EQ(HotKeyName({'7', true, true, true, true}), "Ctrl+Shift+Alt+Win+7");
  EXPECT_EQ(HotKeyName({0xBA, true, false, false, false}), "Ctrl+;");  // VK_OEM_1
  EXPECT_EQ(HotKeyName({0x21, false, true, false, false}), "Shift+Page Up");
  EXPECT_EQ(HotKeyName({0xE9, true, false, false, false}), "Ctrl+Key 0xE9");
  EXPECT_EQ(HotKeyName({}), "");
  EXPECT_EQ(HotKeyName({0, true, true, false, false}), "") << "modifiers without a key";
}

TEST(HotKeyTest, NamesReadBackInAnyOrderAndCaseAndNothingElseDoes) {
  const HotKey ctrlShiftF{'F', true, true, false, false};
  EXPECT_EQ(ParseHotKey("Ctrl+Shift+F"), ctrlShiftF);
  EXPECT_EQ(ParseHotKey("shift + control + f"), ctrlShiftF);
  EXPECT_EQ(ParseHotKey("Ctrl+Num +"), (HotKey{0x6B, true, false, false, false}));
  EXPECT_EQ(ParseHotKey("F1"), (HotKey{0x70, false, false, false, false}));
  for (const char* wrong : {"", "Ctrl+", "Hyper+F", "Ctrl+Shift", "FF", "Ctrl+Key 0xZZ"})
    EXPECT_EQ(ParseHotKey(wrong), std::nullopt) << wrong;

  // Every code with every set of modifiers comes back from its name.
  for (unsigned key = 1; key <= 0xFE; ++key)
    for (int mods = 0; mods < 16; ++mods) {
      const HotKey hotKey{key, (mods & 1) != 0, (mods & 2) != 0, (mods & 4) != 0, (mods & 8) != 0};
      EXPECT_EQ(ParseHotKey(HotKeyName(hotKey)), hotKey) << HotKeyName(hotKey);
    }
}

}  // namespace
}  // namespace vfx::platform
