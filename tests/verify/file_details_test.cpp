#include "verify/file_details.h"

#include <gtest/gtest.h>

#include <string>

#include "verify/clipboard_text.h"

namespace ondrix {
namespace {

const std::wstring kMd5 = L"d41d8cd98f00b204e9800998ecf8427e";

FileDetailsInputs Md5OfBigFile() {
  FileDetailsInputs in;
  in.name_field_text = L"big.bin";
  in.selected_file_path = L"C:\\Data\\big.bin";
  in.size_text = L"1.17 MB ( 1 234 567 B )";
  in.created_text = L"07.03.2009 04:05:09";
  in.modified_text = L"08.03.2009 10:00:00";
  in.accessed_text = L"31.12.2024 23:59:59";
  in.calc_type_key = "md5";
  in.computed = kMd5;
  return in;
}

std::wstring Report(const FileDetailsInputs& in) { return JoinLinesCrLf(BuildFileDetails(in)); }

TEST(FileDetails, NoFileSelected) {
  FileDetailsInputs in;
  in.name_field_text = L"(no file selected)";
  in.size_text = L"0 bytes ( 0 B )";
  EXPECT_EQ(Report(in),
            L"Filename: (no file selected)\r\n"
            L"Folder:   \r\n"
            L"Path:     \r\n"
            L"Size:     0 bytes ( 0 B )\r\n"
            L"\r\n"
            L"Created:  \r\n"
            L"Modified: \r\n"
            L"Accessed: \r\n"
            L"\r\n"
            L"\r\n"
            L" *\r\n");
}

TEST(FileDetails, CompletedMd5WithoutExpected) {
  EXPECT_EQ(Report(Md5OfBigFile()),
            L"Filename: big.bin\r\n"
            L"Folder:   C:\\Data\r\n"
            L"Path:     C:\\Data\\big.bin\r\n"
            L"Size:     1.17 MB ( 1 234 567 B )\r\n"
            L"\r\n"
            L"Created:  07.03.2009 04:05:09\r\n"
            L"Modified: 08.03.2009 10:00:00\r\n"
            L"Accessed: 31.12.2024 23:59:59\r\n"
            L"\r\n"
            L"MD5: d41d8cd98f00b204e9800998ecf8427e\r\n"
            L"\r\n"
            L"big.bin *d41d8cd98f00b204e9800998ecf8427e\r\n");
}

TEST(FileDetails, ExpectedAndResultLines) {
  struct Row {
    std::wstring computed, expected, result, why;
  };
  const Row rows[] = {
      {kMd5, L"D41D8CD98F00B204E9800998ECF8427E", L"Result: Checksums match", L"case only"},
      {kMd5, L"d41d8cd98f00b204e9800998ecf8427f", L"Result: Checksums mismatch", L"one digit"},
      {kMd5, L"d41d8cd98f00", L"Result: Checksums mismatch", L"other length, same words"},
      {L"?", L"?", L"Result: Checksums mismatch", L"aborted: no match"},
      {L"", kMd5, L"Result: Checksums mismatch", L"empty result"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.why);
    FileDetailsInputs in = Md5OfBigFile();
    in.computed = row.computed;
    in.expected = row.expected;
    const auto lines = BuildFileDetails(in);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[9], L"MD5: " + row.computed);
    EXPECT_EQ(lines[10], L"Expected: " + row.expected);
    EXPECT_EQ(lines[11], row.result);
    EXPECT_EQ(lines[12], L"");
    EXPECT_EQ(lines[13], L"big.bin *" + row.computed);
  }
}

TEST(FileDetails, AbortedCalculationAndMarkerOff) {
  FileDetailsInputs in = Md5OfBigFile();
  in.calc_type_key = "sha256";
  in.computed = L"?";
  in.asterisk = false;
  const auto lines = BuildFileDetails(in);
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[9], L"SHA-256: ?");
  EXPECT_EQ(lines[11], L"big.bin  ?");
}

TEST(FileDetails, TypeLabels) {
  struct Row {
    std::string_view key;
    std::wstring_view label;
  };
  const Row rows[] = {
      {"md4", L"MD4: "},           {"md5", L"MD5: "},
      {"sha1", L"SHA1: "},         {"sha256", L"SHA-256: "},
      {"sha384", L"SHA-384: "},    {"sha512", L"SHA-512: "},
      {"ripemd128", L"RIPEMD-128: "}, {"ripemd160", L"RIPEMD-160: "},
      {"haval", L"HAVAL: "},       {"tiger", L"TIGER: "},
      {"crc32", L"CRC32: "},       {"MD5", L""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.key));
    EXPECT_EQ(ReportTypeLabel(row.key), row.label);
  }
}

TEST(FileDetails, NameFieldShownAsItIsAndFolderOfTheRoot) {
  FileDetailsInputs in = Md5OfBigFile();
  in.name_field_text = L"C:\\a & b.txt";  // hovering shows the full path
  in.selected_file_path = L"C:\\a & b.txt";
  const auto lines = BuildFileDetails(in);
  EXPECT_EQ(lines[0], L"Filename: C:\\a & b.txt");
  EXPECT_EQ(lines[1], L"Folder:   C:");
  EXPECT_EQ(lines.back(), L"a & b.txt *" + kMd5);
}

TEST(FileDetailsTip, TitleByPathLengthAndFourLines) {
  const std::wstring path89 = L"C:\\" + std::wstring(80, L'x') + L"\\a.exe";
  ASSERT_EQ(path89.size(), 89u);
  const FileDetailsTip short_tip = BuildFileDetailsTip(path89, 1234567, L"c", L"m", L"a");
  EXPECT_EQ(short_tip.title, path89);
  EXPECT_EQ(short_tip.text, L"Size: 1234567\r\nCREATED:  c\r\nMODIFIED: m\r\nACCESSED: a");

  const std::wstring path90 = L"C:\\" + std::wstring(81, L'x') + L"\\a.exe";
  const FileDetailsTip long_tip = BuildFileDetailsTip(path90, 0, L"?", L"?", L"?");
  EXPECT_EQ(long_tip.title, L"a.exe");
  EXPECT_EQ(long_tip.text, L"Size: 0\r\nCREATED:  ?\r\nMODIFIED: ?\r\nACCESSED: ?");

  EXPECT_EQ(BuildFileDetailsTip(L"C:\\b", INT64_MAX, L"", L"", L"").text.substr(0, 25),
            L"Size: 9223372036854775807");
}

}  // namespace
}  // namespace ondrix
