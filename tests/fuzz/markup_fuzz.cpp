// Fuzzes the markup parser: any line parses into non-empty runs that differ
// from their neighbours, and a faded line shows exactly its text, one colour per character.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fade/fade.h"
#include "markup/markup.h"
#include "text/utf8.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string Joined(const std::vector<vfx::markup::Run>& runs) {
  std::string text;
  for (const auto& run : runs) text += run.text;
  return text;
}

void CheckRuns(const std::vector<vfx::markup::Run>& runs, std::size_t lineSize) {
  for (std::size_t k = 0; k < runs.size(); ++k) {
    Require(!runs[k].text.empty());
    if (k > 0) Require(!(runs[k].style == runs[k - 1].style));
  }
  Require(Joined(runs).size() <= lineSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  CheckRuns(vfx::markup::ParseMarkup(line), line.size());

  // The same bytes as text, faded: markup characters taken out, since a member who types "<B>"
  // sends a tag.
  std::string text;
  for (char c : line)
    if (c != '<' && c != '>') text.push_back(c);
  const std::string faded =
      size > 0 ? vfx::fade::FadeWavy(text, data[0], 0, 255, 255, data[size - 1], 0, "<B>")
               : std::string();
  const auto runs = vfx::markup::ParseMarkup(faded);
  CheckRuns(runs, faded.size());
  Require(Joined(runs) == text);
  for (const auto& run : runs) Require(run.style.colour.has_value() && run.style.bold);
  return 0;
}
