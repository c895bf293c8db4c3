#include "sum/check_list.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <exception>
#include <memory>
#include <ostream>
#include <vector>

#include "engines/file_stream.h"
#include "sum/check_line.h"
#include "sum/message_quote.h"
#include "sum/stdin_stream.h"
#include "sum/sum_tool.h"

namespace ondrix {
namespace {

constexpr std::string_view kToolName = "ondrix-sum";

// Hands out the lines of a stream one at a time through a fixed buffer, so
// that memory does not grow with the list. A line longer than
// kMaxListLineBytes is handed out cut short and marked, and its rest is
// skipped.
class LineReader {
 public:
  explicit LineReader(IByteStream& in) : in_(in), buffer_(64 << 10) {}

  // False at the end. Throws EStreamError when the stream fails.
  bool Next(std::string& line, bool& overlong) {
    line.clear();
    overlong = false;
    bool any = false;
    for (;;) {
      if (next_ == end_) {
        end_ = in_.Read(buffer_.data(), buffer_.size());
        next_ = 0;
        if (end_ == 0) return any;
      }
      any = true;
      const char* start = buffer_.data() + next_;
      const std::size_t available = end_ - next_;
      const void* found = std::memchr(start, '\n', available);
      const std::size_t take = found ? std::size_t(static_cast<const char*>(found) - start) : available;
      if (!overlong) {
        if (line.size() + take > kMaxListLineBytes) overlong = true;
        else line.append(start, take);
      }
      next_ += take;
      if (found) {
        ++next_;
        return true;
      }
    }
  }

 private:
  IByteStream& in_;
  std::vector<char> buffer_;
  std::size_t next_ = 0, end_ = 0;
};

std::string Plural(std::uint64_t n, std::string_view one, std::string_view many) {
  return "WARNING: " + std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

struct ListTally {
  std::uint64_t malformed = 0;
  std::uint64_t unreadable = 0;
  std::uint64_t mismatched = 0;
  bool any_entry = false;
  bool any_match = false;
};

class ListChecker {
 public:
  ListChecker(std::string_view list_name, const CheckOptions& options, IByteStream* standard_input,
              std::ostream& out, std::ostream& err)
      : options_(options), standard_input_(standard_input), out_(out), err_(err) {
    is_stdin_ = list_name == "-";
    display_name_ = is_stdin_ ? "standard input" : std::string(list_name);
    list_type_ = options.type ? options.type : is_stdin_ ? nullptr : TypeFromListName(list_name);
    if (!is_stdin_) {
      try {
        folder_ = PathFromUtf8(list_name).parent_path();
      } catch (const std::exception&) {
      }
    }
  }

  bool Run(std::string_view list_name) {
    std::unique_ptr<IByteStream> list;
    if (is_stdin_) {
      if (!standard_input_) return Fail("Bad file descriptor");
      list = std::make_unique<BorrowedStream>(*standard_input_);
    } else {
      std::unique_ptr<FileStream> file;
      try {
        file = std::make_unique<FileStream>(PathFromUtf8(list_name));
      } catch (const std::exception&) {
        return Fail("not a valid file name");
      }
      if (!file->IsOpen()) return Fail(file->ErrorText());
      list = std::move(file);
    }
    return RunOn(*list);
  }

  bool RunOn(IByteStream& list) {
    try {
      ReadLines(list);
    } catch (const EStreamError& e) {
      return Fail(e.what());
    }
    return Summarise();
  }

 private:
  bool Fail(std::string_view reason) {
    err_ << kToolName << ": " << QuoteNameForMessage(display_name_) << ": " << reason << '\n';
    return false;
  }

  void ReadLines(IByteStream& list) {
    ListLineParser parser(list_type_, is_stdin_);
    LineReader reader(list);
    std::string line;
    bool overlong = false;
    std::uint64_t number = 0;
    while (reader.Next(line, overlong)) {
      ++number;
      // A list the window wrote in UTF-8 starts with the byte-order mark.
      if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) {
        line.erase(0, 3);
        utf8_list_ = true;
      }
      const ListLine parsed = overlong ? ListLine{} : parser.Parse(line);
      switch (parsed.kind) {
        case ListLine::Kind::kSkip:
          break;
        case ListLine::Kind::kEntry:
          tally_.any_entry = true;
          CheckEntry(parsed);
          break;
        case ListLine::Kind::kAmbiguous:
          ReportAmbiguous(number, parsed);
          ReportMalformed(number);
          break;
        case ListLine::Kind::kMalformed:
          ReportMalformed(number);
          break;
      }
    }
  }

  void ReportMalformed(std::uint64_t number) {
    ++tally_.malformed;
    if (!options_.warn) return;
    std::string type_word;
    if (list_type_) type_word = std::string(BsdTagOf(*list_type_)) + " ";
    err_ << kToolName << ": " << QuoteNameForMessage(display_name_) << ": " << number
         << ": improperly formatted " << type_word << "checksum line\n";
  }

  // Once per list: the length alone cannot tell which type a checksum is.
  void ReportAmbiguous(std::uint64_t number, const ListLine& line) {
    if (ambiguity_reported_ || options_.status) return;
    ambiguity_reported_ = true;
    std::string types;
    for (std::size_t i = 0; i < line.candidates.size(); ++i) {
      if (i) types += i + 1 == line.candidates.size() ? " or " : ", ";
      types += line.candidates[i]->key;
    }
    err_ << kToolName << ": " << QuoteNameForMessage(display_name_) << ": " << number
         << ": a checksum of " << line.checksum.size() << " digits may be " << types
         << "; name the type with -t or the list's extension\n";
  }

  // The name as UTF-8: as written in a UTF-8 list, else through the ANSI
  // code page when it is not UTF-8.
  std::string NameText(const std::string& name) const {
    if (utf8_list_ || IsUtf8(name) || !options_.ansi_to_utf8) return name;
    if (auto converted = options_.ansi_to_utf8(name)) return *converted;
    return name;
  }

  void CheckEntry(const ListLine& line) {
    const std::string name = NameText(line.name);
    std::unique_ptr<IByteStream> data;
    std::string reason;
    bool missing = false;
    if (name == "-") {
      if (standard_input_) data = std::make_unique<BorrowedStream>(*standard_input_);
      else reason = "Bad file descriptor";
    } else {
      try {
        std::filesystem::path path = PathFromUtf8(name);
        if (path.is_relative() && !folder_.empty()) path = folder_ / path;
        auto file = std::make_unique<FileStream>(path);
        if (file->IsOpen()) data = std::move(file);
        else {
          reason = file->ErrorText();
          missing = file->ErrorNumber() == ENOENT;
        }
      } catch (const std::exception&) {
        reason = "not a valid file name";
      }
    }
    StreamChecksum computed;
    if (data) {
      computed = ChecksumOfStream(*line.type, *data);
      if (!computed.ok) reason = computed.text;
    }
    if (!computed.ok) {
      if (missing && options_.ignore_missing) return;
      err_ << kToolName << ": " << QuoteNameForMessage(name) << ": " << reason << '\n';
      ++tally_.unreadable;
      if (!options_.status) out_ << NameForResultLine(name) << ": FAILED open or read\n";
      return;
    }
    const bool match = SameHex(computed.text, line.checksum);
    if (match) tally_.any_match = true;
    else ++tally_.mismatched;
    if (options_.status) return;
    if (!match) out_ << NameForResultLine(name) << ": FAILED\n";
    else if (!options_.quiet) out_ << NameForResultLine(name) << ": OK\n";
  }

  static bool SameHex(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      const auto lower = [](char c) { return c >= 'A' && c <= 'F' ? char(c - 'A' + 'a') : c; };
      if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
  }

  bool Summarise() {
    const std::string prefix = std::string(kToolName) + ": ";
    if (!tally_.any_entry) {
      err_ << prefix << QuoteNameForMessage(display_name_)
           << ": no properly formatted checksum lines found\n";
    } else if (!options_.status) {
      if (tally_.malformed)
        err_ << prefix << Plural(tally_.malformed, "line is", "lines are") << " improperly formatted\n";
      if (tally_.unreadable)
        err_ << prefix << Plural(tally_.unreadable, "listed file", "listed files")
             << " could not be read\n";
      if (tally_.mismatched)
        err_ << prefix << Plural(tally_.mismatched, "computed checksum", "computed checksums")
             << " did NOT match\n";
      if (options_.ignore_missing && !tally_.any_match)
        err_ << prefix << QuoteNameForMessage(display_name_) << ": no file was verified\n";
    }
    return tally_.any_entry && tally_.mismatched == 0 && tally_.unreadable == 0 &&
           (!options_.strict || tally_.malformed == 0) &&
           (!options_.ignore_missing || tally_.any_match);
  }

  const CheckOptions& options_;
  IByteStream* standard_input_;
  std::ostream& out_;
  std::ostream& err_;
  bool is_stdin_ = false;
  std::string display_name_;
  const ChecksumTypeInfo* list_type_ = nullptr;
  std::filesystem::path folder_;
  bool utf8_list_ = false;
  bool ambiguity_reported_ = false;
  ListTally tally_;
};

}  // namespace

bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t extra;
    std::uint32_t min, code;
    if (c < 0x80) { ++i; continue; }
    if ((c & 0xE0) == 0xC0) { extra = 1; min = 0x80; code = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { extra = 2; min = 0x800; code = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { extra = 3; min = 0x10000; code = c & 0x07; }
    else return false;
    if (text.size() - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

bool CheckList(std::string_view list_name, const CheckOptions& options,
               IByteStream* standard_input, std::ostream& out, std::ostream& err) {
  ListChecker checker(list_name, options, standard_input, out, err);
  return checker.Run(list_name);
}

bool CheckListStream(IByteStream& list, std::string_view list_name, const CheckOptions& options,
                     IByteStream* standard_input, std::ostream& out, std::ostream& err) {
  ListChecker checker(list_name, options, standard_input, out, err);
  return checker.RunOn(list);
}

}  // namespace ondrix
