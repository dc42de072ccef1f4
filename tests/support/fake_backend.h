// Native peers in memory: they record what the model told them, so tests see every size a
// resizing loop assigned and every property the model pushed. The form's window is a window of
// the in-memory desktop, so topmost placements land on it. Context menus are recorded as they
// were when they opened, and answered from a script: an item chosen by its captions, or cancel.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/hot_key.h"
#include "tests/support/fake_desktop.h"
#include "toolkit/control.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"
#include "toolkit/peer.h"

namespace vfx::testing {

struct PeerEvent {
  std::string control;  // the control's name, or the form's
  toolkit::Property property;
};

// A menu item as it was when its menu opened.
struct ShownMenuItem {
  toolkit::MenuItem::Kind kind = toolkit::MenuItem::Kind::kCommand;
  std::string caption;
  bool enabled = true, checked = false;
  int radioGroup = 0;
  std::vector<ShownMenuItem> submenu;
};

struct ShownMenu {
  std::string owner;  // the control's name, or the form's
  toolkit::MenuPlace place;
  std::vector<ShownMenuItem> items;
  // What the script answered: the path chosen, or nothing for a cancel.
  std::optional<std::vector<std::string>> answer;

  // The item at the end of a path of captions as read (without access-key marks), or null.
  const ShownMenuItem* Find(const std::vector<std::string>& path) const;
};

class FakeBackend : public toolkit::Backend {
 public:
  explicit FakeBackend(FakeDesktop& desktop) : desktop_(desktop) {}

  // Caption and borders the fake window system adds, twips.
  toolkit::Size nonClient{90, 315};

  std::vector<PeerEvent> events;
  // Called with each event as it is recorded, for tests that watch when things change.
  std::function<void(const PeerEvent&)> onEvent;
  std::vector<toolkit::Size> formSizes;  // every size the form was given, in order
  int destroyed = 0;
  std::map<int, double> timers;             // running, by id, with their intervals
  std::map<int, platform::HotKey> hotKeys;  // registered, by id
  std::set<std::string> takenHotKeys;       // held by other programs, by name ("Ctrl+Shift+F")
  platform::WindowHandle formWindow = platform::kNoWindow;

  std::vector<ShownMenu> menus;  // every menu opened, in order
  // The user's answers to the menus to come, first first: a path of captions ({"Presets",
  // "Sunrise"}, with or without access-key marks) chooses that item as a click would, even a
  // disabled one, which the model must refuse; nothing, an unknown path or an empty queue cancels.
  std::deque<std::optional<std::vector<std::string>>> menuAnswers;
  // Runs while each menu is open, before the answer.
  std::function<void(const ShownMenu&)> whileMenuShown;

  std::unique_ptr<toolkit::FormPeer> CreateFormPeer(toolkit::Form& form) override;
  std::unique_ptr<toolkit::Peer> CreatePeer(toolkit::Control& control) override;
  const toolkit::MenuItem* TrackMenu(toolkit::Form& form, const toolkit::Control* over,
                                     const toolkit::Menu& menu,
                                     const toolkit::MenuPlace& where) override;

  int CountOf(const std::string& control, toolkit::Property property) const;
  void Record(PeerEvent event);

 private:
  FakeDesktop& desktop_;
  platform::WindowHandle next_ = 0x5000;
};

}  // namespace vfx::testing
