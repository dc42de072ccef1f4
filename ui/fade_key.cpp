#include "ui/fade_key.h"

namespace vfx::ui {
namespace {

constexpr int kHotKeyId = 1;
constexpr std::string_view kOnKey = "FadeWhereYouType", kKeyKey = "FadeKey";

}  // namespace

FadeKey::FadeKey(toolkit::Form& form, settings::Store& store, platform::Dialogs& dialogs,
                 Hooks hooks)
    : form_(form), store_(store), dialogs_(dialogs), hooks_(std::move(hooks)) {
  form_.on_hot_key = [this](int id) {
    if (id == kHotKeyId && registered_ && hooks_.pressed) hooks_.pressed();
  };
  form_.on_system_menu = [this](toolkit::Menu& menu) { FillSystemMenu(menu); };
}

void FadeKey::Start() {
  store_.Load();
  if (const auto on = store_.Setting(settings::kSettingsSection, kOnKey)) on_ = *on != "off";
  if (const auto name = store_.Setting(settings::kSettingsSection, kKeyKey))
    if (const auto key = platform::ParseHotKey(*name); key && !key->empty()) key_ = *key;
  if (on_) Register();
}

void FadeKey::Stop() { Release(); }

void FadeKey::Register() {
  Release();
  registered_ = form_.register_hot_key(kHotKeyId, key_);
  // Once, not at every attempt: the menu item keeps saying it.
  if (!registered_ && !taken_)
    hooks_.showStatus(platform::HotKeyName(key_) + " is in use by another program: no fade key");
  taken_ = !registered_;
}

void FadeKey::Release() {
  if (registered_) form_.release_hot_key(kHotKeyId);
  registered_ = false;
}

void FadeKey::FillSystemMenu(toolkit::Menu& menu) {
  std::string caption = "Fade &Where You Type\t" + platform::HotKeyName(key_);
  if (on_ && taken_) caption += " (in use elsewhere)";
  menu.add_check_item(caption, on_, [this] { Toggle(); });
  menu.add_item("Fade &Key\u2026", [this] { Change(); });
}

void FadeKey::Toggle() {
  on_ = !on_;
  if (on_) {
    taken_ = false;
    Register();
  } else {
    Release();
  }
  Keep(kOnKey, on_ ? "on" : "off");
}

void FadeKey::Change() {
  const std::optional<platform::HotKey> chosen = dialogs_.AskHotKey(
      form_.native_handle(), "Fade Key", "The key that fades the line where you type:", key_);
  if (!chosen || chosen->empty() || *chosen == key_) return;
  key_ = *chosen;
  taken_ = false;
  if (on_) Register();
  Keep(kKeyKey, platform::HotKeyName(key_));
}

void FadeKey::Keep(std::string_view key, std::string_view value) {
  const settings::Outcome outcome = store_.SetSetting(settings::kSettingsSection, key, value);
  if (!outcome.done) hooks_.showStatus("Setting not saved: " + outcome.reason);
}

}  // namespace vfx::ui
