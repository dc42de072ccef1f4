#include "substitute-host/host_app.h"

#include <algorithm>
#include <cctype>

#include "substitute-host/controls.h"
#include "substitute-host/documents.h"
#include "substitute-host/event_log.h"
#include "substitute-host/hang.h"
#include "substitute-host/notice.h"
#include "substitute-host/toolbar.h"

namespace vfx::subhost {
namespace {

constexpr int kFrameWidth = 1120, kFrameHeight = 820;
enum : int {
  kExitCommand = 1,
  kCascadeCommand,
  kTileCommand,
  kHangTimer = 1,
  kFirstChildId = 50000
};
constexpr char kBuddyViewKeyword[] = "BuddyView";

// Screen names compare without regard to case or blanks, as the service compares them.
std::string ScreenNameKey(const std::string& name) {
  std::string key;
  for (const char c : name)
    if (c != ' ') key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

bool SameKeyword(const std::string& typed, const char* keyword) {
  return ScreenNameKey(typed) == ScreenNameKey(keyword);
}

HMENU CreateFrameMenu(HMENU* windowMenu) {
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, kExitCommand, "E&xit");
  *windowMenu = CreatePopupMenu();
  AppendMenuA(*windowMenu, MF_STRING, kCascadeCommand, "&Cascade");
  AppendMenuA(*windowMenu, MF_STRING, kTileCommand, "&Tile");
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(*windowMenu), "&Window");
  return bar;
}

}  // namespace

HostApp::HostApp(Options options) : options_(std::move(options)) {}
HostApp::~HostApp() = default;

bool HostApp::Start(HINSTANCE instance) {
  instance_ = instance;
  SetHangPoints(options_.hangOn);
  SetOutsideTextDelay(options_.setTextDelayMs);
  SetOutsideEnterDelay(options_.enterDelayMs);
  if (!RegisterControlClasses(instance) || !RegisterToolbarClasses(instance) ||
      !Document::RegisterWindowClass(instance) || !RegisterFrameClass() || !CreateFrame())
    return false;
  OpenStartDocuments();
  ShowWindow(frame_, SW_SHOWNORMAL);
  UpdateWindow(frame_);
  if (options_.hangAfterMs) SetTimer(frame_, kHangTimer, *options_.hangAfterMs, nullptr);
  Log().Write("ready", {Bytes("member", options_.member),
                        Bytes("frame", options_.frameCaption),
                        {"pid", std::to_string(GetCurrentProcessId()), LogField::kNumber}});
  return true;
}

int HostApp::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsNoticeMessage(message) || TranslateMDISysAccel(mdiClient_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

bool HostApp::RegisterFrameClass() {
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  info.lpfnWndProc = FrameProc;
  info.hInstance = instance_;
  info.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  info.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));      // IDI_INFORMATION
  info.hbrBackground = GetSysColorBrush(COLOR_APPWORKSPACE);
  info.lpszClassName = kFrameClass;
  return RegisterClassExA(&info) != 0;
}

bool HostApp::CreateFrame() {
  HMENU windowMenu = nullptr;
  HMENU menu = CreateFrameMenu(&windowMenu);
  frame_ = CreateWindowExA(0, kFrameClass, options_.frameCaption.c_str(),
                           WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10, kFrameWidth, kFrameHeight,
                           nullptr, menu, instance_, this);
  if (!frame_) return false;
  toolbar_ = CreateToolbar(frame_);
  CLIENTCREATESTRUCT client{windowMenu, kFirstChildId};
  mdiClient_ = CreateWindowExA(
      WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | MDIS_ALLCHILDSTYLES, 0, 0,
      0, 0, frame_, nullptr, instance_, &client);
  LayoutFrame();
  return toolbar_ && mdiClient_;
}

// The welcome window first, the chat room last: each new document opens in front, so the room
// is the frontmost unless another is asked for.
void HostApp::OpenStartDocuments() {
  WelcomeWindow* welcome = OpenDocument<WelcomeWindow>({700, 10}, options_.member);
  if (options_.buddyListOpen)
    buddyList_ = OpenDocument<BuddyList>({760, 230}, options_.buddiesOnline);
  chatRoom_ =
      OpenDocument<ChatRoom>({10, 10}, options_.room, options_.member, options_.roomMembers);
  if (!options_.chatInFront && welcome)
    SendMessageA(mdiClient_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(welcome->window()), 0);
}

template <typename T, typename... Args>
T* HostApp::OpenDocument(POINT where, Args&&... args) {
  auto document = std::make_unique<T>(*this, std::forward<Args>(args)...);
  T* opened = document.get();
  documents_.push_back(std::move(document));
  if (!opened->Open(mdiClient_, where)) {
    documents_.pop_back();
    return nullptr;
  }
  return opened;
}

void HostApp::Forget(Document* document) {
  if (document == chatRoom_) chatRoom_ = nullptr;
  if (document == keywordWindow_) keywordWindow_ = nullptr;
  if (document == buddyList_) buddyList_ = nullptr;
  std::erase_if(documents_, [document](const auto& kept) { return kept.get() == document; });
}

void HostApp::LayoutFrame() {
  RECT client;
  GetClientRect(frame_, &client);
  MoveWindow(toolbar_, 0, 0, client.right, kToolbarHeight, TRUE);
  MoveWindow(mdiClient_, 0, kToolbarHeight, client.right, client.bottom - kToolbarHeight, TRUE);
}

void HostApp::OnToolbarClick(int index) {
  if (index == kKeywordButtonIndex) OpenKeywordWindow();
  if (index == kPeopleButtonIndex) BringChatRoomToFront();
}

void HostApp::OpenKeywordWindow() {
  if (keywordWindow_) {
    SendMessageA(mdiClient_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(keywordWindow_->window()), 0);
    return;
  }
  if (keywordWindowComing_) return;
  keywordWindowComing_ = true;
  if (!OpenWhenAsked(HostWindow::kKeyword, "Keyword", [this] {
        keywordWindowComing_ = false;
        keywordWindow_ = OpenDocument<KeywordWindow>({240, 160});
      }))
    keywordWindowComing_ = false;
}

void HostApp::RunKeyword(const std::string& keyword) {
  const bool known = SameKeyword(keyword, kBuddyViewKeyword);
  Log().Write("keyword",
              {Bytes("text", keyword), {"known", known ? "true" : "false", LogField::kNumber}});
  HangIf(HangPoint::kKeyword);
  if (known) OpenBuddyList();
}

void HostApp::OpenBuddyList() {
  if (buddyList_) {
    SendMessageA(mdiClient_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(buddyList_->window()), 0);
    return;
  }
  if (buddyListComing_) return;
  buddyListComing_ = true;
  if (!OpenWhenAsked(HostWindow::kBuddyList, "Buddy List Window", [this] {
        buddyListComing_ = false;
        buddyList_ = OpenDocument<BuddyList>({760, 230}, options_.buddiesOnline);
      }))
    buddyListComing_ = false;
}

void HostApp::OpenInstantMessage(const std::string& recipient) {
  OpenWhenAsked(HostWindow::kInstantMessage, "Send Instant Message", [this, recipient] {
    const int step = 24 * (openedMessages_++ % 6);
    OpenDocument<InstantMessageWindow>({300 + step, 120 + step}, recipient);
  });
}

bool HostApp::DeliverInstantMessage(const std::string& recipient, const std::string& text) {
  const bool online = IsSignedOn(recipient);
  Log().Write(online ? "im-sent" : "im-refused", {Bytes("to", recipient), Bytes("text", text)});
  HangIf(HangPoint::kInstantMessage);
  if (!online) Later(options_.noticeDelayMs, [this, recipient] { ShowNotice(recipient); });
  return online;
}

void HostApp::ShowNotice(const std::string& recipient) {
  const std::string text = recipient.empty() ? std::string("Please enter a screen name.")
                                             : recipient + " is not currently signed on.";
  OpenNotice(frame_, text);
}

bool HostApp::IsSignedOn(const std::string& name) const {
  const std::string key = ScreenNameKey(name);
  return !key.empty() &&
         std::any_of(options_.buddiesOnline.begin(), options_.buddiesOnline.end(),
                     [&key](const std::string& buddy) { return ScreenNameKey(buddy) == key; });
}

void HostApp::BringChatRoomToFront() {
  if (chatRoom_)
    SendMessageA(mdiClient_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(chatRoom_->window()), 0);
}

bool HostApp::OpenWhenAsked(HostWindow which, const char* name, std::function<void()> open) {
  if (options_.neverOpen.count(which)) {
    Log().Write("window-withheld", {Text("window", name)});
    return false;
  }
  Later(options_.openDelayMs, std::move(open));
  return true;
}

void HostApp::Later(int milliseconds, std::function<void()> action) {
  if (milliseconds <= 0) return action();
  const UINT_PTR id = nextTimer_++;
  timers_[id] = std::move(action);
  SetTimer(frame_, id, milliseconds, nullptr);
}

void HostApp::RunTimer(UINT_PTR id) {
  KillTimer(frame_, id);
  if (id == kHangTimer) HangNow("time");
  const auto found = timers_.find(id);
  if (found == timers_.end()) return;
  const std::function<void()> action = std::move(found->second);
  timers_.erase(found);
  action();
}

LRESULT CALLBACK HostApp::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* app = static_cast<HostApp*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    app->frame_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
  }
  auto* app = reinterpret_cast<HostApp*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!app || !app->mdiClient_) {
    if (app && message == WM_COMMAND && lParam != 0)
      return app->HandleFrame(message, wParam, lParam);
    return DefFrameProcA(window, nullptr, message, wParam, lParam);
  }
  return app->HandleFrame(message, wParam, lParam);
}

LRESULT HostApp::HandleFrame(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (lParam != 0 && HIWORD(wParam) == kIconClicked && id >= kToolbarFirstId) {
        OnToolbarClick(id - kToolbarFirstId);
        return 0;
      }
      if (id == kExitCommand) return SendMessageA(frame_, WM_CLOSE, 0, 0);
      if (id == kCascadeCommand) return SendMessageA(mdiClient_, WM_MDICASCADE, 0, 0);
      if (id == kTileCommand) return SendMessageA(mdiClient_, WM_MDITILE, MDITILE_VERTICAL, 0);
      break;
    }
    case WM_SIZE:
      LayoutFrame();
      return 0;  // the frame procedure would stretch the document area over the toolbar
    case WM_TIMER:
      RunTimer(wParam);
      return 0;
    case WM_DESTROY:
      Log().Write("exit");
      PostQuitMessage(0);
      return 0;
  }
  return DefFrameProcA(frame_, mdiClient_, message, wParam, lParam);
}

}  // namespace vfx::subhost
