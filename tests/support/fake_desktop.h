// An in-memory desktop: a window tree with classes, captions and z-order, a record of every
// call the add-on makes, and reactions that tests script per window.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace vfx::testing {

using platform::WindowHandle;

struct SentMessage {
  WindowHandle window;
  unsigned message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  std::string text;  // for the text form
  bool hasText;
  bool wide = false;  // SetControlText: the user's own text, given back or taken
};

class FakeDesktop : public platform::Desktop {
 public:
  // The reaction of a window to a message sent to it; it may change the desktop (open or close
  // windows). Returns the answer.
  using Reaction = std::function<std::intptr_t(const SentMessage&)>;

  // A new window, last (bottom) in its parent's z-order; parent 0 makes it top-level.
  WindowHandle Add(WindowHandle parent, std::string className, std::string caption = "");
  // Puts the window first (top) in its parent's z-order.
  void BringToTop(WindowHandle window);
  void Destroy(WindowHandle window);
  bool Exists(WindowHandle window) const;
  void SetCaption(WindowHandle window, std::string caption);
  const std::string& Text(WindowHandle window) const;  // what WM_SETTEXT put there
  void React(WindowHandle window, Reaction reaction);
  // A hung window thread: messages to the window are not answered (until it is woken).
  void Hang(WindowHandle window, bool hung = true) { windows_.at(window).hung = hung; }
  bool IsHung(WindowHandle window) const { return Exists(window) && windows_.at(window).hung; }
  bool IsTopmost(WindowHandle window) const;
  // A top-level window owned by another (a dialog of the host's frame).
  void SetOwner(WindowHandle window, WindowHandle owner) { windows_.at(window).owner = owner; }
  // What the user typed into a box (it answers WM_GETTEXT with it), without a message sent.
  void Type(WindowHandle window, std::string text) { windows_.at(window).text = std::move(text); }
  std::vector<WindowHandle> Children(WindowHandle parent) const;

  // Every call made, in order.
  std::vector<SentMessage> sent;
  std::vector<WindowHandle> focused;
  std::vector<std::string> soundsPlayed;
  std::vector<std::pair<WindowHandle, platform::ZOrder>> placements;
  // The window the user works in; 0: none of the desktop's.
  WindowHandle foreground = 0;
  // Called on every message before the window's reaction, for tests that watch timing.
  std::function<void(const SentMessage&)> onSend;

  // platform::Desktop
  WindowHandle FindWindowA(std::optional<std::string_view> className,
                           std::optional<std::string_view> caption) override;
  WindowHandle GetWindow(WindowHandle window, platform::Relation relation) override;
  std::string GetClassNameA(WindowHandle window, int bufferSize) override;
  int GetWindowTextLengthA(WindowHandle window) override;
  std::string GetWindowTextA(WindowHandle window, int bufferSize) override;
  platform::MessageResult SendMessageA(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                       std::intptr_t lParam) override;
  platform::MessageResult SendMessageA(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                       std::string_view text) override;
  std::optional<std::string> GetControlText(WindowHandle window, int most) override;
  platform::MessageResult SetControlText(WindowHandle window, std::string_view text) override;
  bool IsWindow(WindowHandle window) override { return Exists(window); }
  WindowHandle GetForegroundWindow() override;
  void SetFocus(WindowHandle window) override;
  void SetWindowPos(WindowHandle window, platform::ZOrder insertAfter, int x, int y, int width,
                    int height, unsigned flags) override;
  void sndPlaySoundA(std::string_view fileName, unsigned flags) override;

 private:
  struct Window {
    WindowHandle parent = 0, owner = 0;
    std::string className, caption, text;
    std::vector<WindowHandle> children;  // top of the z-order first
    Reaction reaction;
    bool hung = false, topmost = false;
  };
  std::vector<WindowHandle>& Siblings(WindowHandle parent);
  platform::MessageResult Deliver(SentMessage message);

  std::map<WindowHandle, Window> windows_;
  std::vector<WindowHandle> topLevel_;
  WindowHandle next_ = 0x100;
};

}  // namespace vfx::testing
