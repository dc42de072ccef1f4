// The saved colour schemes and the settings, kept in the add-on's one file and changed only on
// the user's request.
//
// The file is the user's data. One that cannot be read as UTF-8 text (or at all) is never written
// over: the store is then unreadable, offers nothing and says why. Every change holds the file's
// lock against other copies of the add-on, reads the file afresh, applies itself to what is
// there, reads again just before writing and, when another program changed the file meanwhile,
// applies itself again to the newer bytes; so no one's save is lost. The write replaces the whole
// file in one step, or fails and leaves it as it was; a read-only file is never written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_file.h"
#include "settings/document.h"
#include "settings/schemes.h"

namespace vfx::settings {

inline constexpr std::string_view kFileName = "vontrafx.ini";
inline constexpr std::string_view kSettingsSection = "Vontra FX";

// What a read or a change came to: done (the file holds it), or why not. The words are the
// window's business.
enum class Problem {
  kNone,
  kFolder,             // a folder stands where the file should be
  kTooLarge,           // the file is larger than the add-on ever writes
  kDenied,             // the system refuses to open it
  kNotText,            // it is not UTF-8 text
  kUnreadable,         // any other failure to read; `detail` has the system's words
  kBusy,               // another copy of the add-on is saving: try again
  kReadOnly,           // the file is marked read-only
  kKeptChanging,       // another program changed it on every read while it was saved
  kWouldGrowTooLarge,  // the change would make it larger than the add-on reads
  kNotSaved,           // the write failed; `detail` has the system's words
  kRefused,            // the change itself is not one the file can hold; `detail` says why
};
struct Outcome {
  Problem problem = Problem::kNone;
  std::string detail;
  bool done() const { return problem == Problem::kNone; }
  friend bool operator==(const Outcome&, const Outcome&) = default;
};

class Store {
 public:
  explicit Store(platform::SettingsFile& file) : file_(file) {}

  // Reads the file whole (when the menu opens). A missing file is an empty one.
  void Load();
  bool readable() const { return problem_.done(); }
  // Why not readable.
  const Outcome& problem() const { return problem_; }
  std::string location() const { return file_.Location(); }

  // As last read; nothing while unreadable.
  std::vector<Scheme> schemes() const;
  std::optional<Scheme> Find(std::string_view name) const;
  // The value (without the blanks around it) of the first such key in the first section of the
  // name, both compared without regard to ASCII case.
  std::optional<std::string> Setting(std::string_view section, std::string_view key) const;

  // Saves the scheme, replacing the one of the same name.
  Outcome Save(const Scheme& scheme);
  // Done as well when there was no scheme of the name (another program may have deleted it).
  Outcome Delete(std::string_view name);
  // The value, without the blanks around it, goes where the key is, or the key to the end of the
  // section, or the section to the end of the file. Names a setting may not have (a line break,
  // "=" in a key, "]" in a section, the schemes' section) are refused.
  Outcome SetSetting(std::string_view section, std::string_view key, std::string_view value);

 private:
  // Applies `edit` (which returns why it cannot, or nothing) to the file as it is now.
  template <typename Edit>
  Outcome Change(Edit edit);
  // Reads the file into the members below; false when it is unreadable.
  bool Read();

  platform::SettingsFile& file_;
  bool exists_ = false;
  Outcome problem_;
  std::string bytes_;
  Document document_;
};

}  // namespace vfx::settings
