#include "ui/colour_menu.h"

#include <array>

#include "formats/presets.h"
#include "text/ascii.h"
#include "ui/copy_as.h"
#include "ui/file_words.h"

namespace vfx::ui {
namespace {

using settings::Scheme;

constexpr char kSaveCaption[] = "Save Colours As";
constexpr char kDeleteCaption[] = "Delete Saved Colours";

constexpr std::array<fade::Blend, 3> kBlends = {fade::Blend::kStraight, fade::Blend::kEven,
                                                fade::Blend::kVivid};

// A name as a menu caption: the user's "&" is a character, not an access key.
std::string AsCaption(std::string_view name) {
  std::string caption;
  for (const char c : name) {
    if (c == '&') caption += '&';
    caption += c;
  }
  return caption;
}

std::string NotDone(const char* what, const settings::Outcome& outcome) {
  return std::string(what) + ": " + ProblemText(outcome);
}

}  // namespace

void ColourMenu::Open(toolkit::Control& control, const toolkit::MenuPlace& where) {
  toolkit::Menu menu;
  Fill(menu, control.form().native_handle());
  control.popup_menu(menu, where);
}

void ColourMenu::Fill(toolkit::Menu& menu, platform::WindowHandle owner) {
  const fade::Blend current = hooks_.blend();
  // The blends by the names the file keeps them by: "&Straight Blend", "&Even Blend", ...
  for (const fade::Blend blend : kBlends)
    menu.add_radio_item("&" + std::string(settings::BlendName(blend)) + " Blend", blend == current,
                        [this, blend] { hooks_.setBlend(blend); });

  toolkit::Menu& presets = *menu.add_submenu("&Presets").submenu();
  for (const formats::Preset& preset : formats::Presets())
    presets.add_item("&" + std::string(preset.name),
                     [this, &preset] { Apply(preset.colours, preset.blend); });
  menu.add_item("&Reverse Colours", [this] { panel_.Reverse(); })
      .set_enabled(panel_.SelectedCount() >= 2);

  menu.add_separator();
  store_.Load();
  FillSchemes(*menu.add_submenu("Saved &Colours").submenu(),
              [this](const Scheme& scheme) { Apply(scheme.colours, scheme.blend); });
  menu.add_item("Save Colours &As\u2026", [this, owner] { SaveAs(owner); })
      .set_enabled(panel_.SelectedCount() >= 1);
  FillSchemes(*menu.add_submenu("&Delete Saved Colours").submenu(),
              [this, owner](const Scheme& scheme) { Delete(owner, scheme.name); });
  if (hooks_.copyAs) {
    menu.add_separator();
    menu.add_submenu(CopyAs::kCaption, hooks_.copyAs());
  }
}

void ColourMenu::FillSchemes(toolkit::Menu& menu,
                             const std::function<void(const Scheme&)>& chosen) {
  const std::vector<Scheme> schemes = store_.readable() ? store_.schemes() : std::vector<Scheme>{};
  if (schemes.empty()) {
    menu.add_item(store_.readable() ? kNoneSaved : kSavedUnreadable).set_enabled(false);
    return;
  }
  for (const Scheme& scheme : schemes)
    menu.add_item(AsCaption(scheme.name), [chosen, scheme] { chosen(scheme); });
}

void ColourMenu::Apply(const std::vector<fade::Rgb>& colours, fade::Blend blend) {
  panel_.Apply(colours);
  hooks_.setBlend(blend);
}

void ColourMenu::SaveAs(platform::WindowHandle owner) {
  const std::optional<std::string> answer = dialogs_.AskText(owner, kSaveCaption, "Name:", "");
  if (!answer) return;
  const std::string name(text::TrimBlanks(*answer));
  if (name.empty()) return;
  store_.Load();
  if (!store_.readable()) return hooks_.showStatus(NotDone("Not saved", store_.problem()));
  if (store_.Find(name) &&
      !dialogs_.AskYesNo(owner, kSaveCaption,
                         "There are saved colours named \"" + name + "\" already. Replace them?"))
    return;
  const int count = panel_.SelectedCount();
  Scheme scheme{.name = name, .colours = {}, .blend = hooks_.blend()};
  for (int k = 1; k <= count; ++k) scheme.colours.push_back(panel_.Colour(k));
  const settings::Outcome outcome = store_.Save(scheme);
  hooks_.showStatus(outcome.done() ? "Colours saved as \"" + name + "\""
                                   : NotDone("Not saved", outcome));
}

void ColourMenu::Delete(platform::WindowHandle owner, const std::string& name) {
  if (!dialogs_.AskYesNo(owner, kDeleteCaption, "Delete the saved colours \"" + name + "\"?"))
    return;
  const settings::Outcome outcome = store_.Delete(name);
  hooks_.showStatus(outcome.done() ? "Saved colours \"" + name + "\" deleted"
                                   : NotDone("Not deleted", outcome));
}

}  // namespace vfx::ui
