// The HTML clipboard format as its description defines it: a header of "Name:value" lines whose
// offsets count bytes from the start of the data, StartHTML and EndHTML around the document,
// StartFragment just past "<!--StartFragment-->" and EndFragment at "<!--EndFragment-->".
#include "platform/clipboard.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vfx::platform {
namespace {

// The header's values, read as a program that pastes would read them.
std::map<std::string, std::string> Header(const std::string& data) {
  std::map<std::string, std::string> values;
  std::size_t at = 0;
  while (at < data.size() && data[at] != '<') {
    const std::size_t end = data.find("\r\n", at);
    const std::string line = data.substr(at, end - at);
    const std::size_t colon = line.find(':');
    values[line.substr(0, colon)] = line.substr(colon + 1);
    at = end + 2;
  }
  return values;
}

TEST(HtmlClipboardData, TheOffsetsPointAtTheDocumentAndTheFragmentExactly) {
  // A fragment with characters of two, three and four bytes, as a faded line holds them.
  for (const std::string& fragment :
       {std::string(),
        std::string("<span style=\"color:#ff0000\">\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80</span>"),
        std::string(5000, 'x')}) {
    const std::string data = HtmlClipboardData(fragment);
    const auto header = Header(data);
    ASSERT_EQ(header.at("Version"), "0.9");
    for (const char* name : {"StartHTML", "EndHTML", "StartFragment", "EndFragment"})
      EXPECT_EQ(header.at(name).size(), 10u) << name;
    const std::size_t startHtml = std::stoul(header.at("StartHTML"));
    const std::size_t endHtml = std::stoul(header.at("EndHTML"));
    const std::size_t startFragment = std::stoul(header.at("StartFragment"));
    const std::size_t endFragment = std::stoul(header.at("EndFragment"));
    EXPECT_EQ(data.substr(startHtml, 6), "<html>");
    EXPECT_EQ(endHtml, data.size());
    EXPECT_EQ(data.substr(startFragment, endFragment - startFragment), fragment);
    EXPECT_TRUE(data.substr(0, startFragment).ends_with("<!--StartFragment-->"));
    EXPECT_TRUE(data.substr(endFragment).starts_with("<!--EndFragment-->"));
  }
}

}  // namespace
}  // namespace vfx::platform
