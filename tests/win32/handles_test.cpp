// The owners of GDI handles against the real GDI: what they release, and what a selection puts
// back.
#include "platform/win32/handles.h"

#include <gtest/gtest.h>

#include <utility>

namespace vfx::platform::win32 {
namespace {

TEST(Handles, AnOwnerDeletesItsObjectWhenReplacedMovedAwayOrGone) {
  HBRUSH first = nullptr, second = nullptr;
  {
    OwnedBrush brush = MakeBrush(RGB(1, 2, 3));
    first = brush.get();
    brush = MakeBrush(RGB(4, 5, 6));
    EXPECT_EQ(GetObjectType(first), 0u);
    second = brush.get();
    OwnedBrush taker = std::move(brush);
    EXPECT_EQ(brush.get(), nullptr);
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BRUSH));
  }
  EXPECT_EQ(GetObjectType(second), 0u);
}

TEST(Handles, ASelectionPutsBackWhatItReplaced) {
  const MemoryDc dc(nullptr);
  HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
  LOGFONTW description{};
  description.lfHeight = -12;
  const OwnedFont font = MakeFont(description);
  {
    const Selected selected(dc, font.get());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.get());
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
}

}  // namespace
}  // namespace vfx::platform::win32
