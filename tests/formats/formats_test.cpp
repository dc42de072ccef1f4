// Every format read back by a reader of its place's own notation (readers.h): the text that
// comes back is the line, each character in BlendColour's colour at its place in its segment
// and in the chosen styles, with one colour code per run of equal colour. The host's format is
// the add-on's Send, byte for byte.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "composer/compose.h"
#include "formats/format.h"
#include "tests/formats/readers.h"

namespace vfx::formats {
namespace {

using fade::Blend;
using fade::Rgb;
using reading::Reading;

bool Same(const Rgb& a, const Rgb& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

bool Same(const Styles& a, const Styles& b) {
  return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
         a.strike == b.strike;
}

// xterm's nearest colour the long way: every one of 16 to 255, the lowest on a tie.
int NearestByEveryColour(const Rgb& c) {
  int best = 16, bestDistance = 1 << 30;
  for (int n = 16; n < 256; ++n) {
    const Rgb x = reading::XtermColour(n);
    const int d = (c.red - x.red) * (c.red - x.red) + (c.green - x.green) * (c.green - x.green) +
                  (c.blue - x.blue) * (c.blue - x.blue);
    if (d < bestDistance) best = n, bestDistance = d;
  }
  return best;
}

struct Line {
  std::string bytes, text;  // the line, and the text a reader must find in it
};

const std::vector<Line>& Lines() {
  static const std::vector<Line> kLines = {
      {"Hello, world!", "Hello, world!"},
      {"h\u00e9llo w\u00f6rld \u2014 \u2713 \U0001F600",
       "h\u00e9llo w\u00f6rld \u2014 \u2713 \U0001F600"},
      {"<script>alert(\"x\" & 'y')</script> a\\<b \\\\",
       "<script>alert(\"x\" & 'y')</script> a\\<b \\\\"},
      // A byte that starts nothing, a truncated sequence, an encoded surrogate: one U+FFFD each.
      {"\xff\xc3(ok\xed\xa0\x80", "\uFFFD\uFFFD(ok\uFFFD\uFFFD\uFFFD"},
      {"x", "x"},
  };
  return kLines;
}

const std::vector<std::vector<Rgb>>& StopSets() {
  static const std::vector<std::vector<Rgb>> kStops = {
      {{200, 40, 90}},
      {{255, 0, 0}, {0, 0, 255}},
      {{0, 0, 0}, {255, 255, 255}, {0, 128, 64}},
      {{10, 20, 30},
       {250, 240, 5},
       {128, 0, 255},
       {0, 255, 128},
       {99, 99, 99},
       {255, 255, 255},
       {0, 0, 0},
       {17, 200, 170},
       {201, 14, 88},
       {64, 64, 250}},
  };
  return kStops;
}

using Reader = std::function<std::optional<Reading>(std::string_view)>;

// Reads every line over every stop set, blend and a few style choices back, and checks text,
// colours, styles and the count of colour codes. `shown` maps a colour to what the place can
// show of it (xterm's nearest for the 256 colours).
void ExpectReadBack(
    const Format& format, const Reader& read,
    const std::function<Rgb(const Rgb&)>& shown = [](const Rgb& c) { return c; }) {
  const Styles styleChoices[] = {{}, {true, true, true, true}, {.italic = true}};
  for (const Line& line : Lines()) {
    for (const std::vector<Rgb>& stops : StopSets()) {
      for (const Blend blend : {Blend::kStraight, Blend::kEven, Blend::kVivid}) {
        for (const Styles& styles : styleChoices) {
          const std::string written = FormatLine(format, line.bytes, stops, blend, styles);
          const std::optional<Reading> readBack = read(written);
          ASSERT_TRUE(readBack) << format.row().name << " unreadable: " << written;
          EXPECT_EQ(readBack->text(), line.text) << written;
          const std::vector<Rgb> want = reading::SendColours(readBack->cells.size(), stops, blend);
          std::size_t runs = 0;
          for (std::size_t k = 0; k < readBack->cells.size(); ++k) {
            const Rgb colour = shown(want[k]);
            if (k == 0 || !Same(colour, shown(want[k - 1]))) ++runs;
            EXPECT_TRUE(Same(readBack->cells[k].colour, colour))
                << format.row().name << ": character " << k << " of " << written;
            EXPECT_TRUE(Same(readBack->cells[k].styles, styles)) << written;
          }
          EXPECT_EQ(readBack->colourCodes, runs) << written;
        }
      }
    }
  }
}

Format Named(std::string_view name) {
  std::optional<Format> format = Format::Named(name);
  EXPECT_TRUE(format) << name;
  return *format;
}

TEST(Formats, AnsiReadsBackAsTheFadeInTwentyFourBitColour) {
  ExpectReadBack(Named("ansi"), reading::ReadSgr);
}

TEST(Formats, Ansi256ReadsBackAsXtermsNearestColours) {
  ExpectReadBack(Named("ANSI256"), reading::ReadSgr,
                 [](const Rgb& c) { return reading::XtermColour(NearestByEveryColour(c)); });
}

TEST(Formats, HtmlReadsBackWithTheTextEscapedSafeInAnyPage) {
  ExpectReadBack(Named("html"), reading::ReadHtml);
  const std::string page =
      FormatLine(Named("html"), "<script>", {{{1, 2, 3}}}, Blend::kStraight, {});
  EXPECT_EQ(page.find("<script"), std::string::npos) << page;
}

TEST(Formats, BbcodeMiniMessageAndTheServersCodesReadBack) {
  ExpectReadBack(Named("bbcode"), reading::ReadBbcode);
  ExpectReadBack(Named("minimessage"), reading::ReadMiniMessage);
  ExpectReadBack(Named("ampersand"),
                 [](std::string_view b) { return reading::ReadAmpersand(b, false); });
  ExpectReadBack(Named("legacy"),
                 [](std::string_view b) { return reading::ReadAmpersand(b, true); });
}

TEST(Formats, AUsersTemplateReadsBackAndItsMistakesAreNamed) {
  std::string error;
  const std::optional<Format> own = Format::FromTemplate(
      "[color=#{HEX}]{bold:[b]}{italic:[i]}{underline:[u]}{strike:[s]}"
      "{text}{strike:[/s]}{underline:[/u]}{italic:[/i]}{bold:[/b]}[/color]",
      error);
  ASSERT_TRUE(own) << error;
  ExpectReadBack(*own, reading::ReadBbcode);

  const std::optional<Format> braces = Format::FromTemplate("{{{r},{g},{b}}}:{text}", error);
  ASSERT_TRUE(braces) << error;
  EXPECT_EQ(FormatLine(*braces, "ab", {{{255, 0, 0}, {0, 0, 255}}}, Blend::kStraight, {}),
            "{128,0,128}:a{0,0,255}:b");

  for (const char* wrong : {"{text}{colour}", "#{hex}", "{text}{text}", "{hex}}{text}",
                            "{text}{hex", "{styles}{text}", "{bold}{text}"}) {
    error.clear();
    EXPECT_FALSE(Format::FromTemplate(wrong, error)) << wrong;
    EXPECT_FALSE(error.empty()) << wrong;
  }
}

TEST(Formats, HostIsTheSendsMessageByteForByte) {
  const Format host = Named("host");
  const composer::Styles composerStyles[] = {
      {}, {true, false, true, false}, {true, true, true, true}};
  const Styles ours[] = {{}, {true, false, true, false}, {true, true, true, true}};
  for (const Line& line : Lines()) {
    if (line.bytes != line.text) continue;  // the Send gets UTF-8 from its own box
    for (const std::vector<Rgb>& stops : StopSets()) {
      std::array<Rgb, 10> colours{};
      std::copy(stops.begin(), stops.end(), colours.begin());
      for (const Blend blend : {Blend::kStraight, Blend::kEven, Blend::kVivid}) {
        for (const bool wavy : {false, true}) {
          for (int s = 0; s < 3; ++s) {
            EXPECT_EQ(FormatLine(host, line.bytes, stops, blend, ours[s], wavy),
                      composer::StylePrefix(composerStyles[s]) +
                          composer::ComposeBody(line.bytes, static_cast<int>(stops.size()), colours,
                                                wavy, blend));
          }
        }
      }
    }
  }
}

TEST(Formats, TheHostsRowWritesTheFadesOwnTagsAndWave) {
  // One segment and no pad: the writer's tags over BlendColour are FadeWavy's markup.
  const std::string line = "wave of nine";
  std::vector<Rgb> colours(line.size());
  FadeColours(line.size(), std::vector<Rgb>{{10, 200, 30}, {250, 5, 90}}, Blend::kStraight, 0,
              colours);
  const Format host = Named("host");
  Writer writer(host, {}, true);
  std::string out(writer.MostBytes(line.size(), line.size()), '\0');
  out.resize(writer.Put(out.data(), line, colours) - out.data());
  EXPECT_EQ(out, fade::FadeWavy(line, 10, 200, 30, 250, 5, 90, ""));
}

TEST(Formats, ColoursPastTheLineAndFromWithinIt) {
  const std::vector<Rgb> stops = {{0, 0, 0}, {90, 90, 90}, {255, 0, 0}};
  const std::vector<Rgb> whole = reading::SendColours(7, stops, Blend::kVivid);
  std::vector<Rgb> part(6);
  FadeColours(7, stops, Blend::kVivid, 3, part);  // characters 3 to 8 of 7
  for (std::size_t k = 0; k < 4; ++k) EXPECT_TRUE(Same(part[k], whole[3 + k])) << k;
  EXPECT_TRUE(Same(part[4], {255, 0, 0}));
  EXPECT_TRUE(Same(part[5], {255, 0, 0}));
}

TEST(Formats, NearestXtermIsTheNearestOfTheCubeAndTheGreys) {
  for (int r = 0; r < 256; r += 5)
    for (int g = 0; g < 256; g += 5)
      for (int b = 0; b < 256; b += 5)
        ASSERT_EQ(NearestXterm({r, g, b}), NearestByEveryColour({r, g, b}))
            << r << " " << g << " " << b;
  // Ties between two cube levels and between the cube and a grey.
  for (const Rgb c : std::vector<Rgb>{{115, 115, 115}, {47, 48, 155}, {235, 195, 0}, {13, 13, 13}})
    EXPECT_EQ(NearestXterm(c), NearestByEveryColour(c)) << c.red << " " << c.green << " " << c.blue;
}

}  // namespace
}  // namespace vfx::formats
