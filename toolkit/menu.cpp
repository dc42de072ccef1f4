#include "toolkit/menu.h"

#include <map>

#include "toolkit/access_key.h"
#include "toolkit/form.h"
#include "toolkit/peer.h"

namespace vfx::toolkit {
namespace {

MenuItem::Kind ItemKind(Action::Kind kind) {
  switch (kind) {
    case Action::Kind::kCheck:
      return MenuItem::Kind::kCheck;
    case Action::Kind::kRadio:
      return MenuItem::Kind::kRadio;
    case Action::Kind::kCommand:
      break;
  }
  return MenuItem::Kind::kCommand;
}

}  // namespace

MenuItem::MenuItem(Menu& menu, Kind kind, Action* shown, std::unique_ptr<Action> own,
                   int radioGroup)
    : menu_(menu), kind_(kind), own_(std::move(own)), shown_(shown), radioGroup_(radioGroup) {
  if (kind == Kind::kSubmenu) submenu_ = std::make_unique<Menu>();
}

MenuItem::~MenuItem() = default;

void MenuItem::set_checked(bool checked) {
  if (kind_ != Kind::kCheck && kind_ != Kind::kRadio) return;
  shown_->set_checked(checked);
  if (!checked || kind_ != Kind::kRadio) return;
  for (const auto& other : menu_.items())
    if (other.get() != this && other->radioGroup_ == radioGroup_) other->shown_->set_checked(false);
}

Menu::Menu() = default;
Menu::~Menu() = default;

MenuItem& Menu::append(MenuItem::Kind kind, Action* shown, std::unique_ptr<Action> own) {
  const bool joinsGroup = kind == MenuItem::Kind::kRadio && !items_.empty() &&
                          items_.back()->kind() == MenuItem::Kind::kRadio;
  int group = 0;
  if (kind == MenuItem::Kind::kRadio) group = joinsGroup ? radioGroups_ : ++radioGroups_;
  if (own) shown = own.get();
  items_.push_back(
      std::unique_ptr<MenuItem>(new MenuItem(*this, kind, shown, std::move(own), group)));
  return *items_.back();
}

MenuItem& Menu::add(Action& action) { return append(ItemKind(action.kind()), &action, nullptr); }

MenuItem& Menu::add_own(Action::Kind kind, std::string caption, bool checked,
                        std::function<void()> onActivation) {
  MenuItem& item =
      append(ItemKind(kind), nullptr,
             std::make_unique<Action>(kind, std::move(caption), std::move(onActivation)));
  item.set_checked(checked);
  return item;
}

MenuItem& Menu::add_item(std::string caption, std::function<void()> onActivation) {
  return add_own(Action::Kind::kCommand, std::move(caption), false, std::move(onActivation));
}

MenuItem& Menu::add_check_item(std::string caption, bool checked,
                               std::function<void()> onActivation) {
  return add_own(Action::Kind::kCheck, std::move(caption), checked, std::move(onActivation));
}

MenuItem& Menu::add_radio_item(std::string caption, bool checked,
                               std::function<void()> onActivation) {
  return add_own(Action::Kind::kRadio, std::move(caption), checked, std::move(onActivation));
}

MenuItem& Menu::add_submenu(std::string caption) {
  return append(MenuItem::Kind::kSubmenu, nullptr,
                std::make_unique<Action>(Action::Kind::kCommand, std::move(caption)));
}

void Menu::add_separator() {
  append(MenuItem::Kind::kSeparator, nullptr, std::make_unique<Action>(Action::Kind::kCommand, ""));
}

void Menu::remove(const Action& action) {
  std::erase_if(items_, [&](const auto& item) { return item->action() == &action; });
}

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
  // The rest of its group unticked; the action ticks itself.
  if (item->kind() == MenuItem::Kind::kRadio) item->set_checked(true);
  return item->action()->activate();
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
