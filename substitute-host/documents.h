// The kinds of host document window. Each builds its controls in the z-order the add-on counts
// (the comments give the positions it relies on).
#pragma once

#include <string>
#include <vector>

#include "substitute-host/document.h"

namespace vfx::subhost {

// Children: transcript "RICHCNTL" (the room's first), "People Here" label, member list
// "_AOL_Listbox", three "_AOL_Icon"s, the input "_AOL_Edit" (6 after the transcript), Send.
class ChatRoom : public Document {
 public:
  ChatRoom(HostApp& app, std::string room, std::string member, std::vector<std::string> others);

 private:
  void CreateControls() override;
  void OnCommand(int id, WORD code, HWND control) override;
  void OnSize(int width, int height) override;
  HWND FocusTarget() const override { return input_; }
  void PostInput();

  std::string room_, member_;
  std::vector<std::string> others_;
  HWND transcript_ = nullptr, peopleLabel_ = nullptr, members_ = nullptr, input_ = nullptr,
       send_ = nullptr;
  HWND roomIcons_[3] = {};
};

// Captioned "Welcome, " member "!".
class WelcomeWindow : public Document {
 public:
  WelcomeWindow(HostApp& app, const std::string& member);

 private:
  void CreateControls() override;
  void OnCommand(int id, WORD code, HWND control) override;
  std::string member_;
};

// Caption "Keyword": a label, the "_AOL_Edit" keyword box, then "_AOL_Icon" Go (the first
// push button) and two more. The keyword runs once; the window then closes.
class KeywordWindow : public Document {
 public:
  explicit KeywordWindow(HostApp& app);

 private:
  void CreateControls() override;
  void OnCommand(int id, WORD code, HWND control) override;
  HWND FocusTarget() const override { return edit_; }
  void Run();

  HWND edit_ = nullptr;
  bool ran_ = false;
};

// Caption "Buddy List Window": the list of buddies signed on and six "_AOL_Icon"s; the third
// (first + 2) opens an instant message.
class BuddyList : public Document {
 public:
  BuddyList(HostApp& app, std::vector<std::string> online);

 private:
  void CreateControls() override;
  void OnCommand(int id, WORD code, HWND control) override;
  std::string SelectedBuddy() const;

  std::vector<std::string> online_;
  HWND list_ = nullptr;
};

// Caption "Send Instant Message": "To:" label, recipient "_AOL_Edit", message "RICHCNTL", then
// eleven "_AOL_Icon"s, the tenth (first + 9) Send.
class InstantMessageWindow : public Document {
 public:
  InstantMessageWindow(HostApp& app, std::string recipient);

 private:
  void CreateControls() override;
  void OnCommand(int id, WORD code, HWND control) override;
  void OnSize(int width, int height) override;
  HWND FocusTarget() const override { return recipient_.empty() ? to_ : message_; }
  void Send();

  std::string recipient_;
  HWND toLabel_ = nullptr, to_ = nullptr, message_ = nullptr;
  std::vector<HWND> icons_;
};

}  // namespace vfx::subhost
