// A host document window: an "AOL Child" inside the main frame's MDI client. Each kind of
// document (chat room, welcome, Keyword, buddy list, instant message) builds its controls in
// the order the add-on counts them and handles their commands.
#pragma once

#include <windows.h>

#include <string>

namespace vfx::subhost {

class HostApp;

inline constexpr char kDocumentClass[] = "AOL Child";

class Document {
 public:
  Document(HostApp& app, std::string caption, SIZE size);
  virtual ~Document() = default;
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  static bool RegisterWindowClass(HINSTANCE instance);

  // Creates the window in the MDI client at `where` (its new top); false when that failed.
  bool Open(HWND mdiClient, POINT where);
  // Closes it the way its close box does, once the current message has been handled, or after
  // a while.
  void CloseSoon();
  void CloseAfter(UINT milliseconds);
  HWND window() const { return window_; }

 protected:
  virtual void CreateControls() = 0;
  virtual void OnCommand(int /*id*/, WORD /*code*/, HWND /*control*/) {}
  virtual void OnSize(int /*width*/, int /*height*/) {}
  // The control that takes the keyboard when the document is activated.
  virtual HWND FocusTarget() const { return nullptr; }

  HostApp& app_;
  HWND window_ = nullptr;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  std::string caption_;
  SIZE size_;
};

}  // namespace vfx::subhost
