// The main window on the in-memory desktop, realized with recording peers.
#pragma once

#include <gtest/gtest.h>

#include "tests/support/fake_backend.h"
#include "tests/support/fake_clipboard.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_events.h"
#include "tests/support/fake_settings_file.h"
#include "tests/ui/fakes.h"
#include "ui/main_window.h"

namespace vfx::ui {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { window.form().realize(backend); }

  bool IsTopmost() { return desktop.IsTopmost(backend.formWindow); }

  testing::FakeDesktop desktop;
  testing::FakeEventPump events;
  testing::FakeDialogs dialogs;
  testing::FakeFonts fonts;
  testing::FakeBackend backend{desktop};
  testing::FakeSettingsFile settingsFile;
  testing::FakeClipboard clipboard;
  ZiruZezuzo window{{{desktop, events}, dialogs, fonts, settingsFile, clipboard}};
};

}  // namespace vfx::ui
