#include "toolkit/menu.h"

#include <map>

#include "toolkit/access_key.h"
#include "toolkit/form.h"
#include "toolkit/peer.h"

namespace vfx::toolkit {

MenuItem::MenuItem(Menu& menu, Kind kind, std::string caption, int radioGroup)
    : menu_(menu), kind_(kind), caption_(std::move(caption)), radioGroup_(radioGroup) {
  if (kind == Kind::kSubmenu) submenu_ = std::make_unique<Menu>();
}

MenuItem::~MenuItem() = default;

std::string MenuItem::accessible_name() const { return WithoutAccessKeys(caption_); }

void MenuItem::set_checked(bool checked) {
  if (kind_ != Kind::kCheck && kind_ != Kind::kRadio) return;
  checked_ = checked;
  if (!checked || kind_ != Kind::kRadio) return;
  for (const auto& other : menu_.items())
    if (other.get() != this && other->radioGroup_ == radioGroup_) other->checked_ = false;
}

bool MenuItem::is_choosable() const {
  return enabled_ && (kind_ == Kind::kCommand || kind_ == Kind::kCheck || kind_ == Kind::kRadio);
}

Menu::Menu() = default;
Menu::~Menu() = default;

MenuItem& Menu::add(MenuItem::Kind kind, std::string caption, std::function<void()> onActivation) {
  const bool joinsGroup = kind == MenuItem::Kind::kRadio && !items_.empty() &&
                          items_.back()->kind() == MenuItem::Kind::kRadio;
  int group = 0;
  if (kind == MenuItem::Kind::kRadio) group = joinsGroup ? radioGroups_ : ++radioGroups_;
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(*this, kind, std::move(caption), group)));
  items_.back()->on_activation = std::move(onActivation);
  return *items_.back();
}

MenuItem& Menu::add_item(std::string caption, std::function<void()> onActivation) {
  return add(MenuItem::Kind::kCommand, std::move(caption), std::move(onActivation));
}

MenuItem& Menu::add_check_item(std::string caption, bool checked,
                               std::function<void()> onActivation) {
  MenuItem& item = add(MenuItem::Kind::kCheck, std::move(caption), std::move(onActivation));
  item.set_checked(checked);
  return item;
}

MenuItem& Menu::add_radio_item(std::string caption, bool checked,
                               std::function<void()> onActivation) {
  MenuItem& item = add(MenuItem::Kind::kRadio, std::move(caption), std::move(onActivation));
  item.set_checked(checked);
  return item;
}

MenuItem& Menu::add_submenu(std::string caption) {
  return add(MenuItem::Kind::kSubmenu, std::move(caption), {});
}

void Menu::add_separator() { add(MenuItem::Kind::kSeparator, {}, {}); }

const MenuItem* Menu::find(const std::vector<std::string>& path) const {
  const Menu* menu = this;
  const MenuItem* found = nullptr;
  for (const std::string& caption : path) {
    if (!menu) return nullptr;
    found = nullptr;
    for (const auto& item : menu->items_)
      if (!item->is_separator() &&
          (item->caption() == caption || item->accessible_name() == caption)) {
        found = item.get();
        break;
      }
    if (!found) return nullptr;
    menu = found->submenu();
  }
  return found;
}

MenuItem* Menu::locate(const MenuItem& item, bool openable) const {
  for (const auto& own : items_) {
    if (own.get() == &item) return own.get();
    if (own->submenu() && (own->is_enabled() || !openable))
      if (MenuItem* found = own->submenu()->locate(item, openable)) return found;
  }
  return nullptr;
}

bool Menu::contains(const MenuItem& item) const { return locate(item, false) != nullptr; }

bool Menu::choose(const MenuItem& chosen) {
  // Only through submenus that open: a grey submenu's items are out of reach.
  MenuItem* item = locate(chosen, true);
  if (!item || !item->is_choosable()) return false;
  if (item->kind() == MenuItem::Kind::kCheck) item->set_checked(!item->is_checked());
  if (item->kind() == MenuItem::Kind::kRadio) item->set_checked(true);
  // A copy: the handler may well destroy the menu it came from.
  const std::function<void()> handler = item->on_activation;
  if (handler) handler();
  return true;
}

void Menu::popup(Form& form, const Control* over, const MenuPlace& where) {
  Backend* backend = form.backend();
  if (!backend || empty()) return;
  const MenuItem* chosen = backend->TrackMenu(form, over, *this, where);
  if (chosen && form.is_loaded()) choose(*chosen);
}

namespace {

void CollectProblems(const Menu& menu, const std::string& where, std::vector<std::string>& out) {
  std::map<std::string, std::string> keys;  // access key -> the caption that has it
  for (const auto& item : menu.items()) {
    if (item->is_separator()) continue;
    const std::string name = item->accessible_name();
    const std::string at = where + "\"" + item->caption() + "\"";
    if (name.find_first_not_of(" \t") == std::string::npos)
      out.push_back(where + "an item without a caption a screen reader can read");
    const std::vector<std::string> marked = AccessKeysOf(item->caption());
    if (marked.size() > 1) out.push_back(at + " marks more than one access key");
    for (const std::string& key : marked) {
      auto [previous, added] = keys.emplace(key, item->caption());
      if (!added)
        out.push_back(at + " has the access key \"" + key + "\" of \"" + previous->second + "\"");
    }
    if (const Menu* submenu = item->submenu())
      CollectProblems(*submenu, where + item->accessible_name() + " > ", out);
  }
}

}  // namespace

std::vector<std::string> MenuProblems(const Menu& menu) {
  std::vector<std::string> problems;
  CollectProblems(menu, "", problems);
  return problems;
}

}  // namespace vfx::toolkit
