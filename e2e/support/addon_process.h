// One vontrafx.exe for one test, driven from outside as a user would drive it: its windows found
// by class, its controls by their stable IDs, every action a message the real control handles.
// The process is stopped when the object goes, whatever the test's outcome (through a handle
// that names it, see child_process.h).
//
//   AddOnProcess addOn;                       // started, past the splash, main window showing
//   addOn.SetColour(1, {255, 0, 0});          // the three bars dragged, the panel updated
//   addOn.Choose(ui::ids::OptionId(5));       // "5 Colors"
//   addOn.SetTicked(ui::ids::kAttention, true);
//   addOn.Type("hello");                      // Text1, as a paste: the window's model sees it
//   addOn.Press(ui::ids::kSend);       // posted: Send may wait, the test goes on
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "e2e/support/child_process.h"
#include "fade/fade.h"
#include "ui/control_ids.h"

namespace vfx::e2e {

// vontrafx.exe's path as Windows sees it.
std::string VontraFxPath();

class AddOnProcess {
 public:
  struct Options {
    // Click the splash window's picture when the add-on opens one, then wait for the main
    // window. Off: the constructor only starts the process; the test drives the start-up with
    // Splash(), ClickSplash() and WaitForMainWindow().
    bool passSplash = true;
    // How long the constructor waits for the main window to show.
    double seconds = 30;
    // The program to start, as Windows names it; empty: the build's own vontrafx.exe.
    std::string path = {};
  };

  // Started in its own folder (it plays its sound from the current directory).
  AddOnProcess();
  explicit AddOnProcess(Options options);
  ~AddOnProcess();
  AddOnProcess(const AddOnProcess&) = delete;
  AddOnProcess& operator=(const AddOnProcess&) = delete;

  // ---- the process
  HANDLE process() const { return process_.handle(); }
  DWORD process_id() const { return process_.id(); }
  bool Running() const;
  // True once the process has ended (within `seconds`).
  bool WaitForExit(double seconds = 10) const;
  // The exit code once it has ended.
  std::optional<DWORD> ExitCode() const;

  // ---- its windows
  // The main window once it is visible; nullptr before (or when it never showed).
  HWND window() const { return window_; }
  // A visible top-level window of the process other than the main window: the splash while it
  // is up, later a message box while one is up. nullptr when there is none.
  HWND OtherWindow() const;
  HWND Splash() const { return OtherWindow(); }
  // Posts a left click (button down, button up) at the middle of the splash window, to the
  // control that lies there. False when there is no splash.
  bool ClickSplash() const;
  // Waits until the main window is visible (clicking the splash once when passSplash is on).
  HWND WaitForMainWindow(double seconds = 30);
  // The main window's caption, as the title bar shows it.
  std::string Caption() const;
  // Asks the main window to close (WM_CLOSE, posted), as its close box would.
  void Close() const;

  // ---- its controls
  // A control of the main window by ID, or of Frame1 (Text3, Option11, Option12, Command11,
  // Image1); nullptr when neither holds it.
  HWND Control(int id) const;
  HWND FrameControl(int id) const;
  template <int kFirstId>
  HWND Control(ui::ids::Numbered<kFirstId> role) const {
    return Control(role.id());
  }
  template <int kFirstId>
  HWND FrameControl(ui::ids::Numbered<kFirstId> role) const {
    return FrameControl(role.id());
  }

  // ---- as a user
  // Replaces Text1's text, as a paste would.
  void Type(std::string_view utf8) const;
  std::string Text(ui::ids::TextRole box) const;  // the message box, HTML writer or recipient
  // A posted click (BM_CLICK) on a button, check box or option button.
  void Press(int id) const;
  // Clicks the box if its tick differs; true once it shows `ticked` (within `seconds`).
  bool SetTicked(int id, bool ticked, double seconds = 5) const;
  bool IsTicked(int id) const;
  // Clicks the option button; true once it is the selected one.
  bool Choose(int id, double seconds = 5) const;
  // The same by the control's role.
  template <int kFirstId>
  void Press(ui::ids::Numbered<kFirstId> role) const {
    Press(role.id());
  }
  template <int kFirstId>
  bool SetTicked(ui::ids::Numbered<kFirstId> role, bool ticked, double seconds = 5) const {
    return SetTicked(role.id(), ticked, seconds);
  }
  template <int kFirstId>
  bool IsTicked(ui::ids::Numbered<kFirstId> role) const {
    return IsTicked(role.id());
  }
  template <int kFirstId>
  bool Choose(ui::ids::Numbered<kFirstId> role, double seconds = 5) const {
    return Choose(role.id(), seconds);
  }
  // The colour-count option that is selected (1 to 10), 0 when none is.
  int SelectedColourCount() const;
  // Drags bar HScroll<n> to `value` (its thumb let go there); true once the window has taken
  // the value (the bar's number label shows it).
  bool SetBar(int n, int value, double seconds = 5) const;
  int Bar(int n) const;
  // Colour k (1 to 10) through the colour-to-control table: set by its three bars, read back.
  bool SetColour(int k, fade::Rgb colour) const;
  fade::Rgb Colour(int k) const;

 private:
  Options options_;
  ChildProcess process_;
  HWND window_ = nullptr;
  bool splashClicked_ = false;
};

// The add-on's own controls speak UTF-16; these convert at the boundary, across processes.
// Typing replaces the box's whole text as a paste would: unlike WM_SETTEXT, which a multi-line
// edit box reports to nobody, the box then tells its window that its text changed.
void TypeInto(HWND control, std::string_view utf8);
std::string ControlTextUtf8(HWND control);
// A press as the button's own click (BM_CLICK), posted so the test goes on while it runs.
void PressButton(HWND button);
bool IsChecked(HWND box);
int BarValue(HWND bar);

}  // namespace vfx::e2e
