// Form1, the window the program opens first: the splash picture, waiting for a click that plays
// the start-up sound and brings up the main window.
#pragma once

#include <memory>

#include "toolkit/form.h"
#include "toolkit/image.h"
#include "toolkit/peer.h"
#include "toolkit/timer.h"
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

  // Creates the window and shows it. While the picture waits for its click, the main window's
  // controls are made, hidden, so that the click has only Form_Load left to wait for.
  void Show();

  // Plays the sound, loads the main window (its Form_Load runs to the end), shows it and unloads
  // this window. A click while the main window loads is ignored.
  void Image1_Click();

 private:
  // The main window with its controls, hidden; Form_Load has not run.
  void MakeMainWindow();

  ZiruZezuzo::Services services_;
  toolkit::Backend& backend_;
  toolkit::Form form_{"Form1"};
  toolkit::Image* image1_ = nullptr;
  // Made by the click, or beforehand by the idle moment after the splash shows.
  std::unique_ptr<ZiruZezuzo> main_;
  toolkit::Timer prepare_{form_};
  bool clicked_ = false;
};

}  // namespace vfx::ui
