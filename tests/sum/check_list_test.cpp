// ondrix-sum --check beyond what the side-by-side run with the GNU tools
// shows: lists the window writes, names relative to the list, types by
// extension and length, hostile lists, streaming, and --tag.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "output/checksum_file_text.h"
#include "sum/check_list.h"
#include "sum/message_quote.h"
#include "sum/sum_tool.h"
#include "tests/sum/sum_test_support.h"

namespace ondrix {
namespace {

namespace fs = std::filesystem;

using test::kMd5Abc;
using test::kSha256Abc;
constexpr std::string_view kCrcAbc = "352441c2";

std::string S(std::string_view text) { return std::string(text); }

using test::RunTool;
using test::ToolRun;
using test::Utf8;

// The tool's folder fixture with a subfolder "sub"; Write is MakeFile.
class CheckFiles : public test::SumFolder {
 protected:
  void SetUp() override {
    SumFolder::SetUp();
    fs::create_directories(dir_ / "sub");
  }
  std::string Write(std::string_view name, std::string_view content) { return MakeFile(name, content); }
};

TEST_F(CheckFiles, ListsTheWindowWritesAreCheckedFromAnyFolder) {
  Write("sub/a.exe", "abc");
  const std::string full = Utf8(dir_ / "sub" / "a.exe");
  const std::string upper = "900150983CD24FB0D6963F7D28E17F72";
  struct Row {
    const char* list;
    std::string content;
  };
  const Row rows[] = {
      // The defaults: ANSI, CR LF, checksum, space, "*", the name.
      {"sub/a.exe.md5", JoinLinesCrLf({BuildHashRecord(kMd5Abc, "a.exe", true)})},
      // Upper case, no marker, the full path; LF endings.
      {"sub/full.md5", BuildHashRecord(upper, full, false) + "\n"},
      // A UTF-8 file with its byte-order mark.
      {"sub/bom.sha256", "\xEF\xBB\xBF" + JoinLinesCrLf({BuildHashRecord(kSha256Abc, "a.exe", true)})},
      // The three SFV lines, with their comments.
      {"sub/a.exe.sfv", JoinLinesCrLf(BuildSfvLines("a.exe", kCrcAbc))},
      {"sub/upper.sfv", JoinLinesCrLf(BuildSfvLines("a.exe", "352441C2"))},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.list);
    const std::string list = Write(row.list, row.content);
    // Run from elsewhere: names are found beside the list.
    const ToolRun run = RunTool({"--check", list});
    EXPECT_EQ(run.status, kSumExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    const bool full_path = S(row.list) == "sub/full.md5";
    EXPECT_EQ(run.out, (full_path ? full : S("a.exe")) + ": OK\n");
  }
}

TEST_F(CheckFiles, UnicodeNamesInUtf8AndAnsiLists) {
  const std::string name = "\xC5\xBC\xC3\xB3\xC5\x82w \xC3\xA9.txt";  // "żółw é.txt"
  Write(name, "abc");
  Write("\xC3\xA9.txt", "abc");  // "é.txt"
  const std::string bom_list =
      Write("u.md5", "\xEF\xBB\xBF" + JoinLinesCrLf({BuildHashRecord(kMd5Abc, name, true)}));
  // An ANSI list (Windows-1252): "é" is the one byte E9. The tool is told how
  // to read that code page, as the Windows build is.
  const std::string ansi_list =
      Write("a.md5", JoinLinesCrLf({BuildHashRecord(kMd5Abc, "\xE9.txt", true)}));
  SumEnvironment environment;
  environment.ansi_to_utf8 = [](std::string_view text) -> std::optional<std::string> {
    std::string utf8;
    for (const char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x80) {
        utf8 += c;
      } else {
        utf8 += char(0xC0 | (byte >> 6));
        utf8 += char(0x80 | (byte & 0x3F));
      }
    }
    return utf8;
  };
  ToolRun run = RunTool({"-c", bom_list}, environment);
  EXPECT_EQ(run.status, kSumExitOk) << run.err;
  EXPECT_EQ(run.out, name + ": OK\n");
  run = RunTool({"-c", ansi_list}, environment);
  EXPECT_EQ(run.status, kSumExitOk) << run.err;
  EXPECT_EQ(run.out, "\xC3\xA9.txt: OK\n");
}

TEST_F(CheckFiles, TypeComesFromTagThenOptionThenExtensionThenLength) {
  Write("abc", "abc");
  const std::string sha1 = "a9993e364706816aba3e25717850c26c9cd0d89d";
  const std::string tiger48 = std::string(48, '0');  // the only type of 48 digits
  const std::string mixed = Write("mixed.txt", "MD5 (abc) = " + S(kMd5Abc) + "\n" +  //
                                                   "SHA1 (abc) = " + sha1 + "\n" +       //
                                                   tiger48 + "  abc\n" +                 //
                                                   "abc " + S(kCrcAbc) + "\n");
  ToolRun run = RunTool({"-c", mixed});
  EXPECT_EQ(run.out, "abc: OK\nabc: OK\nabc: FAILED\nabc: OK\n");
  EXPECT_EQ(run.status, kSumExitFileFailed);

  // 32 digits fit three types: the list cannot be read without a type, and
  // the message says how to give one.
  const std::string plain = Write("plain.txt", S(kMd5Abc) + "  abc\n");
  run = RunTool({"-c", plain});
  EXPECT_EQ(run.status, kSumExitFileFailed);
  EXPECT_EQ(run.out, "");
  // Names in messages are quoted as GNU tools quote them (a Windows path
  // always is, for its colon and backslashes).
  const std::string quoted = QuoteNameForMessage(plain);
  EXPECT_EQ(run.err, "ondrix-sum: " + quoted +
                         ": 1: a checksum of 32 digits may be md4, md5 or ripemd128; name the "
                         "type with -t or the list's extension\n"
                         "ondrix-sum: " + quoted + ": no properly formatted checksum lines found\n");
  run = RunTool({"-c", "-t", "md5", plain});
  EXPECT_EQ(run.status, kSumExitOk) << run.err;
  EXPECT_EQ(run.out, "abc: OK\n");
  const std::string by_extension = Write("plain.md5", S(kMd5Abc) + "  abc\n");
  run = RunTool({"-c", by_extension});
  EXPECT_EQ(run.out, "abc: OK\n");
  // -t wins over the extension: these digits are no RIPEMD-128 of "abc".
  run = RunTool({"-c", "-t", "ripemd128", by_extension});
  EXPECT_EQ(run.out, "abc: FAILED\n");
}

TEST_F(CheckFiles, BinaryFilesAndHugeLinesAreImproperlyFormattedLines) {
  std::string binary(200000, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = char((i * 7919 + i / 13) & 0xFF);
  const std::string binary_list = Write("program.exe", binary);
  ToolRun run = RunTool({"-c", "-w", "-t", "md5", binary_list});
  EXPECT_EQ(run.status, kSumExitFileFailed);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find(": no properly formatted checksum lines found\n"), std::string::npos)
      << run.err.substr(0, 500);

  // A line of four megabytes between two good lines: counted, skipped, and
  // the lines after it are still read.
  Write("abc", "abc");
  const std::string good = S(kMd5Abc) + "  abc\n";
  const std::string huge = Write("huge.md5", good + S(kMd5Abc) + "  " +
                                                 std::string(4 << 20, 'n') + "\n" + good);
  run = RunTool({"-c", "-w", huge});
  EXPECT_EQ(run.status, kSumExitOk);
  EXPECT_EQ(run.out, "abc: OK\nabc: OK\n");
  EXPECT_EQ(run.err, "ondrix-sum: " + QuoteNameForMessage(huge) +
                         ": 2: improperly formatted MD5 checksum line\n" +
                         "ondrix-sum: WARNING: 1 line is improperly formatted\n");
}

// A list of a million lines made on the fly, each naming standard input;
// standard input notes how far the list had been read when each entry was
// checked. A reader that held the whole list would have read it all first.
class GeneratedList final : public IByteStream {
 public:
  explicit GeneratedList(std::uint64_t lines) : lines_(lines) {}
  static constexpr std::string_view kLine = "d41d8cd98f00b204e9800998ecf8427e  -\n";
  std::int64_t Size() override { return std::int64_t(lines_ * kLine.size()); }
  std::int64_t Position() override { return std::int64_t(position_); }
  std::size_t Read(void* buffer, std::size_t count) override {
    const std::uint64_t total = lines_ * kLine.size();
    const std::size_t n = std::size_t(std::min<std::uint64_t>(count, total - position_));
    auto* to = static_cast<char*>(buffer);
    for (std::size_t i = 0; i < n; ++i) to[i] = kLine[(position_ + i) % kLine.size()];
    position_ += n;
    return n;
  }

 private:
  std::uint64_t lines_;
  std::uint64_t position_ = 0;
};

class EmptyInput final : public IByteStream {
 public:
  explicit EmptyInput(IByteStream& list) : list_(list) {}
  std::int64_t Size() override {
    ++entries;
    const std::int64_t ahead = list_.Position() - std::int64_t(entries * GeneratedList::kLine.size());
    if (ahead > most_read_ahead) most_read_ahead = ahead;
    return 0;
  }
  std::int64_t Position() override { return 0; }
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::uint64_t entries = 0;
  std::int64_t most_read_ahead = 0;

 private:
  IByteStream& list_;
};

TEST(CheckStreaming, MillionLineListIsReadAsItIsChecked) {
  constexpr std::uint64_t kLines = 1000000;
  GeneratedList list(kLines);
  EmptyInput input(list);
  std::ostringstream out, err;
  CheckOptions options;
  options.type = FindTypeByKey("md5");
  options.quiet = true;
  // The list comes as an open stream under a name that gives its type; its
  // entries read `input`.
  EXPECT_TRUE(CheckListStream(list, "million.md5", options, &input, out, err)) << err.str();
  EXPECT_EQ(input.entries, kLines);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), "");
  // Never more than the reader's one buffer ahead of the line being checked.
  EXPECT_LE(input.most_read_ahead, std::int64_t(64 << 10));
}

TEST_F(CheckFiles, TagPrintsBsdLines) {
  const std::string abc = Write("abc", "abc");
  ToolRun run = RunTool({"--tag", "-t", "sha256", abc});
  EXPECT_EQ(run.out, "SHA256 (" + abc + ") = " + S(kSha256Abc) + "\n");
  run = RunTool({"--tag", "-t", "crc32", abc});
  EXPECT_EQ(run.out, "CRC32 (" + abc + ") = " + S(kCrcAbc) + "\n");
  // What --tag prints, --check reads back, for every type.
  for (const auto& type : ChecksumTypes()) {
    SCOPED_TRACE(type.key);
    const ToolRun tagged = RunTool({"--tag", "-t", S(type.key), abc});
    const std::string list = Write("tagged.txt", tagged.out);
    const ToolRun check = RunTool({"-c", list});
    EXPECT_EQ(check.status, kSumExitOk) << check.err;
    EXPECT_EQ(check.out, abc + ": OK\n");
  }
}

TEST(CheckCommandLine, OptionsThatNeedCheckAndTagWithCheckAreUsageErrors) {
  const std::pair<std::vector<std::string>, std::string> rows[] = {
      {{"--tag", "-c", "x"}, "the --tag option is meaningless when verifying checksums"},
      {{"--quiet", "x"}, "the --quiet option is meaningful only when verifying checksums"},
      {{"-w", "x"}, "the --warn option is meaningful only when verifying checksums"},
      {{"--ignore-missing", "x"},
       "the --ignore-missing option is meaningful only when verifying checksums"},
      {{"-c", "--type=nope"}, "unknown checksum type 'nope'"},
      {{"-cq", "x"}, "unknown option '-q'"},
      {{"--check=yes"}, "unknown option '--check=yes'"},
  };
  for (const auto& [args, message] : rows) {
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.status, kSumExitUsage) << message;
    EXPECT_EQ(run.err.rfind("ondrix-sum: " + message, 0), 0u) << run.err;
  }
}

TEST_F(CheckFiles, ShortOptionsRunTogetherAndTheTypeAttached) {
  Write("abc", "abc");
  const std::string list = Write("l.txt", S(kMd5Abc) + "  abc\nbad\n");
  const ToolRun run = RunTool({"-cwtmd5", list});
  EXPECT_EQ(run.out, "abc: OK\n");
  EXPECT_EQ(run.err, "ondrix-sum: " + QuoteNameForMessage(list) +
                         ": 2: improperly formatted MD5 checksum line\n" +
                         "ondrix-sum: WARNING: 1 line is improperly formatted\n");
  EXPECT_EQ(RunTool({"-c", "--type=md5", "--strict", list}).status, kSumExitFileFailed);
}

}  // namespace
}  // namespace ondrix
