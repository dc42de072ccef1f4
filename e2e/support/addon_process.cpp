#include "e2e/support/addon_process.h"

#include <vector>

#include "e2e/support/host_process.h"
#include "platform/win32/text.h"
#include "ui/colour_table.h"
#include "ui/control_ids.h"

namespace vfx::e2e {
namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

DWORD OwnerOf(HWND window) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner;
}

HWND VisibleMainWindowOf(DWORD processId) {
  for (HWND window = FindWindowA(ui::ids::kMainWindowClass, nullptr); window;
       window = FindWindowExA(nullptr, window, ui::ids::kMainWindowClass, nullptr))
    if (OwnerOf(window) == processId && IsWindowVisible(window)) return window;
  return nullptr;
}

struct OtherWindowSearch {
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK FindOtherWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<OtherWindowSearch*>(parameter);
  if (OwnerOf(window) != search.processId || !IsWindowVisible(window)) return TRUE;
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::string_view(name) == ui::ids::kMainWindowClass) return TRUE;
  search.found = window;
  return FALSE;
}

constexpr UINT kAnswerMilliseconds = 10000;
// Wine's multi-line edit box takes a pasted line in time that grows with the square of its
// length: 64 KiB of prose take it some ten seconds.
constexpr UINT kPasteMilliseconds = 120000;

DWORD_PTR Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
              UINT milliseconds = kAnswerMilliseconds) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, milliseconds, &answer);
  return answer;
}

}  // namespace

AddOnProcess::AddOnProcess() : AddOnProcess(Options{}) {}

AddOnProcess::AddOnProcess(Options options) : options_(options) {
  const std::string path = options_.path.empty() ? VontraFxPath() : options_.path;
  const std::string folder = FolderOf(path);
  process_ = StartProgram("\"" + path + "\"", folder.empty() ? nullptr : folder.c_str());
  if (process_.id() != 0 && options_.passSplash) WaitForMainWindow(options_.seconds);
}

AddOnProcess::~AddOnProcess() { process_.Terminate(); }

bool AddOnProcess::Running() const { return process_.Running(); }

bool AddOnProcess::WaitForExit(double seconds) const { return process_.WaitForExit(seconds); }

std::optional<DWORD> AddOnProcess::ExitCode() const { return process_.ExitCode(); }

std::string VontraFxPath() { return WindowsPath(VFX_VONTRAFX_EXE); }

HWND AddOnProcess::OtherWindow() const {
  if (!Running()) return nullptr;
  OtherWindowSearch search{process_.id()};
  EnumWindows(FindOtherWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool AddOnProcess::ClickSplash() const {
  HWND splash = Splash();
  if (!splash) return false;
  RECT area;
  GetClientRect(splash, &area);
  POINT at{area.right / 2, area.bottom / 2};
  // The picture, not the window under it, takes the click, as under a real mouse.
  HWND target = ChildWindowFromPointEx(splash, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  if (!target) target = splash;
  MapWindowPoints(splash, target, &at, 1);
  const LPARAM point = MAKELPARAM(at.x, at.y);
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(target, WM_LBUTTONUP, 0, point);
  return true;
}

HWND AddOnProcess::WaitForMainWindow(double seconds) {
  WaitUntil(
      [this] {
        window_ = VisibleMainWindowOf(process_.id());
        if (window_ || !Running()) return true;
        // One click: a second one while the main window loads is the life cycle's to ignore,
        // not this harness's to test by accident.
        if (options_.passSplash && !splashClicked_ && ClickSplash()) splashClicked_ = true;
        return false;
      },
      seconds);
  return window_;
}

std::string AddOnProcess::Caption() const {
  if (!window_) return {};
  wchar_t wide[1024] = L"";
  const int length = GetWindowTextW(window_, wide, 1024);
  return platform::win32::Narrow(std::wstring_view(wide, static_cast<std::size_t>(length)));
}

void AddOnProcess::Close() const {
  if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
}

HWND AddOnProcess::FrameControl(int id) const {
  return GetDlgItem(GetDlgItem(window_, ui::ids::kFrame1), id);
}

HWND AddOnProcess::Control(int id) const {
  if (!window_) return nullptr;
  HWND control = GetDlgItem(window_, id);
  return control ? control : FrameControl(id);
}

void AddOnProcess::Type(std::string_view utf8) const {
  TypeInto(Control(ui::ids::kMessageBox), utf8);
}

std::string AddOnProcess::Text(ui::ids::TextRole box) const {
  return ControlTextUtf8(Control(box));
}

void AddOnProcess::Press(int id) const { PressButton(Control(id)); }

bool AddOnProcess::IsTicked(int id) const { return IsChecked(Control(id)); }

bool AddOnProcess::SetTicked(int id, bool ticked, double seconds) const {
  if (IsTicked(id) == ticked) return true;
  Press(id);
  return WaitUntil([&] { return IsTicked(id) == ticked; }, seconds);
}

bool AddOnProcess::Choose(int id, double seconds) const {
  if (!IsTicked(id)) Press(id);
  return WaitUntil([&] { return IsTicked(id); }, seconds);
}

int AddOnProcess::SelectedColourCount() const {
  for (int k = 1; k <= ui::kColourCount; ++k)
    if (IsTicked(ui::ids::OptionId(ui::kColourGroups[k - 1].option))) return k;
  return 0;
}

bool AddOnProcess::SetBar(int n, int value, double seconds) const {
  HWND bar = Control(ui::ids::HScrollId(n));
  if (!bar) return false;
  // A thumb already there is not dragged: the window would see no change to show.
  if (BarValue(bar) == value) return true;
  // Where a drag leaves the thumb, then the notification of its release: the bar's window
  // reads the position from the control, as it does for a real drag.
  Ask(bar, SBM_SETPOS, static_cast<WPARAM>(value), TRUE);
  PostMessageW(GetParent(bar), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, value),
               reinterpret_cast<LPARAM>(bar));
  const ui::BarPlace place = ui::FindBar(n);
  HWND label =
      Control(ui::ids::LabelId(ui::kColourGroups.at(place.colour - 1).label[place.component]));
  const std::string shown = std::to_string(value);
  return WaitUntil([&] { return ControlTextUtf8(label) == shown; }, seconds);
}

int AddOnProcess::Bar(int n) const { return BarValue(Control(ui::ids::HScrollId(n))); }

bool AddOnProcess::SetColour(int k, fade::Rgb colour) const {
  const auto& bars = ui::kColourGroups.at(k - 1).bar;
  return SetBar(bars[ui::kRed], colour.red) && SetBar(bars[ui::kGreen], colour.green) &&
         SetBar(bars[ui::kBlue], colour.blue);
}

fade::Rgb AddOnProcess::Colour(int k) const {
  const auto& bars = ui::kColourGroups.at(k - 1).bar;
  return {Bar(bars[ui::kRed]), Bar(bars[ui::kGreen]), Bar(bars[ui::kBlue])};
}

void TypeInto(HWND control, std::string_view utf8) {
  const std::wstring wide = platform::win32::Widen(utf8);
  Ask(control, EM_SETSEL, 0, -1);
  Ask(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()), kPasteMilliseconds);
}

std::string ControlTextUtf8(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kAnswerMilliseconds,
                           &length))
    return {};
  std::vector<wchar_t> buffer(length + 1);
  const DWORD_PTR copied =
      Ask(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  return platform::win32::Narrow(std::wstring_view(buffer.data(), copied));
}

void PressButton(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool IsChecked(HWND box) { return Ask(box, BM_GETCHECK) == BST_CHECKED; }

int BarValue(HWND bar) { return static_cast<int>(Ask(bar, SBM_GETPOS)); }

}  // namespace vfx::e2e
