#include "settings/store.h"

#include "text/utf8.h"

namespace vfx::settings {
namespace {

using Kind = platform::SettingsFileRead::Kind;

// Copies of the add-on take the lock in turn; a program that does not (an editor) saving at the
// same moment needs one more round, rarely two. A file that changes on every read is being
// rewritten by something else, and is left to it.
constexpr int kRounds = 4;

Outcome ReadProblem(const platform::SettingsFileRead& read) {
  switch (read.kind) {
    case Kind::kFolder:
      return {Problem::kFolder, {}};
    case Kind::kTooLarge:
      return {Problem::kTooLarge, {}};
    case Kind::kDenied:
      return {Problem::kDenied, {}};
    case Kind::kFailed:
      return {Problem::kUnreadable, read.detail};
    case Kind::kRead:
    case Kind::kMissing:
      break;
  }
  return text::IsUtf8Text(read.bytes) ? Outcome{} : Outcome{Problem::kNotText, {}};
}

Outcome WriteProblem(const platform::SettingsFileWrite& write) {
  using WriteKind = platform::SettingsFileWrite::Kind;
  switch (write.kind) {
    case WriteKind::kDone:
      return {};
    case WriteKind::kBusy:
      return {Problem::kBusy, {}};
    case WriteKind::kReadOnly:
      return {Problem::kReadOnly, {}};
    case WriteKind::kFailed:
      break;
  }
  return {Problem::kNotSaved, write.detail};
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

std::optional<std::string> SettingProblem(std::string_view section, std::string_view key,
                                          std::string_view value) {
  const std::string_view trimmedSection = Trim(section), trimmedKey = Trim(key);
  if (trimmedSection.empty() || trimmedKey.empty()) return "a setting needs a section and a key";
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
    return "a setting is one line";
  if (!text::IsUtf8Text(section) || !text::IsUtf8Text(key) || !text::IsUtf8Text(value))
    return "a setting is UTF-8 text";
  if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
      KindOf(key) != LineKind::kOther || SameName(section, kSchemeSection))
    return "not a name a setting can have";
  return std::nullopt;
}

std::optional<std::string> EditSetting(Document& document, std::string_view section,
                                       std::string_view key, std::string_view value) {
  const std::string line = std::string(Trim(key)) + "=" + std::string(value);
  for (const Section& found : document.Sections()) {
    if (!SameName(found.name, section)) continue;
    const std::size_t at = document.FindKey(found, key);
    if (at == kNoLine) {
      document.InsertLine(document.LastContentLine(found) + 1, line);
    } else if (Trim(ValueOf(document.lines()[at].text)) != value) {
      document.SetValue(at, value);
    }
    return std::nullopt;
  }
  document.AppendBlock({"[" + std::string(Trim(section)) + "]", line});
  return std::nullopt;
}

}  // namespace

void Store::Load() { Read(); }

bool Store::Read() {
  const platform::SettingsFileRead read = file_.Read();
  problem_ = ReadProblem(read);
  exists_ = read.kind != Kind::kMissing;
  bytes_ = problem_.done() ? read.bytes : std::string();
  document_ = Document::Parse(bytes_);
  return problem_.done();
}

std::vector<Scheme> Store::schemes() const { return ListSchemes(document_); }

std::optional<Scheme> Store::Find(std::string_view name) const {
  return FindScheme(document_, name);
}

std::optional<std::string> Store::Setting(std::string_view section, std::string_view key) const {
  for (const Section& found : document_.Sections()) {
    if (!SameName(found.name, section)) continue;
    const std::size_t at = document_.FindKey(found, key);
    if (at == kNoLine) return std::nullopt;
    return std::string(Trim(ValueOf(document_.lines()[at].text)));
  }
  return std::nullopt;
}

Outcome Store::Save(const Scheme& scheme) {
  if (auto problem = SchemeProblem(scheme)) return {Problem::kRefused, *problem};
  return Change([&](Document& document) -> std::optional<std::string> {
    SaveScheme(document, scheme);
    return std::nullopt;
  });
}

Outcome Store::Delete(std::string_view name) {
  return Change([&](Document& document) -> std::optional<std::string> {
    DeleteScheme(document, name);
    return std::nullopt;
  });
}

Outcome Store::SetSetting(std::string_view section, std::string_view key, std::string_view value) {
  if (auto problem = SettingProblem(section, key, value)) return {Problem::kRefused, *problem};
  return Change(
      [&](Document& document) { return EditSetting(document, section, key, Trim(value)); });
}

template <typename Edit>
Outcome Store::Change(Edit edit) {
  // Another copy reads, merges and replaces in the same three steps: one at a time.
  if (Outcome locked = WriteProblem(file_.Lock()); !locked.done()) return locked;
  struct Unlock {
    platform::SettingsFile& file;
    ~Unlock() { file.Unlock(); }
  } unlock{file_};

  if (!Read()) return problem_;
  for (int round = 0; round < kRounds; ++round) {
    Document changed = document_;
    if (auto problem = edit(changed)) return {Problem::kRefused, *problem};
    std::string text = changed.Text();
    if (text == bytes_) return {};
    if (text.size() > platform::kSettingsFileMaxBytes) return {Problem::kWouldGrowTooLarge, {}};

    // A program that is not the add-on (an editor) may have written meanwhile.
    const std::string seen = bytes_;
    const bool seenExists = exists_;
    if (!Read()) return problem_;
    if (bytes_ != seen || exists_ != seenExists) continue;  // changed meanwhile: apply it again

    if (Outcome replaced = WriteProblem(file_.Replace(text)); !replaced.done()) return replaced;
    bytes_ = std::move(text);
    document_ = std::move(changed);
    exists_ = true;
    return {};
  }
  return {Problem::kKeptChanging, {}};
}

}  // namespace vfx::settings
