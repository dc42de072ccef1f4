#include "ui/fade_key.h"

#include "text/ascii.h"
#include "ui/file_words.h"

namespace vfx::ui {
namespace {

constexpr char kToggleCaption[] = "Fade &Where You Type";
constexpr std::string_view kOnKey = "FadeWhereYouType", kKeyKey = "FadeKey";

// A key for the whole desktop takes that key from every program: a bare letter or F-key would
// stop the user typing it anywhere.
std::string WhyNot(const platform::HotKey& key) {
  if (key.control || key.alt || key.windows) return {};
  return platform::HotKeyName(key) + " needs Ctrl, Alt or Win";
}

// The menu item says which key it is, and when another program holds it.
std::string ToggleCaption(const platform::HotKey& key, bool taken) {
  return std::string(kToggleCaption) + "\t" + platform::HotKeyName(key) +
         (taken ? " (in use elsewhere)" : "");
}

}  // namespace

FadeKey::FadeKey(toolkit::Form& form, settings::Store& store, platform::Dialogs& dialogs,
                 Hooks hooks)
    : form_(form),
      store_(store),
      dialogs_(dialogs),
      hooks_(std::move(hooks)),
      fade_(form, toolkit::Action::Kind::kCommand, kToggleCaption, hooks_.pressed),
      toggle_(form, toolkit::Action::Kind::kCheck, kToggleCaption, [this] { Toggle(); }),
      change_(form, toolkit::Action::Kind::kCommand, "Fade &Key\u2026", [this] { Change(); }) {
  // Off until the file has had its say: a key the user turned off is not taken for a moment.
  fade_.set_enabled(false);
  fade_.set_global_key(kDefaultFadeKey);
  toggle_.set_checked(true);
  toggle_.set_caption(ToggleCaption(kDefaultFadeKey, false));
  form.system_menu().add(toggle_);
  form.system_menu().add(change_);
}

void FadeKey::Start() {
  store_.Load();
  // The user's "off" may be in a file that cannot be read now: a key they turned off is not
  // taken from every program on the desktop on a guess.
  if (!store_.readable()) {
    Set(false, kDefaultFadeKey);
    return hooks_.showStatus("Fade key off: " + ProblemText(store_.problem()));
  }
  bool on = true;
  platform::HotKey key = kDefaultFadeKey;
  if (const auto setting = store_.Setting(settings::kSettingsSection, kOnKey))
    on = !text::SameIgnoringCase(*setting, "off");
  if (const auto name = store_.Setting(settings::kSettingsSection, kKeyKey)) {
    const std::optional<platform::HotKey> named = platform::ParseHotKey(*name);
    const std::string refused =
        !named || named->empty() ? "\"" + *name + "\" names no key" : WhyNot(*named);
    if (!refused.empty() && on) {
      Set(false, key);
      return hooks_.showStatus("Fade key off: " + refused);
    }
    if (refused.empty()) key = *named;
  }
  Set(on, key);
}

void FadeKey::Set(bool on, const platform::HotKey& key) {
  toggle_.set_checked(on);
  fade_.set_global_key(key);
  fade_.set_enabled(on);
  const bool taken = on && !fade_.holds_global_key();
  toggle_.set_caption(ToggleCaption(key, taken));
  if (taken)
    hooks_.showStatus(platform::HotKeyName(key) + " is in use by another program: no fade key");
}

void FadeKey::Toggle() {
  Set(toggle_.is_checked(), fade_.global_key());
  Keep(kOnKey, toggle_.is_checked() ? "on" : "off");
}

void FadeKey::Change() {
  const platform::HotKey& key = fade_.global_key();
  const std::optional<platform::HotKey> chosen = dialogs_.AskHotKey(
      form_.native_handle(), "Fade Key", "The key that fades the line where you type:", key);
  if (!chosen || chosen->empty() || *chosen == key) return;
  if (const std::string refused = WhyNot(*chosen); !refused.empty())
    return hooks_.showStatus("Fade key not changed: " + refused);
  Set(toggle_.is_checked(), *chosen);
  Keep(kKeyKey, platform::HotKeyName(*chosen));
}

void FadeKey::Keep(std::string_view key, std::string_view value) {
  const settings::Outcome outcome = store_.SetSetting(settings::kSettingsSection, key, value);
  if (!outcome.done()) hooks_.showStatus("Setting not saved: " + ProblemText(outcome));
}

}  // namespace vfx::ui
