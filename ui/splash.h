// Form1, the window the program opens first: the splash picture, waiting for a click that plays
// the start-up sound and brings up the main window.
#pragma once

#include <memory>

#include "toolkit/form.h"
#include "toolkit/image.h"
#include "toolkit/peer.h"
#include "ui/main_window.h"

namespace vfx::ui {

// The splash picture, by the name the native side knows.
inline constexpr char kSplashPicture[] = "splash";
// Played from the current directory, where it lies beside the program.
inline constexpr char kStartupSound[] = "vontrafx.wav";

class Form1 {
 public:
  // The main window is built, when the picture is clicked, with these services on this backend.
  Form1(ZiruZezuzo::Services services, toolkit::Backend& backend);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  toolkit::Form& form() { return form_; }
  toolkit::Image& Image1() { return *image1_; }

  // The main window once the click has loaded it; null before.
  ZiruZezuzo* main_window() { return main_.get(); }
  // How the main window draws its colours, handed to it when it is built.
  ZiruZezuzo::RandomSource random;

  // Plays the sound, loads the main window (its Form_Load runs to the end), shows it and unloads
  // this window. A click while the main window loads is ignored.
  void Image1_Click();

 private:
  ZiruZezuzo::Services services_;
  toolkit::Backend& backend_;
  toolkit::Form form_{"Form1"};
  toolkit::Image* image1_ = nullptr;
  std::unique_ptr<ZiruZezuzo> main_;
};

}  // namespace vfx::ui
