// The whole program on the in-memory desktop: the splash window, the main window it loads, a
// host with a chat room, and a record of when each chat line and each caption arrived.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/fake_backend.h"
#include "tests/support/fake_clipboard.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_events.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_settings_file.h"
#include "tests/ui/fakes.h"
#include "ui/splash.h"

namespace vfx::ui {

class LifeCycleTest : public ::testing::Test {
 protected:
  struct Line {
    double time;
    std::string text;
    bool mainWindowVisible;
  };
  struct Caption {
    double time;
    std::string text;
  };

  explicit LifeCycleTest(testing::FakeHostOptions options = {}) : host(desktop, options) {
    splash.random.component = [this] { return draws.at(nextDraw++ % draws.size()); };
    desktop.onSend = [this](const testing::SentMessage& message) {
      if (message.window == host.input && message.message == platform::message::kChar &&
          message.wParam == 13)
        lines.push_back({events.Now(), desktop.Text(host.input),
                         splash.main_window() && Main().form().is_visible()});
    };
    backend.onEvent = [this](const testing::PeerEvent& event) {
      if (splash.main_window() && !Main().form().is_loaded()) ++touchedAfterUnload;
      if (event.control == "ZiruZezuzo" && event.property == toolkit::Property::kCaption)
        captions.push_back({events.Now(), Main().form().caption()});
    };
    splash.Show();
  }

  ZiruZezuzo& Main() { return *splash.main_window(); }

  // Clicks the splash picture; returns the time of the click.
  double Start() {
    const double clicked = events.Now();
    splash.Image1().click();
    return clicked;
  }

  std::vector<std::string> LinesSince(std::size_t first) const {
    std::vector<std::string> texts;
    for (std::size_t i = first; i < lines.size(); ++i) texts.push_back(lines[i].text);
    return texts;
  }

  testing::FakeDesktop desktop;
  testing::FakeHost host;
  testing::FakeEventPump events;
  testing::FakeDialogs dialogs;
  testing::FakeFonts fonts;
  testing::FakeBackend backend{desktop};
  testing::FakeSettingsFile settingsFile;
  testing::FakeClipboard clipboard;
  Form1 splash{{{desktop, events}, dialogs, fonts, settingsFile, clipboard}, backend};

  // The colour components the announcements and Randomize draw, in turn.
  std::vector<int> draws = {40, 80, 120, 200, 100, 50, 7, 9, 11};
  std::size_t nextDraw = 0;

  std::vector<Line> lines;
  std::vector<Caption> captions;
  int touchedAfterUnload = 0;  // peer events after the main window was unloaded
};

}  // namespace vfx::ui
