#include "ui/splash.h"

#include "host/host.h"
#include "ui/control_ids.h"

namespace vfx::ui {
namespace {

// Twips: the client area, and the picture at its top-left corner (a little taller, so its
// bottom row is cut off).
constexpr float kClientWidth = 6504, kClientHeight = 3444;
constexpr toolkit::Bounds kPictureBounds{0, 0, 6480, 3456};

}  // namespace

Form1::Form1(ZiruZezuzo::Services services, toolkit::Backend& backend)
    : services_(services), backend_(backend) {
  // No caption: the window has no title bar, and a search for the main window by its title
  // does not find this one.
  form_.set_icon(kAppIcon);
  form_.set_border_style(toolkit::Form::BorderStyle::kNone);
  form_.set_centred(true);
  form_.set_back_colour(0x000000);
  form_.set_client_size(kClientWidth, kClientHeight);
  image1_ = &form_.add<toolkit::Image>("Image1", ids::kSplashImage1);
  image1_->set_bounds(kPictureBounds);
  image1_->set_picture(kSplashPicture);
  image1_->on_click = [this] { Image1_Click(); };
  // Closed before the click, the splash ends the program.
  form_.on_unload = [this] {
    if (!clicked_) services_.platform.events.MarkEnding();
  };
  prepare_.on_elapsed = [this] { MakeMainWindow(); };
}

void Form1::Show() {
  form_.realize(backend_);
  form_.show();
  // A timer of no interval elapses once the window has painted and the event queue is empty.
  prepare_.start(0);
}

void Form1::MakeMainWindow() {
  if (main_) return;
  main_ = std::make_unique<ZiruZezuzo>(services_);
  main_->form().realize(backend_);
}

void Form1::Image1_Click() {
  if (clicked_ || services_.platform.events.IsEnding()) return;
  clicked_ = true;
  prepare_.stop();
  host::PlaySoundFile(services_.platform.desktop, kStartupSound);
  MakeMainWindow();
  main_->random = random;
  main_->Form_Load();
  // Unloaded while it loaded (closed by the platform): it is not shown, and the program ends.
  main_->form().show();
  form_.unload();
}

}  // namespace vfx::ui
