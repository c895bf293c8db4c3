#include "sum/sum_tool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engines/checksum_types.h"
#include "engines/crc32.h"
#include "tests/sum/sum_test_support.h"
#include "tests/support/scripted_stream.h"

namespace ondrix {
namespace {

namespace fs = std::filesystem;

using test::kMd5Abc;
using test::kSha256Abc;

using test::RunTool;
using test::ToolRun;
using test::Utf8;
using SumToolFiles = test::SumFolder;

TEST_F(SumToolFiles, PrintsTheChecksumFileLineOfEachType) {
  const std::string abc = MakeFile("abc.txt", "abc");
  const std::string empty = MakeFile("empty.bin", "");
  struct Row {
    std::vector<std::string> args;
    std::string line;
  };
  const Row rows[] = {
      {{abc}, std::string(kMd5Abc) + " *" + abc},  // md5 unless told otherwise
      {{"-t", "md5", abc}, std::string(kMd5Abc) + " *" + abc},
      {{"--type", "sha256", abc}, std::string(kSha256Abc) + " *" + abc},
      {{"-t", "sha1", abc}, "a9993e364706816aba3e25717850c26c9cd0d89d *" + abc},
      {{"-t", "md5", empty}, "d41d8cd98f00b204e9800998ecf8427e *" + empty},
      // An SFV data line: name first. The CRC of nothing is 0, still eight digits.
      {{"-t", "crc32", abc}, abc + " 352441c2"},
      {{"-t", "crc32", empty}, empty + " 00000000"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args.front());
    const ToolRun run = RunTool(row.args);
    EXPECT_EQ(run.status, kSumExitOk);
    EXPECT_EQ(run.out, row.line + "\n");
    EXPECT_EQ(run.err, "");
  }
}

TEST_F(SumToolFiles, LargerFileSpanningManyReadBlocks) {
  // 8192-byte reads: three full blocks and a tail, against a CRC computed
  // over the whole buffer at once.
  std::string content(3 * 8192 + 17, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = char((i * 131 + 7) & 0xFF);
  const std::string name = MakeFile("big.bin", content);
  const ToolRun run = RunTool({"-t", "crc32", name});
  char expected[9];
  std::snprintf(expected, sizeof expected, "%08x", unsigned(Crc32(content.data(), content.size())));
  EXPECT_EQ(run.out, name + " " + expected + "\n");
  EXPECT_EQ(run.status, kSumExitOk);
}

TEST_F(SumToolFiles, NameWithCharactersBeyondAsciiIsOpenedAndPrintedAsGiven) {
  const std::string name = MakeFile("\xC5\xBC\xC3\xB3\xC5\x82w \xE2\x82\xAC.txt", "abc");  // żółw €.txt
  const ToolRun run = RunTool({name});
  EXPECT_EQ(run.status, kSumExitOk) << run.err;
  EXPECT_EQ(run.out, std::string(kMd5Abc) + " *" + name + "\n");
}

TEST_F(SumToolFiles, BadFilesAreReportedAndTheOthersStillPrinted) {
  const std::string first = MakeFile("first.txt", "abc");
  const std::string missing = Missing("missing.txt");
  const std::string folder = MakeFolder("folder");
  const std::string last = MakeFile("last.txt", "abc");
  for (const char* type : {"md5", "crc32"}) {
    SCOPED_TRACE(type);
    const ToolRun run = RunTool({"-t", type, first, missing, folder, last});
    EXPECT_EQ(run.status, kSumExitFileFailed);
    const std::string crc = " 352441c2\n", md5 = std::string(kMd5Abc) + " *";
    EXPECT_EQ(run.out, std::string(type) == "md5" ? md5 + first + "\n" + md5 + last + "\n"
                                                  : first + crc + last + crc);
    EXPECT_EQ(run.err, "ondrix-sum: " + missing + ": No such file or directory\n" +
                           "ondrix-sum: " + folder + ": Is a directory\n");
  }
}

TEST_F(SumToolFiles, DoubleDashEndsTheOptions) {
  const ToolRun run = RunTool({"--", "-t"});
  EXPECT_EQ(run.status, kSumExitFileFailed);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "ondrix-sum: -t: No such file or directory\n");
}

TEST(SumToolCommandLine, WrongCommandLinesAreUsageErrors) {
  struct Row {
    std::vector<std::string> args;
    std::string message;
  };
  const Row rows[] = {
      {{"-t", "sha-256", "x"},
       "ondrix-sum: unknown checksum type 'sha-256'; valid types: md4, md5, sha1, sha256, "
       "sha384, sha512, ripemd128, ripemd160, haval, tiger, crc32\n"},
      {{"-t", "MD5", "x"}, "ondrix-sum: unknown checksum type 'MD5'; valid types: "},
      {{"-t"}, "ondrix-sum: option '-t' needs a checksum type\n"},
      {{"-x", "file"}, "ondrix-sum: unknown option '-x'\n"},
      {{}, "ondrix-sum: no file given\n"},
      {{"-t", "crc32"}, "ondrix-sum: no file given\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    const ToolRun run = RunTool(row.args);
    EXPECT_EQ(run.status, kSumExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind(row.message, 0), 0u) << run.err;
    EXPECT_NE(run.err.find("Try 'ondrix-sum --help'"), std::string::npos);
  }
}

TEST(SumToolCommandLine, ListShowsEveryKeyWithItsName) {
  const ToolRun run = RunTool({"--list"});
  EXPECT_EQ(run.status, kSumExitOk);
  EXPECT_EQ(run.err, "");
  std::istringstream lines(run.out);
  std::string line;
  for (const auto& type : ChecksumTypes()) {
    ASSERT_TRUE(std::getline(lines, line));
    std::istringstream fields(line);
    std::string key;
    fields >> key >> std::ws;
    std::string name;
    std::getline(fields, name);
    EXPECT_EQ(key, type.key);
    EXPECT_EQ(name, type.display_name);
  }
  EXPECT_FALSE(std::getline(lines, line)) << "extra line: " << line;
}

TEST(SumToolCommandLine, HelpNamesTheTypesAndTheExitStatus) {
  const ToolRun run = RunTool({"--help"});
  EXPECT_EQ(run.status, kSumExitOk);
  EXPECT_EQ(run.out.rfind("Usage: ondrix-sum [-t TYPE] [--tag] FILE...\n"
                          "  or:  ondrix-sum -c [-t TYPE] [OPTION]... [LIST]...\n", 0), 0u)
      << run.out;
  for (const char* option : {"--check", "--ignore-missing", "--quiet", "--status", "--strict",
                             "--warn", "--tag"})
    EXPECT_NE(run.out.find(option), std::string::npos) << option;
  EXPECT_NE(run.out.find("ripemd160, haval, tiger, crc32"), std::string::npos);
  EXPECT_NE(run.out.find("Exit status"), std::string::npos);
  EXPECT_EQ(run.err, "");
}

TEST(SumToolStreams, ReadFailurePartWayGivesTheReasonNotAPartialChecksum) {
  for (const char* key : {"md5", "sha256", "crc32"}) {
    SCOPED_TRACE(key);
    // Two blocks arrive, then the read fails the way a disk or a network
    // share does part-way.
    test::ScriptedStream stream(std::vector<std::uint8_t>(5 * 8192, 'x'), [](int n) {
      if (n >= 3) throw EStreamError("Input/output error");
    });
    const StreamChecksum checksum = ChecksumOfStream(*FindTypeByKey(key), stream);
    EXPECT_FALSE(checksum.ok);
    EXPECT_EQ(checksum.text, "Input/output error");
  }
}

}  // namespace
}  // namespace ondrix
