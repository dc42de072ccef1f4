#include "tests/support/fake_settings_file.h"

namespace vfx::testing {

using Kind = platform::SettingsFileRead::Kind;

platform::SettingsFileRead FakeSettingsFile::Read() {
  ++reads;
  // A copy runs, so that the hook may replace or clear itself.
  if (auto hook = onRead) hook(reads);
  if (isFolder) return {Kind::kFolder, {}, {}};
  if (!bytes) return {Kind::kMissing, {}, {}};
  if (denied) return {Kind::kDenied, {}, {}};
  if (bytes->size() > platform::kSettingsFileMaxBytes) return {Kind::kTooLarge, {}, {}};
  return {Kind::kRead, *bytes, {}};
}

platform::SettingsFileWrite FakeSettingsFile::Lock() {
  using WriteKind = platform::SettingsFileWrite::Kind;
  if (heldElsewhere || locked) return {WriteKind::kBusy, {}};
  locked = true;
  return {WriteKind::kDone, {}};
}

platform::SettingsFileWrite FakeSettingsFile::Replace(std::string_view newBytes) {
  using WriteKind = platform::SettingsFileWrite::Kind;
  if (!locked) ++replacesUnlocked;
  if (isFolder || denied) return {WriteKind::kFailed, "access denied"};
  if (readOnly) return {WriteKind::kReadOnly, {}};
  // The new file is written whole before it replaces the old: a failure on the way leaves the
  // old one alone.
  if (diskFullAfter && *diskFullAfter < newBytes.size())
    return {WriteKind::kFailed, "the disk is full"};
  bytes = std::string(newBytes);
  ++replaces;
  return {WriteKind::kDone, {}};
}

}  // namespace vfx::testing
