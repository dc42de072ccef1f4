// The fixture of the journeys that drive vontrafx.exe against substitute-host.exe: one host and
// one add-on per test, and what Send should have sent composed here, by the composer's own
// functions, from what the window's panel holds.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "composer/compose.h"
#include "e2e/support/addon_process.h"
#include "e2e/support/case_guard.h"
#include "e2e/support/host_process.h"

namespace vfx::e2e {

// Markup runs to megabytes: a mismatch is reported by its first differing byte, not in full.
::testing::AssertionResult SameBytes(const std::string& received, const std::string& expected);

// What the host receives of text the add-on sends it: the text in the system's code page.
std::string Ansi(std::string_view utf8);

// A line of `characters` characters of prose, as a user would paste it.
std::string Prose(std::size_t characters);

// The host's chat room, wherever it lies among the document windows, and its input box found
// as the add-on finds it: six windows after the transcript.
HWND ChatRoomWindow();
HWND ChatInputBox();
// Brings the chat room in front of the other document windows, as a click on it would.
void BringChatRoomToFront();

class Journey : public GuardedCase {
 protected:
  using GuardedCase::GuardedCase;

  // The host, then the add-on past its splash. The window shows only once its start-up lines
  // are out, so the chat lines counted from here are the test's.
  void Start(std::vector<std::string> hostOptions = {});
  // A host of its own, started or started again (the old one is stopped first).
  void StartHost(std::vector<std::string> options = {});
  void StartAddOn();

  AddOnProcess& addOn() const { return *addOn_; }
  HostProcess& host() const { return *host_; }

  void Type(const std::string& line);  // into Text1, then read back
  // Returns once every click posted before has been handled (a Send has composed its message):
  // a selection posted to Text3 comes through the same queue behind them. A line typed after a
  // posted click without it could reach the window first, since a sent message overtakes the
  // posted ones.
  void AwaitClicksHandled();
  // Keys as xdotool names them, to the add-on's window, once its window has the focus; returns
  // when xdotool has ended (within 20 s, else the case fails).
  static void Keys(const std::string& arguments);
  // The same to whatever window has the focus now (a dialog of the add-on's, an open menu).
  static void KeysToTheFocus(const std::string& arguments);
  void Tick(ui::ids::CheckRole box, bool ticked = true);

  composer::Styles StylesOnTheWindow() const;
  // What Send composes from the window as it stands: read it once the run is over.
  std::string MessageFromTheWindow(const std::string& line) const;

  // Chat lines the host received since the start (or since the host was started again).
  std::vector<LogEvent> NewChats() const;
  bool WaitForNewChats(std::size_t count, double seconds = 20) const;

  std::string SendCaption() const;  // the main button's caption
  bool WaitForCaption(const std::string& caption, double seconds = 10) const;
  // The window's caption once it tells of a delivery: "Vontra FX - N Colors - <status>".
  bool WaitForStatus(std::string_view status, double seconds = 10) const;
  // The window answers a message within a second: it is not stuck in a wait of its own.
  bool Answers() const;

  std::unique_ptr<HostProcess> host_;
  std::unique_ptr<AddOnProcess> addOn_;
  std::size_t chatsBefore_ = 0;
  int marker_ = 0;
};

}  // namespace vfx::e2e
