#include "ui/file_words.h"

namespace vfx::ui {
namespace {

std::string Named(std::string_view what) {
  return std::string(settings::kFileName) + " " + std::string(what);
}

}  // namespace

std::string ProblemText(const settings::Outcome& outcome) {
  using settings::Problem;
  switch (outcome.problem) {
    case Problem::kNone:
      return {};
    case Problem::kFolder:
      return Named("is a folder");
    case Problem::kTooLarge:
      return Named("is larger than 1 MiB");
    case Problem::kDenied:
      return Named("cannot be opened: access denied");
    case Problem::kNotText:
      return Named("is not UTF-8 text");
    case Problem::kUnreadable:
      return Named("cannot be read: " + outcome.detail);
    case Problem::kBusy:
      return "another copy of the add-on is saving; try again";
    case Problem::kReadOnly:
      return Named("is read-only");
    case Problem::kKeptChanging:
      return Named("kept changing while it was saved; try again");
    case Problem::kWouldGrowTooLarge:
      return Named("would grow larger than 1 MiB");
    case Problem::kNotSaved:
    case Problem::kRefused:
      return outcome.detail;
  }
  return outcome.detail;
}

}  // namespace vfx::ui
