// Native peers in memory: they record what the model told them, so tests see every size a
// resizing loop assigned and every property the model pushed. The form's window is a window of
// the in-memory desktop, so topmost placements land on it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/fake_desktop.h"
#include "toolkit/control.h"
#include "toolkit/form.h"
#include "toolkit/peer.h"

namespace vfx::testing {

struct PeerEvent {
  std::string control;  // the control's name, or the form's
  toolkit::Property property;
};

class FakeBackend : public toolkit::Backend {
 public:
  explicit FakeBackend(FakeDesktop& desktop) : desktop_(desktop) {}

  // Caption and borders the fake window system adds, twips.
  toolkit::Size nonClient{90, 315};

  std::vector<PeerEvent> events;
  // Called with each event as it is recorded, for tests that watch when things change.
  std::function<void(const PeerEvent&)> onEvent;
  std::vector<toolkit::Size> formSizes;  // every size the form was given, in order
  int destroyed = 0;
  std::map<int, double> timers;  // running, by id, with their intervals
  platform::WindowHandle formWindow = platform::kNoWindow;

  std::unique_ptr<toolkit::FormPeer> CreateFormPeer(toolkit::Form& form) override;
  std::unique_ptr<toolkit::Peer> CreatePeer(toolkit::Control& control) override;

  int CountOf(const std::string& control, toolkit::Property property) const;
  void Record(PeerEvent event);

 private:
  FakeDesktop& desktop_;
  platform::WindowHandle next_ = 0x5000;
};

}  // namespace vfx::testing
