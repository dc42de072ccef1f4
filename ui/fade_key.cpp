#include "ui/fade_key.h"

#include "text/ascii.h"
#include "ui/file_words.h"

namespace vfx::ui {
namespace {

constexpr int kHotKeyId = 1;
constexpr std::string_view kOnKey = "FadeWhereYouType", kKeyKey = "FadeKey";

// A key for the whole desktop takes that key from every program: a bare letter or F-key would
// stop the user typing it anywhere.
std::string WhyNot(const platform::HotKey& key) {
  if (key.control || key.alt || key.windows) return {};
  return platform::HotKeyName(key) + " needs Ctrl, Alt or Win";
}

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
  // The user's "off" may be in a file that cannot be read now: a key they turned off is not
  // taken from every program on the desktop on a guess.
  if (!store_.readable()) {
    on_ = false;
    return hooks_.showStatus("Fade key off: " + ProblemText(store_.problem()));
  }
  if (const auto on = store_.Setting(settings::kSettingsSection, kOnKey))
    on_ = !text::SameIgnoringCase(*on, "off");
  if (const auto name = store_.Setting(settings::kSettingsSection, kKeyKey)) {
    const std::optional<platform::HotKey> key = platform::ParseHotKey(*name);
    const std::string refused =
        !key || key->empty() ? "\"" + *name + "\" names no key" : WhyNot(*key);
    if (!refused.empty() && on_) {
      on_ = false;
      return hooks_.showStatus("Fade key off: " + refused);
    }
    if (refused.empty()) key_ = *key;
  }
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
  if (const std::string refused = WhyNot(*chosen); !refused.empty())
    return hooks_.showStatus("Fade key not changed: " + refused);
  key_ = *chosen;
  taken_ = false;
  if (on_) Register();
  Keep(kKeyKey, platform::HotKeyName(key_));
}

void FadeKey::Keep(std::string_view key, std::string_view value) {
  const settings::Outcome outcome = store_.SetSetting(settings::kSettingsSection, key, value);
  if (!outcome.done()) hooks_.showStatus("Setting not saved: " + ProblemText(outcome));
}

}  // namespace vfx::ui
