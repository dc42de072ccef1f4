#include "tests/support/fake_desktop.h"

#include <algorithm>
#include <cctype>

namespace vfx::testing {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Truncate(const std::string& text, int bufferSize) {
  if (bufferSize <= 0) return {};
  return text.substr(0, static_cast<std::size_t>(bufferSize - 1));
}

}  // namespace

WindowHandle FakeDesktop::Add(WindowHandle parent, std::string className, std::string caption) {
  const WindowHandle handle = next_++;
  Window window;
  window.parent = parent;
  window.className = std::move(className);
  window.caption = std::move(caption);
  windows_.emplace(handle, std::move(window));
  Siblings(parent).push_back(handle);
  return handle;
}

std::vector<WindowHandle>& FakeDesktop::Siblings(WindowHandle parent) {
  return parent == 0 ? topLevel_ : windows_.at(parent).children;
}

void FakeDesktop::BringToTop(WindowHandle window) {
  auto& siblings = Siblings(windows_.at(window).parent);
  std::erase(siblings, window);
  siblings.insert(siblings.begin(), window);
}

void FakeDesktop::Destroy(WindowHandle window) {
  auto found = windows_.find(window);
  if (found == windows_.end()) return;
  for (WindowHandle child : std::vector<WindowHandle>(found->second.children)) Destroy(child);
  std::erase(Siblings(found->second.parent), window);
  windows_.erase(window);
}

bool FakeDesktop::Exists(WindowHandle window) const { return windows_.contains(window); }

void FakeDesktop::SetCaption(WindowHandle window, std::string caption) {
  windows_.at(window).caption = std::move(caption);
}

const std::string& FakeDesktop::Text(WindowHandle window) const { return windows_.at(window).text; }

void FakeDesktop::React(WindowHandle window, Reaction reaction) {
  windows_.at(window).reaction = std::move(reaction);
}

bool FakeDesktop::IsTopmost(WindowHandle window) const { return windows_.at(window).topmost; }

std::vector<WindowHandle> FakeDesktop::Children(WindowHandle parent) const {
  return parent == 0 ? topLevel_ : windows_.at(parent).children;
}

WindowHandle FakeDesktop::FindWindowA(std::optional<std::string_view> className,
                                      std::optional<std::string_view> caption) {
  for (WindowHandle handle : topLevel_) {
    const Window& window = windows_.at(handle);
    if (className && !EqualIgnoringCase(window.className, *className)) continue;
    if (caption && !EqualIgnoringCase(window.caption, *caption)) continue;
    return handle;
  }
  return 0;
}

WindowHandle FakeDesktop::GetWindow(WindowHandle window, platform::Relation relation) {
  auto found = windows_.find(window);
  if (found == windows_.end()) return 0;
  if (relation == platform::Relation::kFirstChild) {
    return found->second.children.empty() ? 0 : found->second.children.front();
  }
  if (relation == platform::Relation::kOwner) return found->second.owner;
  const auto& siblings = Siblings(found->second.parent);
  auto at = std::find(siblings.begin(), siblings.end(), window);
  return (at == siblings.end() || ++at == siblings.end()) ? 0 : *at;
}

std::string FakeDesktop::GetClassNameA(WindowHandle window, int bufferSize) {
  auto found = windows_.find(window);
  return found == windows_.end() ? std::string() : Truncate(found->second.className, bufferSize);
}

int FakeDesktop::GetWindowTextLengthA(WindowHandle window) {
  auto found = windows_.find(window);
  return found == windows_.end() ? 0 : static_cast<int>(found->second.caption.size());
}

std::string FakeDesktop::GetWindowTextA(WindowHandle window, int bufferSize) {
  auto found = windows_.find(window);
  return found == windows_.end() ? std::string() : Truncate(found->second.caption, bufferSize);
}

platform::MessageResult FakeDesktop::Deliver(SentMessage message) {
  sent.push_back(message);
  if (onSend) onSend(message);
  auto found = windows_.find(message.window);
  if (found == windows_.end() || found->second.hung) return std::nullopt;
  if (message.message == platform::message::kSetText && message.hasText) {
    found->second.text = message.text;
  }
  if (!found->second.reaction) return 0;
  // The reaction may destroy the window: run a copy.
  const Reaction reaction = found->second.reaction;
  return reaction(message);
}

platform::MessageResult FakeDesktop::SendMessageA(WindowHandle window, unsigned message,
                                                  std::uintptr_t wParam, std::intptr_t lParam) {
  return Deliver({window, message, wParam, lParam, {}, false});
}

platform::MessageResult FakeDesktop::SendMessageA(WindowHandle window, unsigned message,
                                                  std::uintptr_t wParam, std::string_view text) {
  return Deliver({window, message, wParam, 0, std::string(text), true});
}

std::optional<std::string> FakeDesktop::GetControlText(WindowHandle window, int most) {
  constexpr unsigned kGetText = 0x000D;
  if (!Deliver({window, kGetText, static_cast<std::uintptr_t>(most), 0, {}, false}))
    return std::nullopt;
  auto found = windows_.find(window);
  if (found == windows_.end()) return std::nullopt;
  return found->second.text.substr(0, static_cast<std::size_t>(std::max(most, 0)));
}

platform::MessageResult FakeDesktop::SetControlText(WindowHandle window, std::string_view text) {
  return Deliver({window, platform::message::kSetText, 0, 0, std::string(text), true, true});
}

WindowHandle FakeDesktop::GetForegroundWindow() { return Exists(foreground) ? foreground : 0; }

void FakeDesktop::SetFocus(WindowHandle window) { focused.push_back(window); }

void FakeDesktop::SetWindowPos(WindowHandle window, platform::ZOrder insertAfter, int, int, int,
                               int, unsigned) {
  placements.emplace_back(window, insertAfter);
  auto found = windows_.find(window);
  if (found != windows_.end()) found->second.topmost = insertAfter == platform::ZOrder::kTopmost;
}

void FakeDesktop::sndPlaySoundA(std::string_view fileName, unsigned) {
  soundsPlayed.emplace_back(fileName);
}

}  // namespace vfx::testing
