// The small dialogs the add-on asks with: a line of text, yes or no, a hot key. Each is a real
// dialog made from a template in memory, run modally by the dialog manager over the main window,
// or opened modeless so that a test can read its controls and press its keys with messages.
//
// While one is up it is one of the event pump's dialog windows, so that its keys still work in
// a wait of the add-on's own that a handler runs meanwhile.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/hot_key.h"
#include "platform/win32/dialog_template.h"

namespace vfx::platform::win32 {

class Win32EventPump;

// The controls' IDs, besides IDOK, IDCANCEL, IDYES and IDNO.
inline constexpr int kAskPromptId = 100;   // the label that names the box below it
inline constexpr int kAskTextId = 101;     // the line of text
inline constexpr int kAskHotKeyId = 102;   // the hot-key control
inline constexpr int kAskWindowsId = 103;  // "also the Windows key"
inline constexpr int kAskMessageId = 104;  // the question's text

class TemplateDialog {
 public:
  TemplateDialog() = default;
  TemplateDialog(const TemplateDialog&) = delete;
  TemplateDialog& operator=(const TemplateDialog&) = delete;
  virtual ~TemplateDialog();

  // Runs the dialog modally over `owner` until it ends; the button that ended it.
  int Run(HWND owner, Win32EventPump* events);
  // Opens it modeless; it ends as the modal one does, and then destroys its window.
  HWND Open(HWND owner);
  // The button that ended it (IDOK, IDCANCEL, IDYES, IDNO); 0 while it is up.
  int ended() const { return ended_; }
  HWND hwnd() const { return hwnd_; }

 protected:
  virtual DialogTemplate Layout() const = 0;
  virtual void OnInit() {}
  virtual void OnCommand(int /*id*/, int /*code*/) {}
  // OK or Yes: false keeps the dialog open.
  virtual bool Accept() { return true; }
  // What Escape and the close box mean.
  virtual int CancelButton() const { return IDCANCEL; }
  // The control that takes the focus first; null: the first tab stop.
  virtual HWND FirstFocus() const { return nullptr; }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void End(int button);
  void CentreOverOwner();

  HWND hwnd_ = nullptr;
  bool modal_ = false;
  int ended_ = 0;
  Win32EventPump* events_ = nullptr;
};

class AskTextDialog final : public TemplateDialog {
 public:
  AskTextDialog(std::string caption, std::string prompt, std::string initial);
  // The text as typed, once ended with OK.
  const std::optional<std::string>& answer() const { return answer_; }

 private:
  DialogTemplate Layout() const override;
  void OnInit() override;
  void OnCommand(int id, int code) override;
  bool Accept() override;
  std::wstring Text() const;

  std::string caption_, prompt_, initial_;
  std::optional<std::string> answer_;
};

class AskYesNoDialog final : public TemplateDialog {
 public:
  AskYesNoDialog(std::string caption, std::string text);

 private:
  DialogTemplate Layout() const override;
  void OnInit() override;
  int CancelButton() const override { return IDNO; }
  HWND FirstFocus() const override;

  std::string caption_, text_;
};

class AskHotKeyDialog final : public TemplateDialog {
 public:
  AskHotKeyDialog(std::string caption, std::string prompt, HotKey current);
  // The combination, once ended with OK.
  const std::optional<HotKey>& answer() const { return answer_; }

 private:
  DialogTemplate Layout() const override;
  void OnInit() override;
  void OnCommand(int id, int code) override;
  bool Accept() override;
  HotKey Shown() const;

  std::string caption_, prompt_;
  HotKey current_;
  std::optional<HotKey> answer_;
};

}  // namespace vfx::platform::win32
