// vontrafx-demo.exe: what scripts/demo runs under Wine. It starts substitute-host.exe and
// vontrafx.exe and prints every line the chat room receives as it arrives, in readable form.
//
//   vontrafx-demo.exe                      the user drives the add-on; ends when it ends
//   vontrafx-demo.exe --walkthrough DIR    drives it as a user would: the splash click, a faded
//                                          line sent to the room, View HTML, Exit; saves
//                                          pictures (BMP) of each step into DIR
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

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

// The screen's pixels where the window is, as a 24-bit BMP file: what the user sees of it,
// including whatever lies on top.
bool SavePicture(HWND window, const std::string& path) {
  RECT place;
  if (!window || !GetWindowRect(window, &place)) return false;
  const int width = place.right - place.left, height = place.bottom - place.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as a BMP file keeps its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = ((width * 3 + 3) / 4) * 4, size = stride * height;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + size;
  info.bmiHeader.biSizeImage = size;
  bool saved = false;
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    saved = std::fwrite(&file, sizeof file, 1, out) == 1 &&
            std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
            std::fwrite(bits, 1, size, out) == size;
    saved = std::fclose(out) == 0 && saved;
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

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
                  addOn.IsTicked(ids::CheckId(7)) ? "ticked" : "not ticked");
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
    addOn.Press(ids::CommandId(1));
    if (!printer_->Until([&] { return printer_->count() > before; }, 20))
      return Fail("the line did not reach the chat room");
    printer_->For(0.7);
    Shoot(addOn.window(), "main-window");
    Shoot(GetDesktopWindow(), "desktop");

    Say("== the Right arrow, a line typed, View HTML: the markup goes to the HTML writer");
    addOn.Press(ids::CommandId(8));
    if (!printer_->Until([&] { return !IsWindowEnabled(addOn.Control(ids::CommandId(8))); }, 10))
      return Fail("the window did not widen");
    addOn.Type("View HTML shows the markup instead of sending it");
    addOn.Press(ids::CommandId(9));
    if (!printer_->Until([&] { return !addOn.Text(2).empty(); }, 10))
      return Fail("the HTML writer stayed empty");
    printer_->For(0.7);
    const std::string markup = addOn.Text(2);
    Say("   HTML writer (" + std::to_string(markup.size()) +
        " characters): " + markup.substr(0, 72) + " ...");
    Shoot(addOn.window(), "html-view");

    Say("== Exit: the closing announcement, then the add-on ends");
    addOn.Press(ids::CommandId(6));
    if (!printer_->Until([&] { return !addOn.Running(); }, 10))
      return Fail("vontrafx.exe did not end");
    printer_->For(0.5);
    Say("== vontrafx.exe has ended");
    Shoot(HostFrame(), "chat-room");
    Say("== stopping substitute-host.exe");
    return failed_ ? 1 : 0;
  }

 private:
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

  void Shoot(HWND window, const std::string& name) {
    const std::string path = folder_ + "\\" + name + ".bmp";
    if (SavePicture(window, path))
      Say("   picture: " + name);
    else
      Fail("could not save the picture " + path);
  }

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
