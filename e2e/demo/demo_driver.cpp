// vontrafx-demo.exe: what scripts/demo runs under Wine. It starts substitute-host.exe and
// vontrafx.exe and prints every line the chat room receives as it arrives, in readable form.
//
//   vontrafx-demo.exe                      the user drives the add-on; ends when it ends
//   vontrafx-demo.exe --walkthrough DIR    drives it as a user would: the splash click, a faded
//                                          line sent to the room, the colour panel's menu and
//                                          a Vivid line beside a Straight one, a line faded in
//                                          the room's own box, View HTML, Exit; saves
//                                          pictures (BMP) of each step into DIR
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "e2e/demo/demo_screen.h"
#include "e2e/support/addon_process.h"
#include "e2e/support/host_process.h"
#include "e2e/support/host_windows.h"
#include "ui/control_ids.h"

namespace vfx::e2e {
namespace {

namespace ids = ui::ids;

void Say(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// A chat line as a member reads it: the text without its tags, and the colours it runs through.
std::string Readable(const std::string& markup) {
  std::string text, first, last;
  int tags = 0;
  for (std::size_t i = 0; i < markup.size();) {
    if (markup[i] != '<') {
      text += markup[i++];
      continue;
    }
    const std::size_t end = markup.find('>', i);
    if (end == std::string::npos) {
      text += markup.substr(i);
      break;
    }
    const std::string tag = markup.substr(i, end - i + 1);
    if (tag.rfind("<FONT COLOR=#", 0) == 0 && tag.size() >= 20) {
      last = tag.substr(13, 6);
      if (tags++ == 0) first = last;
    }
    i = end + 1;
  }
  if (text.find_first_not_of(' ') == std::string::npos) text = "(a blank line)";
  if (tags > 0)
    text += "    [" + std::to_string(tags) + " colour tags, #" + first + " .. #" + last + "]";
  return text;
}

class ChatPrinter {
 public:
  explicit ChatPrinter(const HostProcess& host) : host_(host) {}
  // Prints the lines that came since the last look.
  void Look() {
    const std::vector<LogEvent> chats = host_.Events("chat");
    for (; printed_ < chats.size(); ++printed_)
      Say("   chat  " + chats[printed_].Field("speaker") + ": " +
          Readable(chats[printed_].Field("text")));
  }
  // Waits for `condition`, printing lines meanwhile.
  bool Until(const std::function<bool()>& condition, double seconds) {
    return WaitUntil(
        [&] {
          Look();
          return condition();
        },
        seconds);
  }
  void For(double seconds) {
    Until([] { return false; }, seconds);
  }
  std::size_t count() { return host_.Events("chat").size(); }

 private:
  const HostProcess& host_;
  std::size_t printed_ = 0;
};

class Demo {
 public:
  explicit Demo(std::string folder) : folder_(std::move(folder)) {}

  int Interactive() {
    if (!StartHost()) return 1;
    AddOnProcess addOn(AddOnProcess::Options{.passSplash = false});
    if (!addOn.Running()) return Fail("vontrafx.exe did not start");
    Say("== vontrafx.exe is up: click its splash picture to start; Exit ends the demo");
    printer_->Until([&] { return !addOn.Running(); }, 1e9);
    printer_->For(0.3);
    Say("== vontrafx.exe has ended; stopping substitute-host.exe");
    return 0;
  }

  int Walkthrough() {
    if (!StartHost()) return 1;
    AddOnProcess addOn(AddOnProcess::Options{.passSplash = false});
    if (!printer_->Until([&] { return addOn.Splash() != nullptr; }, 30))
      return Fail("the splash window did not appear");
    Sleep(700);
    Shoot(GetDesktopWindow(), "splash");

    Say("== clicking the splash picture: the start-up sound, then the start-up announcement");
    const double clicked = Seconds();
    addOn.ClickSplash();
    if (!printer_->Until([&] { return addOn.WaitForMainWindow(0) != nullptr; }, 30))
      return Fail("the main window did not appear");
    const double shown = Seconds();
    printer_->For(0.3);
    char timing[160];
    std::snprintf(timing, sizeof timing,
                  "== the main window showed %.2f s after the click: \"%s\", On Top %s",
                  shown - clicked, addOn.Caption().c_str(),
                  addOn.IsTicked(ids::kOnTop) ? "ticked" : "not ticked");
    Say(timing);

    Say("== three colours set on the bars, a line typed, Send to Chat");
    const std::size_t before = printer_->count();
    if (!addOn.SetColour(1, {255, 40, 150}) || !addOn.SetColour(2, {255, 190, 0}) ||
        !addOn.SetColour(3, {0, 170, 255}))
      return Fail("the colour bars did not take their values");
    addOn.Type("Hello, chat room! This line fades through three colours.");
    // The box shows the line as the room will, before it is sent.
    printer_->For(0.7);
    Shoot(addOn.window(), "preview");
    addOn.Press(ids::kSend);
    if (!printer_->Until([&] { return printer_->count() > before; }, 20))
      return Fail("the line did not reach the chat room");
    printer_->For(0.7);
    Shoot(addOn.window(), "main-window");
    Shoot(GetDesktopWindow(), "desktop");

    if (!Colours(addOn)) return 1;
    if (!FadeWhereTyped(addOn)) return 1;

    Say("== the Right arrow, a line typed, View HTML: the markup goes to the HTML writer");
    addOn.Press(ids::kRight);
    if (!printer_->Until([&] { return !IsWindowEnabled(addOn.Control(ids::kRight)); }, 10))
      return Fail("the window did not widen");
    addOn.Type("View HTML shows the markup instead of sending it");
    addOn.Press(ids::kViewHtml);
    if (!printer_->Until([&] { return !addOn.Text(ids::kHtmlWriter).empty(); }, 10))
      return Fail("the HTML writer stayed empty");
    printer_->For(0.7);
    const std::string markup = addOn.Text(ids::kHtmlWriter);
    Say("   HTML writer (" + std::to_string(markup.size()) +
        " characters): " + markup.substr(0, 72) + " ...");
    Shoot(addOn.window(), "html-view");

    Say("== Exit: the closing announcement, then the add-on ends");
    addOn.Press(ids::kExit);
    if (!printer_->Until([&] { return !addOn.Running(); }, 10))
      return Fail("vontrafx.exe did not end");
    printer_->For(0.5);
    Say("== vontrafx.exe has ended");
    Shoot(HostFrame(), "chat-room");
    Say("== stopping substitute-host.exe");
    return failed_ ? 1 : 0;
  }

 private:
  // The colour panel's menu at a right-click on a swatch; then one line twice, Straight and
  // then Vivid, which the menu ticks.
  bool Colours(const AddOnProcess& addOn) {
    Say("== the colour panel's menu, at a right-click on a swatch, with Copy As open");
    addOn.Type("Copy me as HTML");
    const HWND swatch = addOn.Control(ids::PictureId(2));
    OpenMenuAt(swatch);
    if (!printer_->Until([&] { return MenusOf(addOn).size() == 1; }, 5))
      return Fail("the colour panel's menu did not open") == 0;
    PressKeys({'Y'});
    if (!printer_->Until([&] { return MenusOf(addOn).size() == 2; }, 5))
      return Fail("Copy As did not open") == 0;
    Sleep(400);
    RECT both;
    GetWindowRect(addOn.window(), &both);
    for (HWND menu : MenusOf(addOn)) {
      RECT shown;
      GetWindowRect(menu, &shown);
      UnionRect(&both, &both, &shown);
    }
    Keep(SaveScreenPart(both, Path("colour-menu")), "colour-menu");
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});

    Say("== two colours, one line twice: the Straight blend, then Vivid from the menu");
    const std::size_t before = printer_->count();
    if (!addOn.Choose(ids::OptionId(2)) || !addOn.SetColour(1, {255, 0, 0}) ||
        !addOn.SetColour(2, {0, 200, 255}))
      return Fail("the colours did not take their values") == 0;
    addOn.Type("Straight: from red to sky blue, through grey");
    addOn.Press(ids::kSend);
    if (!printer_->Until([&] { return printer_->count() > before; }, 20))
      return Fail("the Straight line did not reach the chat room") == 0;
    OpenMenuAt(swatch);
    if (!printer_->Until([&] { return MenuOf(addOn) != nullptr; }, 5))
      return Fail("the colour panel's menu did not open") == 0;
    PressKeys({'V'});
    printer_->Until([&] { return MenuOf(addOn) == nullptr; }, 5);
    addOn.Type("Vivid: from red to sky blue, bright all the way");
    addOn.Press(ids::kSend);
    if (!printer_->Until([&] { return printer_->count() > before + 1; }, 20))
      return Fail("the Vivid line did not reach the chat room") == 0;
    printer_->For(0.5);
    Shoot(ChatRoom(), "vivid-fade");
    return true;
  }

  // A line typed into the chat room's own box and faded there with the fade key.
  bool FadeWhereTyped(const AddOnProcess& addOn) {
    Say("== a line typed into the chat room's own box, faded there with Ctrl+Shift+F");
    const HWND input = Hop(ChildOfClass(ChatRoom(), "RICHCNTL"), 6);
    const std::size_t before = printer_->count();
    ClickOn(input);
    TypeText(L"Faded right where I typed it");
    PressKeys({VK_CONTROL, VK_SHIFT, 'F'});
    if (!printer_->Until([&] { return printer_->count() > before; }, 20))
      return Fail("the line typed in the room was not faded: " + addOn.Caption()) == 0;
    printer_->For(0.5);
    Shoot(ChatRoom(), "fade-in-place");
    return true;
  }

  // What a right-click on the control asks of it.
  static void OpenMenuAt(HWND control) {
    RECT place;
    GetWindowRect(control, &place);
    PostMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control),
                 MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2));
  }

  static HWND ChatRoom() {
    for (HWND document : Children(HostDocumentArea()))
      if (ChildOfClass(document, "_AOL_Listbox")) return document;
    return nullptr;
  }

  // The add-on's open pop-up menus (a submenu beside its menu), if any are up.
  static std::vector<HWND> MenusOf(const AddOnProcess& addOn) {
    std::vector<HWND> menus;
    for (HWND menu = FindWindowA("#32768", nullptr); menu;
         menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(menu, &owner);
      if (owner == addOn.process_id() && IsWindowVisible(menu)) menus.push_back(menu);
    }
    return menus;
  }
  static HWND MenuOf(const AddOnProcess& addOn) {
    const std::vector<HWND> menus = MenusOf(addOn);
    return menus.empty() ? nullptr : menus.front();
  }

  std::string Path(const std::string& name) const { return folder_ + "\\" + name + ".bmp"; }
  void Keep(bool saved, const std::string& name) {
    if (saved)
      Say("   picture: " + name);
    else
      Fail("could not save the picture " + Path(name));
  }

  bool StartHost() {
    host_ = std::make_unique<HostProcess>();
    if (!host_->ready()) {
      Fail("substitute-host.exe did not start");
      return false;
    }
    printer_ = std::make_unique<ChatPrinter>(*host_);
    const std::vector<LogEvent> ready = host_->Events("ready");
    Say("== substitute-host.exe is up, signed on as " + ready.at(0).Field("member"));
    return true;
  }

  void Shoot(HWND window, const std::string& name) { Keep(SavePicture(window, Path(name)), name); }

  int Fail(const std::string& why) {
    Say("!! " + why);
    failed_ = true;
    return 1;
  }

  std::string folder_;
  std::unique_ptr<HostProcess> host_;
  std::unique_ptr<ChatPrinter> printer_;
  bool failed_ = false;
};

}  // namespace
}  // namespace vfx::e2e

int main(int argc, char** argv) {
  using vfx::e2e::Demo;
  if (argc == 3 && std::string(argv[1]) == "--walkthrough") return Demo(argv[2]).Walkthrough();
  if (argc == 1) return Demo("").Interactive();
  std::fprintf(stderr, "usage: vontrafx-demo.exe [--walkthrough FOLDER]\n");
  return 2;
}
