#include "host/host.h"
#include "text/ascii.h"

namespace vfx::host {
namespace {

using platform::Relation;
using text::StartsWithIgnoringCase;

constexpr int kClassNameBuffer = 250;

template <typename Matches>
WindowHandle FindChild(platform::Desktop& desktop, WindowHandle parent, Matches matches) {
  if (parent == platform::kNoWindow) return platform::kNoWindow;
  for (WindowHandle child = desktop.GetWindow(parent, Relation::kFirstChild);
       child != platform::kNoWindow; child = desktop.GetWindow(child, Relation::kNextSibling)) {
    if (matches(child)) return child;
  }
  return platform::kNoWindow;
}

}  // namespace

WindowHandle FindChildByClass(platform::Desktop& desktop, WindowHandle parent,
                              std::string_view className) {
  return FindChild(desktop, parent, [&](WindowHandle child) {
    return StartsWithIgnoringCase(GetWindowClass(desktop, child), className);
  });
}

// The first child in z-order whose caption begins with the title. (Looking at the first child
// for an exact match before walking for a prefix match, as the host's own tools do, finds the
// same window.)
WindowHandle FindChildByTitle(platform::Desktop& desktop, WindowHandle parent,
                              std::string_view title) {
  return FindChild(desktop, parent, [&](WindowHandle child) {
    return StartsWithIgnoringCase(GetWindowCaption(desktop, child), title);
  });
}

std::string GetWindowClass(platform::Desktop& desktop, WindowHandle window) {
  if (window == platform::kNoWindow) return {};
  return desktop.GetClassNameA(window, kClassNameBuffer);
}

std::string GetWindowCaption(platform::Desktop& desktop, WindowHandle window) {
  if (window == platform::kNoWindow) return {};
  const int length = desktop.GetWindowTextLengthA(window);
  if (length <= 0) return {};
  return desktop.GetWindowTextA(window, length + 1);
}

WindowHandle NextSibling(platform::Desktop& desktop, WindowHandle window, int hops) {
  for (; hops > 0 && window != platform::kNoWindow; --hops) {
    window = desktop.GetWindow(window, Relation::kNextSibling);
  }
  return window;
}

void ClickWindow(platform::Desktop& desktop, WindowHandle window) {
  if (window == platform::kNoWindow) return;
  desktop.SendMessageA(window, platform::message::kLeftButtonDown, 0, std::intptr_t{0});
  desktop.SendMessageA(window, platform::message::kLeftButtonUp, 0, std::intptr_t{0});
}

void FocusWindow(platform::Desktop& desktop, WindowHandle window) {
  if (window == platform::kNoWindow) return;
  desktop.SetFocus(window);
}

void StayOnTop(platform::Desktop& desktop, WindowHandle form) {
  desktop.SetWindowPos(form, platform::ZOrder::kTopmost, 0, 0, 0, 0,
                       platform::kSwpNoMove | platform::kSwpNoSize);
}

void NotOnTop(platform::Desktop& desktop, WindowHandle form) {
  desktop.SetWindowPos(form, platform::ZOrder::kNotTopmost, 0, 0, 0, 0,
                       platform::kSwpNoMove | platform::kSwpNoSize);
}

void PlaySoundFile(platform::Desktop& desktop, std::string_view fileName) {
  desktop.sndPlaySoundA(fileName, platform::kSndAsync | platform::kSndNoDefault);
}

}  // namespace vfx::host
