// Fuzzes vontrafx.ini: any bytes parse and write back unchanged; a file that is not UTF-8 text is
// never written; a saved scheme is found again, saving it twice changes nothing, and the other
// schemes and settings stay as they were through a save and a delete.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/document.h"
#include "settings/schemes.h"
#include "settings/store.h"
#include "text/utf8.h"

namespace {

using namespace vfx::settings;

void Require(bool condition) {
  if (!condition) std::abort();
}

class MemoryFile : public vfx::platform::SettingsFile {
 public:
  std::string bytes;
  int replaces = 0;
  std::string Location() override { return "vontrafx.ini"; }
  vfx::platform::SettingsFileRead Read() override {
    return {vfx::platform::SettingsFileRead::Kind::kRead, bytes, {}};
  }
  vfx::platform::SettingsFileWrite Lock() override { return Done(); }
  void Unlock() override {}
  vfx::platform::SettingsFileWrite Replace(std::string_view newBytes) override {
    bytes = newBytes;
    ++replaces;
    return Done();
  }

 private:
  static vfx::platform::SettingsFileWrite Done() {
    return {vfx::platform::SettingsFileWrite::Kind::kDone, {}};
  }
};

std::vector<Scheme> Others(const std::vector<Scheme>& schemes, std::string_view name) {
  std::vector<Scheme> others;
  for (const Scheme& scheme : schemes)
    if (scheme.name != name) others.push_back(scheme);
  return others;
}

// A scheme made of the input's first bytes: a name of up to 12 of them, when they make one.
Scheme SchemeFrom(std::string_view bytes) {
  Scheme scheme{std::string(bytes.substr(0, 12)), {}, SchemeBlend::kVivid};
  if (SchemeProblem(Scheme{scheme.name, {{0, 0, 0}}})) scheme.name = "Fuzz = ]";
  const std::size_t count = bytes.empty() ? 1 : 1 + static_cast<unsigned char>(bytes[0]) % 10;
  for (std::size_t k = 0; k < count; ++k) {
    const auto at = [&](std::size_t i) {
      return bytes.empty() ? 7 : static_cast<unsigned char>(bytes[(3 * k + i) % bytes.size()]);
    };
    scheme.colours.push_back({at(0), at(1), at(2)});
  }
  return scheme;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Document document = Document::Parse(bytes);
  Require(document.Text() == bytes);
  const std::vector<Scheme> before = ListSchemes(document);

  MemoryFile file;
  file.bytes = bytes;
  Store store(file);
  store.Load();
  const Scheme scheme = SchemeFrom(bytes);
  const bool saved = store.Save(scheme).done();
  if (!vfx::text::IsUtf8Text(bytes)) {
    Require(!store.readable() && !saved && file.replaces == 0 && file.bytes == bytes);
    return 0;
  }
  Require(store.readable());
  if (!saved) {  // only a file near the size limit refuses to grow
    Require(bytes.size() + 256 > vfx::platform::kSettingsFileMaxBytes && file.bytes == bytes);
    return 0;
  }
  const Document after = Document::Parse(file.bytes);
  Require(FindScheme(after, scheme.name) == scheme);
  Require(Others(ListSchemes(after), scheme.name) == Others(before, scheme.name));
  const std::string once = file.bytes;
  Require(store.Save(scheme).done() && file.bytes == once);

  const auto setting = store.Setting("Vontra FX", "FadeKey");
  Require(store.Delete(scheme.name).done());
  const Document deleted = Document::Parse(file.bytes);
  Require(!FindScheme(deleted, scheme.name));
  Require(ListSchemes(deleted) == Others(before, scheme.name));
  Store reread(file);
  reread.Load();
  Require(reread.Setting("Vontra FX", "FadeKey") == setting);
  return 0;
}
