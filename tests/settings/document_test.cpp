// The document and its schemes: what is not the edit's stays byte for byte.
#include "settings/document.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/schemes.h"

namespace vfx::settings {
namespace {

std::string Saved(std::string_view bytes, const Scheme& scheme) {
  Document document = Document::Parse(bytes);
  SaveScheme(document, scheme);
  return document.Text();
}

std::string Deleted(std::string_view bytes, std::string_view name) {
  Document document = Document::Parse(bytes);
  DeleteScheme(document, name);
  return document.Text();
}

const Scheme kSunset{"Sunset", {{255, 128, 0}, {192, 64, 128}, {32, 64, 192}}, SchemeBlend::kEven};

TEST(Document, WritesBackWhatItReadByteForByte) {
  for (std::string_view bytes : {
           "",
           "\r\n",
           "\xEF\xBB\xBF; made by hand\r\n\r\n[Vontra FX]\r\nFadeKey = F8 \r\n",
           "[Saved Colours]\nName=A\nCount=1\nColours=000000",  // no final line ending
           "mixed\r\nendings\nand a lone \r inside\r\n\n\n",
           "ends in a carriage return\r",
           "# hash comment\n[Other]\nodd line without equals\n[ Saved colours ]\nx=y\n",
       })
    EXPECT_EQ(Document::Parse(bytes).Text(), bytes);
}

TEST(Document, ANewSchemeIsAppendedInTheFilesLineEndingsAndTheRestStays) {
  // CRLF, with a byte order mark, a comment, an unknown key and section.
  EXPECT_EQ(
      Saved("\xEF\xBB\xBF; mine\r\n[Vontra FX]\r\nFadeKey=F8\r\n\r\n[Later]\r\nx=1\r\n", kSunset),
      "\xEF\xBB\xBF; mine\r\n[Vontra FX]\r\nFadeKey=F8\r\n\r\n[Later]\r\nx=1\r\n\r\n"
      "[Saved Colours]\r\nName=Sunset\r\nCount=3\r\nBlend=Even\r\n"
      "Colours=FF8000 C04080 2040C0\r\n");
  // LF, and a last line without an ending, which must get one before the new lines.
  EXPECT_EQ(Saved("# a\n[Vontra FX]\nFadeKey=F8", kSunset),
            "# a\n[Vontra FX]\nFadeKey=F8\n\n[Saved Colours]\nName=Sunset\nCount=3\n"
            "Blend=Even\nColours=FF8000 C04080 2040C0\n");
  // A single line without any ending: nothing to follow, so CRLF.
  EXPECT_EQ(Saved("; only", Scheme{"x", {{0, 0, 1}}}),
            "; only\r\n\r\n[Saved Colours]\r\nName=x\r\nCount=1\r\nBlend=Straight\r\n"
            "Colours=000001\r\n");
  // A carriage return at the very end was the last line's ending all along.
  EXPECT_EQ(Saved("a\nb\r", Scheme{"x", {{0, 0, 1}}}),
            "a\nb\r\n\n[Saved Colours]\nName=x\nCount=1\nBlend=Straight\nColours=000001\n");
  EXPECT_EQ(Saved("", Scheme{"x", {{0, 0, 1}}}),
            "[Saved Colours]\r\nName=x\r\nCount=1\r\nBlend=Straight\r\nColours=000001\r\n");
}

TEST(Document, ReplacingASchemeChangesOnlyItsKnownKeysInPlace) {
  const std::string before =
      "[Saved Colours]\r\nName=Sunset\r\n; mine\r\ncount = 2\r\nTag=keep\r\n"
      "colours= ff8000 c04080\r\n\r\n[Saved Colours]\r\nName=Other\r\nCount=1\r\n"
      "Colours=000000\r\n";
  EXPECT_EQ(Saved(before, kSunset),
            "[Saved Colours]\r\nName=Sunset\r\n; mine\r\ncount = 3\r\nTag=keep\r\n"
            "colours= FF8000 C04080 2040C0\r\nBlend=Even\r\n\r\n[Saved Colours]\r\nName=Other\r\n"
            "Count=1\r\nColours=000000\r\n");
  // The same colours again: nothing to change, lower-case digits and all.
  Scheme same{"Sunset", {{255, 128, 0}, {192, 64, 128}}};
  EXPECT_EQ(Saved(before, same), before);
}

TEST(Document, DeletingRemovesThatSchemeAndNothingElse) {
  const std::string file =
      "; top\n\n[Saved Colours]\nName=A\nCount=1\nColours=000000\n; about B\n\n"
      "[Saved Colours]\nName=B\nCount=1\nColours=111111\n\n[Vontra FX]\nFadeKey=F8\n";
  EXPECT_EQ(Deleted(file, "A"),
            "; top\n; about B\n\n[Saved Colours]\nName=B\nCount=1\nColours=111111\n\n"
            "[Vontra FX]\nFadeKey=F8\n");
  EXPECT_EQ(Deleted(file, "B"),
            "; top\n\n[Saved Colours]\nName=A\nCount=1\nColours=000000\n; about B\n\n"
            "[Vontra FX]\nFadeKey=F8\n");
  EXPECT_EQ(Deleted(file, "a"), file);  // names are exact
  // Saved then deleted: as it was.
  const std::string plain = "[Vontra FX]\r\nFadeKey=F8\r\n";
  EXPECT_EQ(Deleted(Saved(plain, kSunset), "Sunset"), plain);
  EXPECT_EQ(Deleted(Saved("", kSunset), "Sunset"), "");
}

TEST(Schemes, AnyNameOfOneLineIsSavedAndFoundAgain) {
  std::string file;
  const std::vector<std::string> names = {
      "Sunset = warm ] \xC3\xBC\xC3\xAF"
      "code",
      "[x]", "=", " spaced ", "\xE6\x97\xA5\xE6\x9C\xAC"};
  for (const std::string& name : names) file = Saved(file, Scheme{name, {{1, 2, 3}}});
  const Document document = Document::Parse(file);
  const std::vector<Scheme> listed = ListSchemes(document);
  ASSERT_EQ(listed.size(), names.size());
  for (std::size_t k = 0; k < names.size(); ++k) EXPECT_EQ(listed[k].name, names[k]);
  EXPECT_NE(file.find("Name=Sunset = warm ] \xC3\xBC\xC3\xAF"
                      "code\r\n"),
            std::string::npos);
  EXPECT_FALSE(FindScheme(document, "spaced").has_value());
  EXPECT_EQ(FindScheme(document, "=")->colours[0].blue, 3);
}

TEST(Schemes, AMalformedSectionIsNotOfferedAndStaysAsItWas) {
  const std::string good =
      "[Saved Colours]\nName=Good\nCount=2\nBlend=vivid\nColours=0a0B0c FFFFFF\n";
  for (std::string_view bad : {
           "[Saved Colours]\nName=Bad\nCount=0\nColours=\n",
           "[Saved Colours]\nName=Bad\nCount=11\nColours=000000\n",
           "[Saved Colours]\nName=Bad\nCount=1\nColours=00000G\n",
           "[Saved Colours]\nName=Bad\nCount=2\nColours=000000\n",
           "[Saved Colours]\nName=Bad\nCount=1\nBlend=Wobbly\nColours=000000\n",
           "[Saved Colours]\nName=\nCount=1\nColours=000000\n",
           // A file cut short inside its last scheme.
           "[Saved Colours]\nName=Bad\nCount=2\nColours=000000 1234",
           "[Saved Colours]\nName=Bad\nCount=2\nCol",
           "[Saved Colours]\nName=Ba",
       }) {
    const std::string file = good + std::string(bad);
    const std::vector<Scheme> listed = ListSchemes(Document::Parse(file));
    ASSERT_EQ(listed.size(), 1u) << bad;
    EXPECT_EQ(listed[0], (Scheme{"Good", {{10, 11, 12}, {255, 255, 255}}, SchemeBlend::kVivid}));
    // Saving or deleting a scheme of the same name leaves the broken section alone.
    const std::string saved = Saved(file, Scheme{"Bad", {{1, 1, 1}}});
    const std::string kept = file.ends_with('\n') ? file : file + "\n";
    EXPECT_EQ(saved.substr(0, kept.size()), kept) << bad;
    EXPECT_EQ(Deleted(file, "Bad"), file);
  }
}

TEST(Schemes, WhatWouldBreakTheFileIsNotSaved) {
  EXPECT_FALSE(SchemeProblem(Scheme{"ten", std::vector<fade::Rgb>(10)}).has_value());
  for (const Scheme& bad : {Scheme{"", {{0, 0, 0}}}, Scheme{"two\nlines", {{0, 0, 0}}},
                            Scheme{"cr\r", {{0, 0, 0}}}, Scheme{"latin \xFC", {{0, 0, 0}}},
                            Scheme{"none", {}}, Scheme{"eleven", std::vector<fade::Rgb>(11)},
                            Scheme{"range", {{0, 256, 0}}}, Scheme{"range", {{-1, 0, 0}}}})
    EXPECT_TRUE(SchemeProblem(bad).has_value()) << bad.name;
}

}  // namespace
}  // namespace vfx::settings
