#include "tests/support/fake_backend.h"

#include <algorithm>

#include "toolkit/access_key.h"

namespace vfx::testing {
namespace {

class FakeFormPeer : public toolkit::FormPeer {
 public:
  FakeFormPeer(FakeBackend& backend, toolkit::Form& form, platform::WindowHandle window)
      : backend_(backend), form_(form), window_(window) {}

  void Changed(toolkit::Property property) override {
    backend_.Record({form_.name(), property});
    if (property == toolkit::Property::kBounds) backend_.formSizes.push_back(form_.size());
  }
  platform::WindowHandle native_handle() const override { return window_; }
  toolkit::Size non_client_size() const override { return backend_.nonClient; }
  void Destroy() override {
    ++backend_.destroyed;
    for (int id : hotKeys_) backend_.hotKeys.erase(id);  // a window's keys go with it
    hotKeys_.clear();
  }
  void StartTimer(int id, double seconds) override { backend_.timers[id] = seconds; }
  void StopTimer(int id) override { backend_.timers.erase(id); }
  bool RegisterHotKey(int id, const platform::HotKey& key) override {
    if (backend_.takenHotKeys.contains(platform::HotKeyName(key))) return false;
    backend_.hotKeys[id] = key;
    hotKeys_.insert(id);
    return true;
  }
  void UnregisterHotKey(int id) override {
    backend_.hotKeys.erase(id);
    hotKeys_.erase(id);
  }

 private:
  FakeBackend& backend_;
  toolkit::Form& form_;
  platform::WindowHandle window_;
  std::set<int> hotKeys_;
};

class FakePeer : public toolkit::Peer {
 public:
  FakePeer(FakeBackend& backend, toolkit::Control& control, platform::WindowHandle window)
      : backend_(backend), control_(control), window_(window) {}
  void Changed(toolkit::Property property) override {
    backend_.Record({control_.name(), property});
  }
  platform::WindowHandle native_handle() const override { return window_; }

 private:
  FakeBackend& backend_;
  toolkit::Control& control_;
  platform::WindowHandle window_;
};

std::vector<ShownMenuItem> Snapshot(const toolkit::Menu& menu) {
  std::vector<ShownMenuItem> items;
  for (const auto& item : menu.items())
    items.push_back({item->kind(), item->caption(), item->is_enabled(), item->is_checked(),
                     item->radio_group(),
                     item->submenu() ? Snapshot(*item->submenu()) : std::vector<ShownMenuItem>{}});
  return items;
}

}  // namespace

const ShownMenuItem* ShownMenu::Find(const std::vector<std::string>& path) const {
  const std::vector<ShownMenuItem>* level = &items;
  const ShownMenuItem* found = nullptr;
  for (const std::string& caption : path) {
    found = nullptr;
    for (const ShownMenuItem& item : *level)
      if (item.kind != toolkit::MenuItem::Kind::kSeparator &&
          toolkit::WithoutAccessKeys(item.caption) == toolkit::WithoutAccessKeys(caption)) {
        found = &item;
        break;
      }
    if (!found) return nullptr;
    level = &found->submenu;
  }
  return found;
}

const toolkit::MenuItem* FakeBackend::TrackMenu(toolkit::Form& form, const toolkit::Control* over,
                                                const toolkit::Menu& menu,
                                                const toolkit::MenuPlace& where) {
  ShownMenu shown{over ? over->name() : form.name(), where, Snapshot(menu), std::nullopt};
  if (!menuAnswers.empty()) {
    shown.answer = menuAnswers.front();
    menuAnswers.pop_front();
  }
  menus.push_back(shown);
  if (whileMenuShown) whileMenuShown(shown);
  return shown.answer ? menu.find(*shown.answer) : nullptr;
}

std::unique_ptr<toolkit::FormPeer> FakeBackend::CreateFormPeer(toolkit::Form& form) {
  formWindow = desktop_.Add(platform::kNoWindow, "VontraFX." + form.name(), form.caption());
  return std::make_unique<FakeFormPeer>(*this, form, formWindow);
}

std::unique_ptr<toolkit::Peer> FakeBackend::CreatePeer(toolkit::Control& control) {
  return std::make_unique<FakePeer>(*this, control, next_++);
}

void FakeBackend::Record(PeerEvent event) {
  events.push_back(event);
  if (onEvent) onEvent(events.back());
}

int FakeBackend::CountOf(const std::string& control, toolkit::Property property) const {
  return static_cast<int>(std::count_if(events.begin(), events.end(), [&](const PeerEvent& e) {
    return e.control == control && e.property == property;
  }));
}

}  // namespace vfx::testing
