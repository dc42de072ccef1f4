// The base of the toolkit's native peers: one small struct per control over a real window. The
// windows that hold controls (the form and the frame) reflect their children's notifications
// back to the child that sent them, so each control handles its own WM_COMMAND, WM_HSCROLL,
// WM_CTLCOLOR* and WM_DRAWITEM.
#pragma once

#include <windows.h>

#include <string_view>

namespace vfx::platform::win32 {

// What a window is made with; what is left out takes its default.
struct CreateArgs {
  const wchar_t* className = nullptr;
  std::wstring_view text;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT place{};
  HWND parent = nullptr;
  int id = 0;  // the control ID of a child window
};

struct Wnd {
  HWND hwnd = nullptr;

  Wnd() = default;
  Wnd(const Wnd&) = delete;
  Wnd& operator=(const Wnd&) = delete;
  virtual ~Wnd();

  // The peer behind a window of ours, or null.
  static Wnd* FromHandle(HWND window);

  // A window of a standard class (BUTTON, EDIT, ...), subclassed so that its messages reach
  // OnMessage first.
  HWND CreateControl(const CreateArgs& args);
  // A window of one of our own classes, whose procedure is WindowProc below.
  HWND CreateCustom(const CreateArgs& args);
  void Destroy();

  // Fills the client area: the background erase of a window that is all one colour.
  void FillClient(HDC dc, HBRUSH brush) const;

  // Registers one of our window classes once per process.
  static void RegisterCustomClass(const wchar_t* className, UINT classStyle, HICON icon);

  // Reflected from the parent. OnCtlColor returns the brush, or null for the default.
  virtual void OnCommand(int /*code*/) {}
  virtual void OnHScroll(int /*request*/) {}
  virtual HBRUSH OnCtlColor(HDC /*dc*/) { return nullptr; }
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }

  // The window's own messages; true when handled, with the result in `result`.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // What the window would have done with the message without us.
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // For containers: passes a child's notification to the child's peer. True when handled.
  static bool Reflect(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  void Attach(HWND window);
  void Detach();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // A standard control's own procedure, which ours runs in front of; null for our classes.
  WNDPROC original_ = nullptr;
};

}  // namespace vfx::platform::win32
