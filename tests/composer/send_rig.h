// A Send run wired to a fake main window, the in-memory desktop with the host on it, and the
// fake clock.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "composer/send_run.h"
#include "tests/composer/fake_send_window.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_events.h"
#include "tests/support/fake_host.h"

namespace vfx::testing {

struct SendRig {
  explicit SendRig(std::optional<FakeHostOptions> options = FakeHostOptions{}) {
    if (!options) return;
    host.emplace(desktop, *options);
    desktop.onSend = [this](const SentMessage& message) {
      if (message.window == host->input && message.message == platform::message::kChar)
        postTimes.push_back(events.Now());
    };
  }

  // The message that Send must deliver for the window as it is now.
  std::string Message() const {
    const auto ticked = [&](SendOption box) { return window.ticked.contains(box); };
    return composer::StylePrefix({.bold = ticked(SendOption::kBold),
                                  .italics = ticked(SendOption::kItalics),
                                  .underline = ticked(SendOption::kUnderline),
                                  .strike = ticked(SendOption::kStrike)}) +
           composer::ComposeBody(window.typedLine, window.colourCount, window.colours,
                                 ticked(SendOption::kWavy));
  }
  const std::vector<std::string>& ChatLines() const { return host->chatLines; }

  FakeDesktop desktop;
  FakeEventPump events;
  std::optional<FakeHost> host;
  FakeSendWindow window;
  composer::SendState state;
  composer::SendRun run{window, state, {desktop, events}};
  std::vector<double> postTimes;  // when Enter reached the chat input box
};

}  // namespace vfx::testing
