// The main window's controls: the layout tables walked once, each control registered by kind and
// number and given the click its row names.
#include "ui/control_ids.h"
#include "ui/fonts.h"
#include "ui/layout.h"
#include "ui/main_window.h"

namespace vfx::ui {
namespace {

using layout::Arrow;
using layout::Face;
using layout::Item;
using Kind = toolkit::Control::Kind;

toolkit::Font Styled(toolkit::Font font, Face face) {
  if (face == Face::kBold) font.bold = true;
  return font;
}

// A style box's caption in the style it stands for.
toolkit::Font InStyle(toolkit::Font font, const composer::StyleRow& row) {
  composer::Styles only;
  only.*row.member = true;
  font.bold = font.bold || only.bold;
  font.italic = only.italics;
  font.underline = only.underline;
  font.strikethrough = only.strike;
  return font;
}

void Apply(toolkit::Control& control, const Item& item) {
  control.set_bounds(item.bounds);
  if (*item.Caption()) control.set_caption(item.Caption());
  if (item.name) control.set_accessible_name(item.name);
  if (item.back != layout::kKindDefault) control.set_back_colour(item.back);
  if (item.fore != layout::kKindDefault) control.set_fore_colour(item.fore);
  control.set_enabled(item.enabled);
}

}  // namespace

void ZiruZezuzo::Build() {
  form_.set_caption(kAppTitle);
  form_.set_font(windowFont_);
  form_.set_back_colour(layout::kWindowGrey);
  form_.set_icon(kAppIcon);
  form_.set_client_size(layout::kClientWidth, layout::kClientHeight);
  form_.set_opens_lower_right(WindowSizer::Largest());

  const ArrowGlyphs arrows = ChooseArrowGlyphs(services_.fonts, windowFont_);
  for (const Item& item : layout::TopControls()) Add(form_, item, arrows);
  panel_.Build(form_, Styled(windowFont_, Face::kBold));
  for (const Item& item : layout::OuterControls())
    Add(item.inFrame ? static_cast<toolkit::Container&>(Frame1()) : form_, item, arrows);

  // The preview follows everything the message is composed from: the line, the colours, their
  // count and the style boxes. It is only marked here; the box asks for it when it draws.
  Text(ids::kMessageBox).set_look_source([this] { return Text1_Look(); });
  Text(ids::kMessageBox).on_change = [this] { Text(ids::kMessageBox).look_changed(); };
  Text(ids::kMessageBox).on_double_click = [this] { Text1_DblClick(); };
  Text(ids::kMessageBox).on_own_menu = [this](toolkit::Menu& menu) {
    menu.add_submenu(CopyAs::kCaption, copyAs_.Actions());
  };
  // What the fade key took from the host and has not posted goes back before the program ends
  // (after Exit's closing lines, which go through the room's box too); from then on every wait
  // returns at once.
  form_.on_unload = [this] {
    sendRun_.Close();
    sendRun_.GiveBackTakenLines();
    services_.platform.events.MarkEnding();
  };
  statusTimer_.on_elapsed = [this] { TakeStatusDown(); };

  form_.set_default_button(&Command(ids::kSend));
  Text(ids::kMessageBox).set_focus();
}

void ZiruZezuzo::Add(toolkit::Container& container, const Item& item, const ArrowGlyphs& arrows) {
  const std::string number = std::to_string(item.number);
  std::function<void()> click;
  if (item.onClick)
    click = [this, handler = item.onClick, restyles = item.restyles] {
      (this->*handler)();
      if (restyles) Text(ids::kMessageBox).look_changed();
    };
  toolkit::Control* control = nullptr;
  switch (item.kind) {
    case Kind::kCommandButton: {
      auto& button =
          container.add<toolkit::CommandButton>("Command" + number, ids::CommandId(item.number));
      button.set_style(item.graphical ? toolkit::CommandButton::Style::kGraphical
                                      : toolkit::CommandButton::Style::kStandard);
      button.on_click = click;
      control = &button;
      break;
    }
    case Kind::kCheckBox: {
      auto& box = container.add<toolkit::CheckBox>("Check" + number, ids::CheckId(item.number));
      box.set_value(item.value, toolkit::AllowCallback::kNo);
      box.on_click = click;
      control = &box;
      break;
    }
    case Kind::kOptionButton: {
      auto& option =
          container.add<toolkit::OptionButton>("Option" + number, ids::OptionId(item.number));
      option.set_value(item.value == 1, toolkit::AllowCallback::kNo);
      option.on_click = click;
      control = &option;
      break;
    }
    case Kind::kTextBox: {
      auto& text = container.add<toolkit::TextBox>("Text" + number, ids::TextId(item.number));
      text.set_multi_line(item.multiLine);
      control = &text;
      break;
    }
    case Kind::kFrame:
      control = &container.add<toolkit::Frame>("Frame" + number, ids::kFrame1);
      break;
    case Kind::kImage: {
      auto& image = container.add<toolkit::Image>("Image" + number, ids::kImage1);
      image.set_picture(kImage1Picture);
      image.on_click = click;
      control = &image;
      break;
    }
    case Kind::kHScrollBar:
    case Kind::kLabel:
    case Kind::kPictureBox:
      return;  // the colour panel's, built by its rule
  }
  controls_.Add({item.kind, item.number}, *control, &item);
  Apply(*control, item);
  if (item.arrow != Arrow::kNone) {
    control->set_font(arrows.font);
    control->set_caption(arrows.of(item.arrow));
    if (arrows.triangles)
      Command(item.number)
          .set_arrowhead(static_cast<toolkit::CommandButton::Arrowhead>(
              static_cast<int>(toolkit::CommandButton::Arrowhead::kUp) +
              static_cast<int>(item.arrow) - static_cast<int>(Arrow::kUp)));
  } else if (item.style) {
    control->set_font(InStyle(Styled(windowFont_, item.face), *item.style));
  } else if (item.face != Face::kWindow) {
    control->set_font(Styled(windowFont_, item.face));
  }
}

}  // namespace vfx::ui
