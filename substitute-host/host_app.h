// The substitute host client: the main frame with its toolbar and document area, the document
// windows it opens, and the refusal notices. One window thread.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "substitute-host/options.h"

namespace vfx::subhost {

class Document;
class ChatRoom;
class KeywordWindow;
class BuddyList;

inline constexpr COLORREF kPageColour = RGB(0xDC, 0xE4, 0xF0);
inline constexpr char kFrameClass[] = "AOL Frame25";

class HostApp {
 public:
  explicit HostApp(Options options);
  ~HostApp();

  // Registers the classes and opens the frame with its first documents; false on failure.
  bool Start(HINSTANCE instance);
  int Run();  // the message loop; returns the exit code

  const Options& options() const { return options_; }

  // What the host's controls ask of it.
  void OpenKeywordWindow();
  void RunKeyword(const std::string& keyword);
  void OpenBuddyList();
  void OpenInstantMessage(const std::string& recipient);
  // An instant message from the window's Send: sent to a signed-on buddy (true) or refused
  // with a notice.
  bool DeliverInstantMessage(const std::string& recipient, const std::string& text);
  void BringChatRoomToFront();
  // Called by a document as its window goes; deletes the document.
  void Forget(Document* document);

 private:
  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleFrame(UINT message, WPARAM wParam, LPARAM lParam);
  bool RegisterFrameClass();
  bool CreateFrame();
  void OpenStartDocuments();
  void LayoutFrame();
  void OnToolbarClick(int index);

  template <typename T, typename... Args>
  T* OpenDocument(POINT where, Args&&... args);
  // Runs `open` after the open delay; false (and nothing runs) when this window never opens.
  bool OpenWhenAsked(HostWindow which, const char* name, std::function<void()> open);
  void Later(int milliseconds, std::function<void()> action);
  void RunTimer(UINT_PTR id);
  void ShowNotice(const std::string& recipient);
  bool IsSignedOn(const std::string& name) const;

  Options options_;
  HINSTANCE instance_ = nullptr;
  HWND frame_ = nullptr, toolbar_ = nullptr, mdiClient_ = nullptr;
  std::vector<std::unique_ptr<Document>> documents_;
  ChatRoom* chatRoom_ = nullptr;
  KeywordWindow* keywordWindow_ = nullptr;
  BuddyList* buddyList_ = nullptr;
  bool keywordWindowComing_ = false, buddyListComing_ = false;
  std::map<UINT_PTR, std::function<void()>> timers_;
  UINT_PTR nextTimer_ = 100;
  int openedMessages_ = 0;
};

}  // namespace vfx::subhost
