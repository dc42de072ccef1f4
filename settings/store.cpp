#include "settings/store.h"

#include "text/utf8.h"

namespace vfx::settings {
namespace {

using Kind = platform::SettingsFileRead::Kind;

// Another copy of the add-on saving at the same moment needs one more round, rarely two; a file
// that changes on every read is being rewritten by something else, and is left to it.
constexpr int kRounds = 4;

std::string Named(std::string_view what) {
  return std::string(kFileName) + " " + std::string(what);
}

std::string ReadProblem(const platform::SettingsFileRead& read) {
  switch (read.kind) {
    case Kind::kFolder:
      return Named("is a folder");
    case Kind::kTooLarge:
      return Named("is larger than 1 MiB");
    case Kind::kDenied:
      return Named("cannot be opened: access denied");
    case Kind::kFailed:
      return Named("cannot be read: " + read.detail);
    default:
      return text::IsUtf8Text(read.bytes) ? std::string() : Named("is not UTF-8 text");
  }
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
  readable_ = problem_.empty();
  exists_ = read.kind != Kind::kMissing;
  bytes_ = readable_ ? read.bytes : std::string();
  document_ = Document::Parse(bytes_);
  return readable_;
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
  if (auto problem = SchemeProblem(scheme)) return {false, *problem};
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
  if (auto problem = SettingProblem(section, key, value)) return {false, *problem};
  return Change(
      [&](Document& document) { return EditSetting(document, section, key, Trim(value)); });
}

template <typename Edit>
Outcome Store::Change(Edit edit) {
  if (!Read()) return {false, problem_};
  for (int round = 0; round < kRounds; ++round) {
    Document changed = document_;
    if (auto problem = edit(changed)) return {false, *problem};
    std::string text = changed.Text();
    if (text == bytes_) return {true, {}};
    if (text.size() > platform::kSettingsFileMaxBytes)
      return {false, Named("would grow larger than 1 MiB")};

    const std::string seen = bytes_;
    const bool seenExists = exists_;
    if (!Read()) return {false, problem_};
    if (bytes_ != seen || exists_ != seenExists) continue;  // changed meanwhile: apply it again

    const platform::SettingsFileReplace replaced = file_.Replace(text);
    if (!replaced.done) return {false, Named("was not saved: " + replaced.reason)};
    bytes_ = std::move(text);
    document_ = std::move(changed);
    exists_ = true;
    return {true, {}};
  }
  return {false, Named("kept changing while it was saved; try again")};
}

}  // namespace vfx::settings
