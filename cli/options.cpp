// The command line, read by CLI11, then checked value by value so that every mistake is named
// with what is accepted, before a byte is written.
#include <CLI/CLI.hpp>
#include <optional>
#include <sstream>

#include "cli/colours.h"
#include "cli/command.h"
#include "formats/presets.h"
#include "text/ascii.h"
#include "version.h"

namespace vfx::cli {
namespace {

constexpr std::string_view kBlendNames[] = {"straight", "even", "vivid"};
constexpr fade::Blend kBlends[] = {fade::Blend::kStraight, fade::Blend::kEven, fade::Blend::kVivid};
constexpr std::size_t kMostColumns = 1 << 20;

// What fades when no colours are asked for: the add-on's rainbow.
constexpr std::string_view kDefaultPreset = "jelly-jar";

constexpr const char* kFooter =
    R"(Input: the TEXT given, else the files named with -f (- is standard input), else
standard input. Lines and --columns write each line as they read it, holding one
line at a time, so a stream of any length works; --whole reads all the input
first.

--color governs the terminal's formats (ansi, ansi256 and the default, which is
ansi when COLORTERM says truecolor or 24bit, else ansi256): auto colours only a
terminal, and a non-empty NO_COLOR means never unless --color=always. The other
formats always write their codes: they are meant for pages, posts and files.

Exit status: 0 done, 1 a file could not be read, 2 a mistake on the command line.)";

// A preset's name as the command line spells it: "Autumn Ember" is autumn-ember.
std::string CommandName(std::string_view name) {
  std::string result;
  for (const char c : name) result += c == ' ' || c == '_' ? '-' : text::AsciiLower(c);
  return result;
}

std::string Joined(const auto& names) {
  std::string list;
  for (const auto& name : names) list += (list.empty() ? "" : ", ") + std::string(name);
  return list;
}

std::string FormatNames() {
  std::vector<std::string_view> names;
  for (const formats::Row& row : formats::Rows()) names.push_back(row.name);
  names.push_back("template");
  return Joined(names);
}

const formats::Preset* FindPreset(std::string_view name) {
  for (const formats::Preset& preset : formats::Presets())
    if (CommandName(preset.name) == CommandName(name)) return &preset;
  return nullptr;
}

void WriteLines(Console& console, const std::string& text) {
  const Written ignored = console.Write(text);
  (void)ignored;  // a closed pipe after a listing leaves nothing more to say
}

std::string PresetList() {
  std::string list;
  for (const formats::Preset& preset : formats::Presets()) {
    std::string line = CommandName(preset.name);
    line.resize(16, ' ');
    line += kBlendNames[static_cast<int>(preset.blend)];
    line.resize(26, ' ');
    for (const fade::Rgb& c : preset.colours)
      (line += " #") += fade::RgbToHex(c.red, c.green, c.blue);
    list += line + "\n";
  }
  return list;
}

std::string FormatList() {
  std::string list;
  for (const formats::Row& row : formats::Rows()) {
    std::string line(row.name);
    line.resize(13, ' ');
    list += line + std::string(row.summary) + "\n";
  }
  return list +
         "template     your own, with --template: " + std::string(formats::Format::kPlaceholders) +
         "\n";
}

struct Raw {
  std::vector<std::string> words, files, colours;
  std::string preset, blend, format, templateText, when = "auto";
  std::optional<long long> random, width;  // as given: a count out of range is named as typed
  bool bold = false, italic = false, underline = false, strike = false, wavy = false;
  bool whole = false, columns = false, listPresets = false, listFormats = false;
};

// The settings from the values read, or the mistake in one line.
std::optional<Settings> Check(const Raw& raw, Console& console, std::string& mistake) {
  Settings settings;
  settings.words = raw.words;
  settings.files = raw.files;
  settings.styles = {raw.bold, raw.italic, raw.underline, raw.strike};
  settings.wavy = raw.wavy;
  settings.mode = raw.whole ? Mode::kWhole : raw.columns ? Mode::kColumns : Mode::kLines;

  const formats::Preset* preset = FindPreset(raw.preset.empty() ? kDefaultPreset : raw.preset);
  if (!preset) {
    std::vector<std::string> names;
    for (const formats::Preset& p : formats::Presets()) names.push_back(CommandName(p.name));
    mistake = "no preset '" + raw.preset + "': the presets are " + Joined(names);
    return std::nullopt;
  }
  settings.blend = preset->blend;
  if (!raw.colours.empty() || raw.random) settings.blend = fade::Blend::kStraight;
  if (!raw.blend.empty()) {
    const auto* found =
        std::find_if(std::begin(kBlendNames), std::end(kBlendNames),
                     [&](std::string_view b) { return text::SameIgnoringCase(b, raw.blend); });
    if (found == std::end(kBlendNames)) {
      mistake = "no blend '" + raw.blend + "': give straight, even or vivid";
      return std::nullopt;
    }
    settings.blend = kBlends[found - std::begin(kBlendNames)];
  }

  if (!raw.colours.empty()) {
    if (raw.colours.size() > fade::kMostStops) {
      mistake = std::to_string(raw.colours.size()) + " colours given: 1 to 10 are faded";
      return std::nullopt;
    }
    for (const std::string& text : raw.colours) {
      const std::optional<fade::Rgb> colour = ParseColour(text);
      if (!colour) {
        mistake = "'" + text + "' is no colour: give " + std::string(kColourForms);
        return std::nullopt;
      }
      settings.stops.push_back(*colour);
    }
  } else if (raw.random) {
    if (*raw.random < 1 || *raw.random > static_cast<long long>(fade::kMostStops)) {
      mistake = "--random " + std::to_string(*raw.random) + ": give 1 to 10 colours";
      return std::nullopt;
    }
    // The add-on's own draw, as its Randomize makes it.
    for (long long k = 0; k < *raw.random; ++k)
      settings.stops.push_back(
          {fade::RandomComponent(), fade::RandomComponent(), fade::RandomComponent()});
  } else {
    settings.stops = preset->colours;
  }

  const bool own = !raw.templateText.empty();
  if (own && !raw.format.empty() && !text::SameIgnoringCase(raw.format, "template")) {
    mistake = "--template writes a format of its own: leave out --format " + raw.format;
    return std::nullopt;
  }
  std::optional<formats::Format> format;
  bool terminal = raw.format.empty() && !own;
  if (own) {
    std::string error;
    format = formats::Format::FromTemplate(raw.templateText, error);
    if (!format) {
      mistake = "--template '" + raw.templateText + "': " + error + "; a template holds " +
                std::string(formats::Format::kPlaceholders);
      return std::nullopt;
    }
  } else if (text::SameIgnoringCase(raw.format, "template")) {
    mistake = "--format template needs --template T";
    return std::nullopt;
  } else if (!raw.format.empty()) {
    format = formats::Format::Named(raw.format);
    if (!format) {
      mistake = "no format '" + raw.format + "': the formats are " + FormatNames();
      return std::nullopt;
    }
    terminal = format->row().terminal;
  }
  if (raw.wavy && !(format && format->IsHost())) {
    mistake = "--wavy is the host's wave: it needs --format host";
    return std::nullopt;
  }

  if (raw.when != "auto" && raw.when != "always" && raw.when != "never") {
    mistake = "--color=" + raw.when + ": give auto, always or never";
    return std::nullopt;
  }
  if (terminal) {
    const std::optional<std::string> noColor = console.Environment("NO_COLOR");
    bool colour = raw.when == "always";
    if (raw.when == "auto")
      colour = !(noColor && !noColor->empty()) && console.OutputIsTerminal() &&
               console.ReadyForColourCodes();
    else if (colour)
      console.ReadyForColourCodes();  // asked for: the codes go out whether it reads them or not
    if (!colour) {
      format.reset();
    } else if (!format) {
      const std::optional<std::string> colorTerm = console.Environment("COLORTERM");
      const bool full = colorTerm && (*colorTerm == "truecolor" || *colorTerm == "24bit");
      format = formats::Format::Named(full ? "ansi" : "ansi256");
    }
  }

  if (raw.width && (*raw.width < 1 || *raw.width > static_cast<long long>(kMostColumns))) {
    mistake =
        "--width " + std::to_string(*raw.width) + ": give 1 to " + std::to_string(kMostColumns);
    return std::nullopt;
  }
  const int terminalWidth = console.OutputIsTerminal() ? console.TerminalWidth() : 0;
  settings.width = raw.width           ? static_cast<std::size_t>(*raw.width)
                   : terminalWidth > 0 ? static_cast<std::size_t>(terminalWidth)
                                       : 80;
  settings.format = std::move(format);
  return settings;
}

}  // namespace

Parsed ParseArguments(std::vector<std::string> arguments, Console& console) {
  CLI::App app{"Fades text through colours, for a terminal, a web page, a forum or a game server.",
               "vfx"};
  // The same command line on every system: a word such as /help is text on Windows too.
  app.allow_windows_style_options(false);
  app.footer(kFooter);
  app.set_version_flag("--version", std::string("vfx ") + VFX_VERSION_TEXT + " (Vontra FX)");
  Raw raw;
  app.add_option("TEXT", raw.words, "Text to fade (the words joined by spaces, as one line)");
  app.add_option("-f,--file", raw.files, "Read this file (- is standard input); repeatable")
      ->type_name("FILE")
      ->allow_extra_args(false)
      ->excludes("TEXT");
  auto* colours = app.add_option("-c,--colours,--colors", raw.colours,
                                 "1 to 10 colours: #RRGGBB, RRGGBB, #RGB or CSS names, "
                                 "comma-separated or repeated")
                      ->type_name("LIST")
                      ->allow_extra_args(false)
                      ->delimiter(',');
  auto* preset = app.add_option("-p,--preset", raw.preset,
                                "One of the add-on's presets (--list-presets); default jelly-jar")
                     ->type_name("NAME")
                     ->excludes(colours);
  app.add_option("-r,--random", raw.random, "N random colours")
      ->type_name("N")
      ->excludes(colours)
      ->excludes(preset);
  app.add_option("-b,--blend", raw.blend,
                 "straight (even RGB steps), even (even steps as the eye sees them) or vivid "
                 "(bright all the way); default the preset's, else straight")
      ->type_name("BLEND");
  app.add_flag("--bold", raw.bold, "Bold");
  app.add_flag("--italic", raw.italic, "Italic");
  app.add_flag("--underline", raw.underline, "Underlined");
  app.add_flag("--strike", raw.strike, "Struck through");
  app.add_flag("--wavy", raw.wavy, "The host's wave of sub- and superscript (--format host only)");
  app.add_option("-F,--format", raw.format, "The output's format (--list-formats)")
      ->type_name("NAME");
  app.add_option("-t,--template", raw.templateText,
                 "A format of your own, e.g. '<font color=\"#{hex}\">{text}</font>'")
      ->type_name("T");
  auto* whole =
      app.add_flag("-w,--whole", raw.whole, "One fade across all the input (reads it all first)");
  app.add_flag("--columns", raw.columns, "One colour per column on every line (ASCII art)")
      ->excludes(whole);
  app.add_option("--width", raw.width,
                 "The columns the --columns fade spans (default the terminal's width, else 80)")
      ->type_name("N");
  app.add_option("--color,--colour", raw.when, "auto, always or never (default auto)")
      ->type_name("WHEN");
  app.add_flag("--list-presets", raw.listPresets, "List the presets and their colours");
  app.add_flag("--list-formats", raw.listFormats, "List the formats");

  std::reverse(arguments.begin(), arguments.end());  // CLI11 takes them last first
  try {
    app.parse(arguments);
  } catch (const CLI::CallForHelp&) {
    WriteLines(console, app.help());
    return {};
  } catch (const CLI::CallForVersion& version) {
    WriteLines(console, std::string(version.what()) + "\n");
    return {};
  } catch (const CLI::ParseError& error) {
    std::string message = error.what();
    std::replace(message.begin(), message.end(), '\n', ' ');
    console.Error("vfx: " + message + " (vfx --help lists the options)");
    return {std::nullopt, kBadUsage};
  }
  if (raw.listPresets || raw.listFormats) {
    WriteLines(console,
               (raw.listFormats ? FormatList() : "") + (raw.listPresets ? PresetList() : ""));
    return {};
  }
  std::string mistake;
  std::optional<Settings> settings = Check(raw, console, mistake);
  if (!settings) {
    console.Error("vfx: " + mistake);
    return {std::nullopt, kBadUsage};
  }
  return {std::move(settings), kSuccess};
}

int Run(std::vector<std::string> arguments, Console& console) {
  const Parsed parsed = ParseArguments(std::move(arguments), console);
  if (!parsed.settings) return parsed.exit;
  return WriteAll(*parsed.settings, console);
}

}  // namespace vfx::cli
