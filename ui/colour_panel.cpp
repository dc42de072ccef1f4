#include "ui/colour_panel.h"

#include <algorithm>

#include "toolkit/colour.h"
#include "ui/control_ids.h"
#include "ui/layout.h"

namespace vfx::ui {
namespace {

using Kind = ControlRegistry::Kind;

std::string CountCaption(int n) { return std::to_string(n) + (n == 1 ? " Color" : " Colors"); }

constexpr const char* kComponentNames[] = {"red", "green", "blue"};
constexpr int kFirstMarkerArray = 3;  // Picture3 red, Picture4 green, Picture5 blue

}  // namespace

void ColourPanel::Build(toolkit::Form& form, const toolkit::Font& bold) {
  // The ten options first and side by side: one group of the tab order, in which the arrow
  // keys move.
  for (int k = 1; k <= kColourCount; ++k) {
    const int n = kColourGroups[k - 1].option;
    auto& option = form.add<toolkit::OptionButton>("Option" + std::to_string(n), ids::OptionId(n));
    option.set_bounds(layout::PanelOf(k).option);
    option.set_caption(CountCaption(k));
    option.set_font(bold);
    option.set_back_colour(layout::kWindowGrey);
    option.on_click = [this, k] {
      Option_Click(k);
      hooks_.changed();
    };
    OffersMenu(option);
    controls_.Add({Kind::kOptionButton, n}, option);
  }
  for (int k = 1; k <= kColourCount; ++k) {
    const ColourGroup& group = kColourGroups[k - 1];
    const layout::ColourPanel panel = layout::PanelOf(k);
    const std::string colourName = "Colour " + std::to_string(k);

    auto& swatch = form.add<toolkit::PictureBox>("Picture" + std::to_string(group.swatch),
                                                 ids::PictureId(group.swatch));
    swatch.set_bounds(panel.swatch);
    swatch.set_back_colour(layout::kBlack);
    swatch.set_accessible_name(colourName);
    OffersMenu(swatch);
    controls_.Add({Kind::kPictureBox, group.swatch}, swatch);

    // The markers first: their squares overlap the end of the bars by a little.
    for (int c = kRed; c <= kBlue; ++c) {
      const int array = kFirstMarkerArray + c;
      auto& marker = form.add<toolkit::PictureBox>(
          "Picture" + std::to_string(array) + "(" + std::to_string(k - 1) + ")",
          ids::MarkerId(array, k - 1));
      marker.set_bounds(panel.marker[c]);
      marker.set_back_colour(layout::kMarkerColours[c]);
      marker.set_accessible_name(kComponentNames[c]);
      OffersMenu(marker);
      controls_.Add({Kind::kPictureBox, array, k - 1}, marker);
    }
    for (int c = kRed; c <= kBlue; ++c) {
      const int n = group.bar[c];
      auto& bar = form.add<toolkit::HScrollBar>("HScroll" + std::to_string(n), ids::HScrollId(n));
      bar.set_bounds(panel.bar[c]);
      bar.set_range(0, 255);
      bar.set_steps(1, 16);
      bar.set_accessible_name(colourName + " " + kComponentNames[c]);
      bar.on_change = [this, n] {
        HScroll_Change(n);
        hooks_.changed();
      };
      OffersMenu(bar);
      controls_.Add({Kind::kHScrollBar, n}, bar);
    }
    for (int c = kRed; c <= kBlue; ++c) {
      const int n = group.label[c];
      auto& label = form.add<toolkit::Label>("Label" + std::to_string(n), ids::LabelId(n));
      label.set_bounds(panel.label[c]);
      label.set_font(bold);
      label.set_fore_colour(layout::kLabelColours[c]);
      label.set_back_colour(layout::kLabelBack);
      OffersMenu(label);
      controls_.Add({Kind::kLabel, n}, label);
    }
  }
}

void ColourPanel::OffersMenu(toolkit::Control& control) {
  control.on_context_menu = [this, &control](const toolkit::MenuPlace& where) {
    if (hooks_.contextMenu) hooks_.contextMenu(control, where);
  };
}

void ColourPanel::SetColour(int k, fade::Rgb colour) {
  const ColourGroup& group = kColourGroups.at(k - 1);
  for (Component c : ComponentsInBarOrder(k)) {
    const int value = c == kRed ? colour.red : c == kGreen ? colour.green : colour.blue;
    controls_.HScroll(group.bar[c]).set_value(value);
  }
}

void ColourPanel::Apply(const std::vector<fade::Rgb>& colours) {
  const int count = std::min(static_cast<int>(colours.size()), kColourCount);
  if (count < 1) return;
  toolkit::OptionButton& option = CountOption(count);
  toolkit::Control* focused = option.form().focused();
  option.click();
  for (int k = 1; k <= count; ++k) SetColour(k, colours[k - 1]);
  // Choosing the count disables every bar for a moment, and a bar that had the focus (the
  // menu's, opened from the keyboard) loses it to nothing: it comes back, or goes to the count
  // when that bar is of a colour no longer in use, so that a keyboard user stays in the panel.
  if (focused && focused->is_enabled())
    focused->set_focus();
  else if (focused)
    option.set_focus();
}

void ColourPanel::Reverse() {
  const int count = SelectedCount();
  for (int k = 1; k <= count / 2; ++k) {
    const fade::Rgb first = Colour(k), last = Colour(count + 1 - k);
    SetColour(k, last);
    SetColour(count + 1 - k, first);
  }
}

fade::Rgb ColourPanel::Colour(int k) const {
  const ColourGroup& group = kColourGroups.at(k - 1);
  return {controls_.HScroll(group.bar[kRed]).value(), controls_.HScroll(group.bar[kGreen]).value(),
          controls_.HScroll(group.bar[kBlue]).value()};
}

int ColourPanel::SelectedCount() const {
  for (int k = 1; k <= kColourCount; ++k)
    if (CountOption(k).value()) return k;
  return 0;
}

void ColourPanel::PaintSwatchesFromTheFirstTwo() {
  const int first = kColourGroups[0].swatch;
  controls_.Picture(first).set_back_colour(toolkit::ColourValue(Colour(1)));
  controls_.ForEach(Kind::kPictureBox, [&](const ControlRegistry::Key& key, auto& entry) {
    if (key.index < 0 && key.number != first)
      entry.control->set_back_colour(toolkit::ColourValue(Colour(2)));
  });
}

void ColourPanel::HScroll_Change(int n) {
  const BarPlace place = FindBar(n);
  const ColourGroup& group = kColourGroups.at(place.colour - 1);
  controls_.Label(group.label[place.component])
      .set_caption(std::to_string(controls_.HScroll(n).value()));
  controls_.Picture(group.swatch).set_back_colour(toolkit::ColourValue(Colour(place.colour)));
}

void ColourPanel::Option_Click(int n) {
  hooks_.showCount(CountCaption(n));
  if (n < kColourCount) DisableColors();
  for (int k = 1; k <= n; ++k) Enable(k);
}

void ColourPanel::DisableColors() {
  controls_.ForEach(Kind::kPictureBox, [](const ControlRegistry::Key& key, auto& entry) {
    if (key.index < 0) entry.control->set_visible(false);  // the swatches, not the markers
  });
  for (Kind kind : {Kind::kHScrollBar, Kind::kLabel})
    controls_.ForEach(kind, [](const auto&, auto& entry) { entry.control->set_enabled(false); });
}

void ColourPanel::Enable(int n) {
  const ColourGroup& group = kColourGroups.at(n - 1);
  controls_.Picture(group.swatch).set_visible(true);
  for (Component c : ComponentsInBarOrder(n)) controls_.HScroll(group.bar[c]).set_enabled(true);
  // Labels by their own numbers, lowest first, as the bars.
  std::array<int, 3> labels = group.label;
  std::sort(labels.begin(), labels.end());
  for (int label : labels) controls_.Label(label).set_enabled(true);
}

void ColourPanel::Randomize() {
  for (int k = 1; k <= kColourCount; ++k) {
    bool takesPart = false;
    for (int j = k; j <= kColourCount; ++j) takesPart = takesPart || CountOption(j).value();
    if (!takesPart) continue;
    const ColourGroup& group = kColourGroups[k - 1];
    for (Component c : ComponentsInBarOrder(k)) {
      toolkit::HScrollBar& bar = controls_.HScroll(group.bar[c]);
      toolkit::Label& label = controls_.Label(group.label[c]);
      const int r = random_.component();
      for (int i = 1; i <= r; ++i) {
        random_.reseed();
        bar.set_value(i);
        label.set_caption(std::to_string(i));
      }
    }
  }
}

}  // namespace vfx::ui
