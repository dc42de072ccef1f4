// The add-on's one file, vontrafx.ini, as bytes: read whole, or replaced whole in one step. What
// the bytes mean, and whether they may be written over, is the settings model's business; this
// seam only moves them and says why it could not.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vfx::platform {

// A larger file is not the add-on's: it is never read further, nor written over.
inline constexpr std::size_t kSettingsFileMaxBytes = std::size_t{1} << 20;

struct SettingsFileRead {
  enum class Kind {
    kRead,      // `bytes` holds the whole file
    kMissing,   // no file yet (nor, perhaps, its folder): the first save makes them
    kFolder,    // a folder stands where the file should be
    kTooLarge,  // over kSettingsFileMaxBytes
    kDenied,    // the system refuses to open it
    kFailed,    // any other failure; `detail` has the system's words
  };
  Kind kind = Kind::kMissing;
  std::string bytes;
  std::string detail;
};

// What a step that writes came to: done, or why not.
struct SettingsFileWrite {
  enum class Kind {
    kDone,
    kBusy,      // another copy of the add-on held the file past the wait
    kReadOnly,  // the file is marked read-only: the user means it, and it is not written
    kFailed,    // `detail` has the system's words, short enough for a caption
  };
  Kind kind = Kind::kFailed;
  std::string detail;
  bool done() const { return kind == Kind::kDone; }
};

class SettingsFile {
 public:
  virtual ~SettingsFile() = default;

  // Where the file lives, as the user would type it (UTF-8), for messages.
  virtual std::string Location() = 0;
  // The whole file as it is now.
  virtual SettingsFileRead Read() = 0;
  // Holds the file against other copies of the add-on for one change (read, merge, replace),
  // waiting a moment for one that holds it; kBusy once the wait is over. Every kDone is ended by
  // Unlock. A lock left by a copy that was killed is not left standing.
  virtual SettingsFileWrite Lock() = 0;
  virtual void Unlock() = 0;
  // Puts `bytes` in the file's place, under the lock: written to a new file in the same folder
  // (made first when missing) and flushed to the disk, which then takes the old one's place in
  // one step, keeping its attributes and security; a link is followed and its target replaced.
  // When not done, the old file is as it was and no new file is left behind.
  virtual SettingsFileWrite Replace(std::string_view bytes) = 0;
};

}  // namespace vfx::platform
