// The input, line by line, into the format. Lines and columns are written as they are read, so
// the command holds one line (and its output) at a time whatever the stream's length; --whole
// reads everything first, since the fade's length is the whole text's.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "text/utf8.h"

namespace vfx::cli {
namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kOutputBuffer = 1 << 18;
// The characters a line is coloured and written by at a time.
constexpr std::size_t kPiece = 1 << 16;

// Standard output through a buffer that grows only for a line longer than it.
class Output {
 public:
  explicit Output(Console& console) : console_(console), buffer_(kOutputBuffer) {}

  // Room for `bytes` more bytes at the returned place; Commit says where they ended.
  char* Room(std::size_t bytes) {
    if (used_ + bytes > buffer_.size()) {
      Flush();
      if (bytes > buffer_.size()) buffer_.resize(bytes);
    }
    return buffer_.data() + used_;
  }
  void Commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }
  void Put(std::string_view bytes) {
    if (bytes.empty()) return;  // its data may be null, which memcpy may not take
    char* at = Room(bytes.size());
    std::memcpy(at, bytes.data(), bytes.size());
    Commit(at + bytes.size());
  }

  void Flush() {
    if (used_ > 0 && !closed_) closed_ = console_.Write({buffer_.data(), used_}) != Written::kAll;
    used_ = 0;
  }
  // The reader went away, or the output failed: nothing more is worth writing.
  bool closed() const { return closed_; }

 private:
  Console& console_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  bool closed_ = false;
};

// A line without its line break ("\n", or "\r\n", kept apart to be written back).
struct Line {
  std::string_view text, lineBreak;
};

// The line from `start` to the '\n' at `newline`.
Line LineTo(const char* start, const char* newline) {
  const auto length = static_cast<std::size_t>(newline - start);
  const bool carriage = length > 0 && newline[-1] == '\r';
  return {{start, length - (carriage ? 1 : 0)}, carriage ? "\r\n" : "\n"};
}

// An input's lines.
class LineReader {
 public:
  // `waiting` runs before every read, which may wait for more input: what was read so far gets
  // out first (a log followed with tail -f shows each line as it comes).
  LineReader(Input& input, std::function<void()> waiting)
      : input_(input), waiting_(std::move(waiting)), buffer_(kChunk) {}

  // The next line; nothing at the end, or on a read error (then `problem` says why).
  std::optional<Line> Next(std::string& problem) {
    for (;;) {
      const char* start = buffer_.data() + begin_;
      // Only what came since the last look: a long line is searched once, not once a read.
      const void* newline = std::memchr(buffer_.data() + searched_, '\n', end_ - searched_);
      if (newline) {
        const auto* at = static_cast<const char*>(newline);
        begin_ = searched_ = static_cast<std::size_t>(at + 1 - buffer_.data());
        return LineTo(start, at);
      }
      searched_ = end_;
      if (ended_) {
        if (begin_ == end_) return std::nullopt;
        const Line last{{start, end_ - begin_}, {}};
        begin_ = end_;
        return last;
      }
      // Keep the line begun and read on; the buffer grows only for a line longer than it.
      if (begin_ > 0) {
        std::memmove(buffer_.data(), start, end_ - begin_);
        end_ -= begin_;
        searched_ -= begin_;
        begin_ = 0;
      }
      if (buffer_.size() - end_ < kChunk)
        buffer_.resize(std::max(buffer_.size() * 2, end_ + kChunk));
      waiting_();
      const std::optional<std::size_t> read = input_.Read(buffer_.data() + end_, kChunk, problem);
      if (!read) return std::nullopt;
      if (*read == 0) ended_ = true;
      end_ += *read;
    }
  }

 private:
  Input& input_;
  std::function<void()> waiting_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  std::size_t searched_ = 0;  // no line break before it since begin_
  bool ended_ = false;
};

// In lines and columns modes a line's colours, and so its codes, follow from its length alone:
// a line of ASCII text that needs no escaping copies the codes of the last line of its length
// whole and puts its characters into their places, which makes writing most lines of a text a
// copy. Lines up to kShapedLength characters are kept, up to kShapeBytes of codes in all.
class Shapes {
 public:
  static constexpr std::size_t kShapedLength = 1024, kShapeBytes = 16 << 20;

  explicit Shapes(const formats::Format& format) {
    for (int c = 0; c < 0x80; ++c) plain_[c] = c != kPlaceholder;
    const std::string_view escaped = format.row().escape == formats::Escape::kHtml ? "&<>\"'"
                                     : format.row().escape == formats::Escape::kMiniMessage ? "<\\"
                                                                                            : "";
    for (const char c : escaped) plain_[static_cast<unsigned char>(c)] = false;
  }

  // Writes the line from its length's shape, made by `write` when there is none; false when
  // the line does not fit a shape (then nothing is written).
  template <typename Write>
  bool Put(Output& output, std::string_view line, const Write& write) {
    if (line.empty() || line.size() > kShapedLength) return false;
    unsigned char all = 1;
    for (const char c : line) all &= plain_[static_cast<unsigned char>(c)];
    if (!all) return false;
    if (shapes_.size() <= line.size()) shapes_.resize(line.size() + 1);
    Shape& shape = shapes_[line.size()];
    if (shape.bytes.empty() && !Make(shape, line.size(), write)) return false;
    char* out = output.Room(shape.bytes.size());
    std::memcpy(out, shape.bytes.data(), shape.bytes.size());
    for (std::size_t k = 0; k < line.size(); ++k) out[shape.places[k]] = line[k];
    output.Commit(out + shape.bytes.size());
    return true;
  }

 private:
  // A byte no code holds, as the shape finds out: it stands for each character while the shape is
  // written, and is then looked for.
  static constexpr char kPlaceholder = '\x01';

  struct Shape {
    std::string bytes;
    std::vector<std::uint32_t> places;
  };

  template <typename Write>
  bool Make(Shape& shape, std::size_t length, const Write& write) {
    std::string bytes = write(std::string(length, kPlaceholder));
    if (kept_ + bytes.size() > kShapeBytes) return false;
    std::vector<std::uint32_t> places;
    for (std::size_t at = 0; at < bytes.size(); ++at)
      if (bytes[at] == kPlaceholder) places.push_back(static_cast<std::uint32_t>(at));
    if (places.size() != length) return false;  // a code of the user's own holds the byte
    kept_ += bytes.size();
    shape = {std::move(bytes), std::move(places)};
    return true;
  }

  bool plain_[256] = {};
  std::vector<Shape> shapes_;
  std::size_t kept_ = 0;
};

// Writes lines in the settings' format; each line's colours come from the caller.
class LineWriter {
 public:
  LineWriter(const Settings& settings, Output& output) : output_(output) {
    if (settings.format) writer_.emplace(*settings.format, settings.styles, settings.wavy);
  }

  // A line of `characters` characters, a piece of at most kPiece characters at a time, so that
  // a line of any length takes its piece's colours and output at once, not its own.
  // `coloursOf(at, count)` gives the colours of characters at to at + count - 1.
  template <typename ColoursOf>
  void Write(std::string_view line, std::size_t characters, const ColoursOf& coloursOf) {
    if (line.empty()) return;
    output_.Commit(writer_->Start(output_.Room(writer_->MostBytes(0, 0))));
    for (std::size_t at = 0, begin = 0; at < characters;) {
      const std::size_t count = std::min(kPiece, characters - at);
      std::size_t end = line.size();  // the last piece runs to the line's end
      if (at + count < characters) {
        end = begin;
        for (std::size_t n = 0; n < count; ++n) end += text::CharacterLength(line, end);
      }
      const std::string_view piece = line.substr(begin, end - begin);
      char* out = output_.Room(writer_->MostBytes(piece.size(), count));
      output_.Commit(writer_->Continue(out, piece, coloursOf(at, count)));
      at += count;
      begin = end;
    }
    output_.Commit(writer_->Finish(output_.Room(writer_->MostBytes(0, 0))));
  }

  std::string Written(std::string_view line, std::span<const fade::Rgb> colours) {
    std::string bytes(writer_->MostBytes(line.size(), colours.size()), '\0');
    bytes.resize(writer_->Put(bytes.data(), line, colours) - bytes.data());
    return bytes;
  }

  // The line without colour: only what is not UTF-8 changes.
  void WritePlain(std::string_view line) {
    if (text::IsWellFormed(line))
      output_.Put(line);
    else
      output_.Put(text::WellFormed(line));
  }

 private:
  Output& output_;
  std::optional<formats::Writer> writer_;
};

class Writer {
 public:
  Writer(const Settings& settings, Console& console)
      : settings_(settings), console_(console), output_(console), lines_(settings, output_) {
    if (settings.mode == Mode::kColumns && settings.format) {
      columns_.resize(settings.width);
      formats::FadeColours(settings.width, settings.stops, settings.blend, 0, columns_);
    }
    if (settings.mode != Mode::kWhole && settings.format) shapes_.emplace(*settings.format);
  }

  // A line's place in the whole fade: its first character's, the fade's length, and its own.
  struct Place {
    std::size_t first = 0, length = 0, characters = 0;
  };

  // One line of the input; `place` is given in the whole mode only.
  void Put(std::string_view text, std::string_view lineBreak, const Place* place = nullptr) {
    if (!settings_.format) {
      lines_.WritePlain(text);
    } else if (settings_.mode == Mode::kLines && settings_.format->IsHost()) {
      output_.Put(formats::FormatLine(*settings_.format, text, settings_.stops, settings_.blend,
                                      settings_.styles, settings_.wavy));
    } else if (!shapes_ || !shapes_->Put(output_, text, [&](const std::string& placeholders) {
                 const std::size_t characters = placeholders.size();
                 return lines_.Written(placeholders, ColoursOf(characters, 0, characters, 0, 0));
               })) {
      const std::size_t characters = place ? place->characters : text::CharacterCount(text);
      lines_.Write(text, characters, [&](std::size_t at, std::size_t count) {
        return ColoursOf(characters, at, count, place ? place->first : 0,
                         place ? place->length : 0);
      });
    }
    output_.Put(lineBreak);
  }

  // Every line of the input as it comes; false on a read error (named on standard error).
  bool Stream(Input& input, const std::string& name) {
    LineReader reader(input, [this] { output_.Flush(); });
    std::string problem;
    while (!output_.closed()) {
      const std::optional<Line> line = reader.Next(problem);
      if (!line) break;
      Put(line->text, line->lineBreak);
    }
    return Reported(name, problem);
  }

  // The whole input first, then one fade across its characters (line breaks aside).
  bool Whole(Input& input, const std::string& name, std::string& all) {
    std::string problem;
    std::vector<char> chunk(kChunk);
    for (;;) {
      const std::optional<std::size_t> read = input.Read(chunk.data(), chunk.size(), problem);
      if (!read || *read == 0) break;
      all.append(chunk.data(), *read);
    }
    return Reported(name, problem);
  }

  void WriteWhole(std::string_view all) {
    // Line breaks take no colour; each is one character of one byte.
    Place place{.length = text::CharacterCount(all)};
    ForEachLine(all, [&](const Line& line) { place.length -= line.lineBreak.size(); });
    ForEachLine(all, [&](const Line& line) {
      if (output_.closed()) return;
      place.characters = text::CharacterCount(line.text);
      Put(line.text, line.lineBreak, &place);
      place.first += place.characters;
    });
  }

  Output& output() { return output_; }

 private:
  // The colours of characters at to at + count - 1 of a line of `characters` characters whose
  // first character is character `first` of a whole fade of `length`.
  std::span<const fade::Rgb> ColoursOf(std::size_t characters, std::size_t at, std::size_t count,
                                       std::size_t first, std::size_t length) {
    if (colours_.size() < count) colours_.resize(count);
    const std::span<fade::Rgb> colours(colours_.data(), count);
    switch (settings_.mode) {
      case Mode::kLines:
        formats::FadeColours(characters, settings_.stops, settings_.blend, at, colours);
        break;
      case Mode::kWhole:
        formats::FadeColours(length, settings_.stops, settings_.blend, first + at, colours);
        break;
      case Mode::kColumns: {
        // Past the fade's width every column keeps its last colour.
        const fade::Rgb last = columns_.empty() ? fade::Rgb{} : columns_.back();
        for (std::size_t k = 0; k < count; ++k)
          colours[k] = at + k < columns_.size() ? columns_[at + k] : last;
        break;
      }
    }
    return colours;
  }

  template <typename Visit>
  static void ForEachLine(std::string_view all, const Visit& visit) {
    while (!all.empty()) {
      const std::size_t newline = all.find('\n');
      if (newline == std::string_view::npos) return visit(Line{all, {}});
      visit(LineTo(all.data(), all.data() + newline));
      all.remove_prefix(newline + 1);
    }
  }

  bool Reported(const std::string& name, const std::string& problem) {
    if (problem.empty()) return true;
    console_.Error("vfx: cannot read " + name + ": " + problem);
    return false;
  }

  const Settings& settings_;
  Console& console_;
  Output output_;
  LineWriter lines_;
  std::optional<Shapes> shapes_;
  std::vector<fade::Rgb> colours_, columns_;
};

}  // namespace

int WriteAll(const Settings& settings, Console& console) {
  Writer writer(settings, console);
  int status = kSuccess;
  if (!settings.words.empty()) {
    std::string line;
    for (const std::string& word : settings.words) line += (line.empty() ? "" : " ") + word;
    if (settings.mode == Mode::kWhole)
      writer.WriteWhole(line + "\n");
    else
      writer.Put(line, "\n");
  } else {
    const std::vector<std::string> files =
        settings.files.empty() ? std::vector<std::string>{"-"} : settings.files;
    std::string all;
    for (const std::string& file : files) {
      if (writer.output().closed()) break;
      std::string problem;
      const std::unique_ptr<Input> input = console.Open(file, problem);
      const std::string name = file == "-" ? "standard input" : "'" + file + "'";
      if (!input) {
        console.Error("vfx: cannot read " + name + ": " + problem);
        status = kUnreadable;
        continue;
      }
      const bool read = settings.mode == Mode::kWhole ? writer.Whole(*input, name, all)
                                                      : writer.Stream(*input, name);
      if (!read) status = kUnreadable;
    }
    if (settings.mode == Mode::kWhole) writer.WriteWhole(all);
  }
  writer.output().Flush();
  return writer.output().closed() ? kUnreadable : status;
}

}  // namespace vfx::cli
