// One vontrafx.exe for one test, and its main window's controls by their stable IDs. The process
// is stopped (by its handle) when the object goes, whatever the test's outcome.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vfx::e2e {

class AddOnProcess {
 public:
  // Starts the add-on and waits (up to 30 s) until its main window is visible.
  AddOnProcess();
  ~AddOnProcess();
  AddOnProcess(const AddOnProcess&) = delete;
  AddOnProcess& operator=(const AddOnProcess&) = delete;

  HWND window() const { return window_; }
  bool Running() const;

  // A control of the main window, or of its frame Frame1.
  HWND Control(int id) const { return GetDlgItem(window_, id); }
  HWND FrameControl(int id) const;

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
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
