// The main window as the Send run sees it, as plain fields, with a record of every call in order.
#pragma once

#include <array>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "composer/send_window.h"
#include "tests/composer/panel_colours.h"

namespace vfx::testing {

using composer::DeliveryStatus;
using composer::SendOption;

class FakeSendWindow : public composer::SendWindow {
 public:
  std::string typedLine = "hello";
  std::string recipient = "To Whom?";
  std::string htmlView;
  std::string sendCaption = "Send to Chat";
  std::set<SendOption> ticked;
  fade::Blend blend = fade::Blend::kStraight;
  int colourCount = 3;
  std::array<fade::Rgb, 10> colours = kPanelColours;
  std::function<void()> onRandomize;

  std::vector<std::string> calls;
  std::vector<DeliveryStatus> statuses;
  int focusCount = 0;

  // The position of a call in the record, or -1.
  int CallIndex(const std::string& call) const {
    for (std::size_t n = 0; n < calls.size(); ++n)
      if (calls[n] == call) return static_cast<int>(n);
    return -1;
  }

  std::string TypedLine() override {
    calls.push_back("TypedLine");
    return typedLine;
  }
  void SetTypedLine(std::string_view text) override {
    calls.push_back("SetTypedLine");
    typedLine = text;
  }
  void FocusTypedLine() override {
    calls.push_back("FocusTypedLine");
    ++focusCount;
  }
  bool IsTicked(SendOption box) override {
    calls.push_back("IsTicked " + std::to_string(static_cast<int>(box)));
    return ticked.contains(box);
  }
  int SelectedColourCount() override {
    calls.push_back("SelectedColourCount");
    return colourCount;
  }
  fade::Blend SelectedBlend() override {
    calls.push_back("SelectedBlend");
    return blend;
  }
  std::array<fade::Rgb, 10> Colours() override {
    calls.push_back("Colours");
    return colours;
  }
  void Randomize() override {
    calls.push_back("Randomize");
    if (onRandomize) onRandomize();
  }
  std::string Recipient() override {
    calls.push_back("Recipient");
    return recipient;
  }
  std::string HtmlView() override { return htmlView; }
  void SetHtmlView(std::string_view text) override {
    calls.push_back("SetHtmlView");
    htmlView = text;
  }
  void SetSendCaption(std::string_view caption) override { sendCaption = caption; }
  void ShowDeliveryStatus(DeliveryStatus status) override {
    calls.push_back("ShowDeliveryStatus");
    statuses.push_back(status);
  }
};

inline std::string IsTickedCall(SendOption box) {
  return "IsTicked " + std::to_string(static_cast<int>(box));
}

}  // namespace vfx::testing
