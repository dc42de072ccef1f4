// The command end to end on an in-memory console: outputs worked out by hand from the formats'
// definitions and the fade's (character i of L from start + (end - start) / L * i, halves to
// even), the mistakes that end it with status 2, when a terminal gets colour, and streams.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "cli/command.h"
#include "formats/format.h"

namespace vfx::cli {
namespace {

class TextInput : public Input {
 public:
  explicit TextInput(std::string text) : text_(std::move(text)) {}
  std::optional<std::size_t> Read(char* buffer, std::size_t size, std::string&) override {
    // Short reads, as a pipe gives them, so that lines cross the reads.
    const std::size_t count = std::min({size, text_.size() - at_, std::size_t{7000}});
    std::copy_n(text_.data() + at_, count, buffer);
    at_ += count;
    return count;
  }

 private:
  std::string text_;
  std::size_t at_ = 0;
};

class FakeConsole : public Console {
 public:
  bool terminal = false, vt = true;
  std::map<std::string, std::string> environment, files;
  std::string input, out, err;
  std::size_t readerLeavesAfter = std::string::npos;  // bytes the reader takes before it goes

  bool OutputIsTerminal() override { return terminal; }
  bool ReadyForColourCodes() override { return vt; }
  int TerminalWidth() override { return terminal ? 5 : 0; }
  Written Write(std::string_view bytes) override {
    if (out.size() + bytes.size() > readerLeavesAfter) return Written::kClosed;
    out += bytes;
    return Written::kAll;
  }
  void Error(std::string_view line) override { (err += line) += '\n'; }
  std::optional<std::string> Environment(const char* name) override {
    const auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
  }
  std::unique_ptr<Input> Open(const std::string& path, std::string& problem) override {
    if (path == "-") return std::make_unique<TextInput>(input);
    const auto found = files.find(path);
    if (found == files.end()) {
      problem = "No such file or directory";
      return nullptr;
    }
    return std::make_unique<TextInput>(found->second);
  }

  int Run(std::vector<std::string> arguments) { return cli::Run(std::move(arguments), *this); }
};

TEST(Command, WritesEachFormatAsWorkedOutByHand) {
  struct Case {
    std::vector<std::string> arguments;
    std::string input, want;
  };
  const std::vector<Case> cases = {
      // Red to blue over two characters: (127.5, 0, 127.5) rounds to #800080, then the end.
      {{"-F", "html", "-c", "red,blue", "ab"},
       "",
       "<span style=\"color:#800080\">a</span><span style=\"color:#0000ff\">b</span>\n"},
      {{"-F", "ansi", "--color=always", "-c", "#f00", "-c", "#00F", "--bold", "ab"},
       "",
       "\x1b[1m\x1b[38;2;128;0;128ma\x1b[38;2;0;0;255mb\x1b[0m\n"},
      // One colour: every character in it, one run.
      {{"-F", "bbcode", "--italic", "-c", "FF0000", "a b"},
       "",
       "[i][color=#FF0000]a b[/color][/i]\n"},
      {{"-F", "minimessage", "-c", "#000", "a<b\\"}, "", "<#000000>a\\<b\\\\\n"},
      {{"-F", "ampersand", "--bold", "--strike", "-c", "white", "ab"}, "", "&#FFFFFF&l&mab\n"},
      {{"-F", "legacy", "--underline", "-c", "rebeccapurple", "ab"}, "", "&x&6&6&3&3&9&9&nab\n"},
      {{"-F", "html", "-c", "#123", "<&\"'>"},
       "",
       "<span style=\"color:#112233\">&lt;&amp;&quot;&#39;&gt;</span>\n"},
      {{"-t", "{r},{g},{b}:{bold:*}{text};", "--bold", "-c", "red,blue", "ab"},
       "",
       "128,0,128:*a;0,0,255:*b;\n"},
      // The host's markup: the colour tag per character, the style before it all.
      {{"-F", "host", "--bold", "-c", "red,blue", "ab"},
       "",
       "<B><FONT COLOR=#800080>a<FONT COLOR=#0000FF>b\n"},
      // Lines from standard input, each over its own length; a CR LF stays; the last line has
      // no line break and gets none.
      {{"-F", "bbcode", "-c", "red,blue"},
       "ab\r\nxyz",
       "[color=#800080]a[/color][color=#0000FF]b[/color]\r\n[color=#AA0055]x[/color]"
       "[color=#5500AA]y[/color][color=#0000FF]z[/color]"},
      // One fade across the four characters of both lines: 191.25, 127.5, 63.75, 0.
      {{"-F", "bbcode", "--whole", "-c", "red,blue"},
       "ab\ncd\n",
       "[color=#BF0040]a[/color][color=#800080]b[/color]\n"
       "[color=#4000BF]c[/color][color=#0000FF]d[/color]\n"},
      // Two columns fade; the third keeps the last colour.
      {{"-F", "bbcode", "--columns", "--width", "2", "-c", "red,blue"},
       "ab\nabc\n",
       "[color=#800080]a[/color][color=#0000FF]b[/color]\n"
       "[color=#800080]a[/color][color=#0000FF]bc[/color]\n"},
      // No colour: the text, with U+FFFD for each byte that is not UTF-8.
      {{"--color=never"}, "a\xff\xe2\x82z\n", "a\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbdz\n"},
  };
  for (const Case& c : cases) {
    FakeConsole console;
    console.input = c.input;
    EXPECT_EQ(console.Run(c.arguments), kSuccess) << c.arguments[1];
    EXPECT_EQ(console.out, c.want) << c.arguments[1];
    EXPECT_EQ(console.err, "");
  }
}

TEST(Command, AMistakeEndsWithTwoAndOneLineNamingIt) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> mistakes = {
      {{"-c", "red,nosuch", "x"}, "nosuch"},
      {{"-c", "#12345", "x"}, "#12345"},
      {{"-c", "1,2,3,4,5,6,7,8,9,a,b", "x"}, "11"},
      {{"-p", "sunset", "x"}, "sunset"},
      {{"-F", "rtf", "x"}, "rtf"},
      {{"-b", "smooth", "x"}, "smooth"},
      {{"--color=sometimes", "x"}, "sometimes"},
      {{"--random", "11", "x"}, "11"},
      {{"--random", "0", "x"}, "--random 0"},
      {{"--columns", "--width", "-1", "x"}, "--width -1"},
      {{"--wavy", "-F", "html", "x"}, "--wavy"},
      {{"-t", "{colour}{text}", "x"}, "{colour}"},
      {{"-t", "{text}", "-F", "html", "x"}, "html"},
      {{"-F", "template", "x"}, "--template"},
      {{"--whole", "--columns", "x"}, "--columns"},
      {{"--shout", "x"}, "--shout"},
      {{"-c", "red", "-p", "prism", "x"}, "--preset"},
  };
  for (const auto& [arguments, named] : mistakes) {
    FakeConsole console;
    EXPECT_EQ(console.Run(arguments), kBadUsage) << named;
    EXPECT_EQ(console.out, "") << named;
    EXPECT_EQ(std::count(console.err.begin(), console.err.end(), '\n'), 1) << console.err;
    EXPECT_NE(console.err.find(named), std::string::npos) << console.err;
  }
}

TEST(Command, ColourReachesATerminalAsNoColorAndColorSay) {
  struct Case {
    bool terminal, vt;
    std::map<std::string, std::string> environment;
    std::vector<std::string> arguments;
    std::string starts;  // what the output begins with
  };
  const std::string plain = "ab", truecolour = "\x1b[38;2;", xterm = "\x1b[38;5;";
  const std::vector<Case> cases = {
      {true, true, {}, {}, xterm},
      {true, true, {{"COLORTERM", "truecolor"}}, {}, truecolour},
      {true, true, {{"COLORTERM", "24bit"}}, {"-F", "ansi256"}, xterm},
      {false, true, {{"COLORTERM", "truecolor"}}, {}, plain},
      {true, true, {{"NO_COLOR", "1"}}, {}, plain},
      {true, true, {{"NO_COLOR", ""}}, {}, xterm},
      {false, true, {{"NO_COLOR", "1"}}, {"--color=always"}, xterm},
      {true, true, {}, {"--color=never", "-F", "ansi"}, plain},
      {true, false, {}, {}, plain},  // a console that cannot take the codes
      {false, true, {{"NO_COLOR", "1"}}, {"--color=never", "-F", "html"}, "<span"},
  };
  for (const Case& c : cases) {
    FakeConsole console;
    console.terminal = c.terminal;
    console.vt = c.vt;
    console.environment = c.environment;
    std::vector<std::string> arguments = c.arguments;
    arguments.push_back("ab");
    EXPECT_EQ(console.Run(arguments), kSuccess);
    EXPECT_TRUE(console.out.starts_with(c.starts))
        << testing::PrintToString(c.arguments) << " on a terminal " << c.terminal << ": "
        << testing::PrintToString(console.out);
  }
}

TEST(Command, ReadsFilesAsCatDoes) {
  FakeConsole console;
  console.files = {{"one", "1\n"}, {"two", "2\n"}};
  console.input = "-\n";
  EXPECT_EQ(console.Run({"--color=never", "-f", "one", "-f", "missing", "-f", "-", "-f", "two"}),
            kUnreadable);
  EXPECT_EQ(console.out, "1\n-\n2\n");
  EXPECT_EQ(console.err, "vfx: cannot read 'missing': No such file or directory\n");
}

TEST(Command, StopsQuietlyWhenTheReaderGoes) {
  FakeConsole console;
  std::string lines;
  for (int k = 0; k < 200000; ++k) lines += "a line of the stream\n";
  console.input = lines;
  console.readerLeavesAfter = 1000;
  EXPECT_EQ(console.Run({"-F", "html"}), kUnreadable);
  EXPECT_EQ(console.err, "");
}

TEST(Command, EveryLineIsTheFormatsLineHoweverItIsWritten) {
  // Lines of one length share their codes; a line that needs escaping, is longer than a read,
  // or is not ASCII is written character by character. All must read as the formats' own line.
  std::vector<std::string> lines = {"twelve chars",           "twelve <&>\"'",
                                    "twelve chars",           "tw\xc3\xa9lve chars",
                                    std::string(150000, 'q'), "",
                                    "twelve again",           "x"};
  std::string accents;  // two bytes a character, across the pieces a long line is written in
  for (int k = 0; k < 70001; ++k) accents += k % 3 ? "\xc3\xa9" : "&";
  lines.push_back(accents);
  std::string input;
  for (const std::string& line : lines) input += line + "\n";
  const std::vector<fade::Rgb> stops = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  for (const char* name : {"html", "ansi", "minimessage", "host"}) {
    FakeConsole console;
    console.input = input;
    ASSERT_EQ(console.Run({"-F", name, "--color=always", "--bold", "-c", "red,lime,blue"}),
              kSuccess);
    std::string want;
    const std::optional<formats::Format> format = formats::Format::Named(name);
    for (const std::string& line : lines)
      want +=
          formats::FormatLine(*format, line, stops, fade::Blend::kStraight, {.bold = true}) + "\n";
    EXPECT_TRUE(console.out == want) << name;
  }
}

// An input that, at each read after the first, finds every line it gave before written out.
class FollowedInput : public Input {
 public:
  explicit FollowedInput(const std::string& written) : written_(written) {}
  std::optional<std::size_t> Read(char* buffer, std::size_t size, std::string&) override {
    if (reads_ > 0) {
      EXPECT_EQ(std::count(written_.begin(), written_.end(), '\n'), reads_);
    }
    if (reads_ == 3) return 0;
    ++reads_;
    const std::string line = "line " + std::to_string(reads_) + "\n";
    return line.copy(buffer, size);
  }

 private:
  const std::string& written_;
  long reads_ = 0;
};

TEST(Command, WritesEachLineBeforeItWaitsForTheNext) {
  class Console : public FakeConsole {
   public:
    std::unique_ptr<Input> Open(const std::string&, std::string&) override {
      return std::make_unique<FollowedInput>(out);
    }
  } console;
  EXPECT_EQ(console.Run({"-F", "html"}), kSuccess);
  EXPECT_EQ(std::count(console.out.begin(), console.out.end(), '\n'), 3);
}

TEST(Command, ListsAndVersion) {
  FakeConsole console;
  EXPECT_EQ(console.Run({"--list-presets"}), kSuccess);
  EXPECT_NE(console.out.find("autumn-ember    straight   #5C1408 #D65810 #FFC440\n"),
            std::string::npos);
  EXPECT_EQ(std::count(console.out.begin(), console.out.end(), '\n'), 12);
  console.out.clear();
  EXPECT_EQ(console.Run({"--list-formats"}), kSuccess);
  for (const char* name : {"host", "ansi256", "bbcode", "minimessage", "legacy", "template"})
    EXPECT_NE(("\n" + console.out).find(std::string("\n") + name + " "), std::string::npos) << name;
  console.out.clear();
  EXPECT_EQ(console.Run({"--version"}), kSuccess);
  EXPECT_TRUE(console.out.starts_with("vfx ")) << console.out;
  console.out.clear();
  EXPECT_EQ(console.Run({"--help"}), kSuccess);
  EXPECT_NE(console.out.find("--whole reads all the input"), std::string::npos);
}

}  // namespace
}  // namespace vfx::cli
