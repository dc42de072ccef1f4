// The add-on's one file in memory: any bytes, or none, or a folder in its place, or a file the
// system refuses; a write that stops half-way as on a full disk; and a hook at every read, where
// a test plays another program saving meanwhile.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "platform/settings_file.h"

namespace vfx::testing {

class FakeSettingsFile : public platform::SettingsFile {
 public:
  std::optional<std::string> bytes;  // the file; nothing when there is none
  bool isFolder = false;
  bool denied = false;
  bool readOnly = false;
  bool heldElsewhere = false;  // another copy of the add-on holds the lock
  // The new file takes this many bytes, then the disk is full: the replace fails.
  std::optional<std::size_t> diskFullAfter;

  // Runs at the start of every Read, with the number of reads so far (from 1).
  std::function<void(int)> onRead;
  int reads = 0;
  int replaces = 0;  // replaces that were done
  bool locked = false;
  int replacesUnlocked = 0;  // replaces asked for without the lock: a fault

  std::string Location() override {
    return "C:\\Users\\Ann\\AppData\\Roaming\\Vontra FX\\vontrafx.ini";
  }
  platform::SettingsFileRead Read() override;
  platform::SettingsFileWrite Lock() override;
  void Unlock() override { locked = false; }
  platform::SettingsFileWrite Replace(std::string_view newBytes) override;
};

}  // namespace vfx::testing
