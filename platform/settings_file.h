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

struct SettingsFileReplace {
  bool done = false;
  std::string reason;  // when not done: the system's words, short enough for a caption
};

class SettingsFile {
 public:
  virtual ~SettingsFile() = default;

  // Where the file lives, as the user would type it (UTF-8), for messages.
  virtual std::string Location() = 0;
  // The whole file as it is now.
  virtual SettingsFileRead Read() = 0;
  // Puts `bytes` in the file's place: written to a new file in the same folder (made first when
  // missing) and flushed to the disk, which then takes the old one's place in one step. When not
  // done, the old file is as it was and no new file is left behind.
  virtual SettingsFileReplace Replace(std::string_view bytes) = 0;
};

}  // namespace vfx::platform
