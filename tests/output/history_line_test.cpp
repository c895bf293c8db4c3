#include "output/history_line.h"

#include <gtest/gtest.h>

#include <string>

namespace ondrix {
namespace {

const std::wstring kMd5 = L"d41d8cd98f00b204e9800998ecf8427e";
const std::wstring kPath = L"C:\\Data\\a.exe";

TEST(HistoryLine, TypeColumnForEveryDisplayName) {
  struct Row {
    std::wstring_view display_name, column;
  };
  const Row rows[] = {
      {L"MD4", L"md4         "},         {L"MD5", L"md5         "},
      {L"SHA1", L"sha1        "},        {L"SHA-256", L"sha-256     "},
      {L"SHA-384", L"sha-384     "},     {L"SHA-512", L"sha-512     "},
      {L"RIPEMD-128", L"ripemd-128  "},  {L"RIPEMD-160", L"ripemd-160  "},
      {L"HAVAL 256,5", L"haval 256,5 "}, {L"TIGER 192", L"tiger 192   "},
      {L"CRC32", L"crc32       "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::wstring(row.display_name));
    const std::wstring line = BuildHistoryLine(row.display_name, kMd5, kPath, HistoryOptions{});
    EXPECT_EQ(line, std::wstring(row.column) + L"  " + kMd5 + L" *a.exe");
    EXPECT_EQ(line.find(kMd5), 14u);  // the checksum starts at character 15
  }
}

TEST(HistoryLine, OptionsChooseMarkerAndName) {
  struct Row {
    bool full_path, asterisk;
    std::wstring_view tail;
  };
  const Row rows[] = {
      {false, true, L" *a.exe"},
      {false, false, L"  a.exe"},
      {true, true, L" *C:\\Data\\a.exe"},
      {true, false, L"  C:\\Data\\a.exe"},
  };
  for (const auto& row : rows) {
    HistoryOptions options;
    options.log_to_file = true;
    options.full_path = row.full_path;
    options.asterisk = row.asterisk;
    SCOPED_TRACE(std::wstring(row.tail));
    EXPECT_EQ(HistoryLineToAppend(L"MD5", kMd5, kPath, options),
              L"md5           " + kMd5 + std::wstring(row.tail));
  }
  EXPECT_EQ(HistoryLineToAppend(L"MD5", kMd5, kPath, HistoryOptions{}), std::nullopt);
}

TEST(HistoryLine, DisplayedCaseTrimAndUnicodeNames) {
  HistoryOptions options;
  EXPECT_EQ(BuildHistoryLine(L" SHA1\t", L"DA39A3EE5E6B4B0D3255BFEF95601890AFD80709",
                             L"D:\\\u00FCber\\\u4E2D\u6587.iso", options),
            L"sha1          DA39A3EE5E6B4B0D3255BFEF95601890AFD80709 *\u4E2D\u6587.iso");
  // A name longer than the column is kept whole.
  EXPECT_EQ(BuildHistoryLine(L"ABCDEFGHIJKLMN", L"00", L"f", options),
            L"abcdefghijklmn  00 *f");
}

TEST(HistoryFilePath, ProgramPathWithTxt) {
  EXPECT_EQ(HistoryFilePath(L"C:\\Tools\\ondrix.exe"), L"C:\\Tools\\ondrix.txt");
  EXPECT_EQ(HistoryFilePath(L"C:\\My.Tools\\ondrix"), L"C:\\My.Tools\\ondrix.txt");
  EXPECT_EQ(HistoryFilePath(L"C:\\Tools\\ondrix.v2.exe"), L"C:\\Tools\\ondrix.v2.txt");
}

}  // namespace
}  // namespace ondrix
