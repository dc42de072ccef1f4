#include "substitute-host/hang.h"

#include <windows.h>

#include "substitute-host/event_log.h"

namespace vfx::subhost {
namespace {

std::set<HangPoint>& HangPoints() {
  static std::set<HangPoint> points;
  return points;
}

const char* PointName(HangPoint point) {
  switch (point) {
    case HangPoint::kChat:
      return "chat";
    case HangPoint::kKeyword:
      return "keyword";
    case HangPoint::kInstantMessage:
      return "im";
    case HangPoint::kClick:
      return "click";
  }
  return "";
}

}  // namespace

void SetHangPoints(std::set<HangPoint> points) { HangPoints() = std::move(points); }

void HangIf(HangPoint point) {
  if (HangPoints().count(point)) HangNow(PointName(point));
}

void HangNow(const char* reason) {
  Log().Write("hang", {Text("reason", reason)});
  for (;;) Sleep(INFINITE);
}

}  // namespace vfx::subhost
