#include "verify/clipboard_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace ondrix {
namespace {

const std::wstring kMd5 = L"d41d8cd98f00b204e9800998ecf8427e";
const std::wstring kMd5Upper = L"D41D8CD98F00B204E9800998ECF8427E";

TEST(CleanPastedChecksum, AcceptsOnlyHexDigitsOfTheRightLength) {
  struct Row {
    std::wstring clipboard, why;
    std::optional<std::wstring> pasted;
  };
  const Row rows[] = {
      {L"  " + kMd5 + L"\r\n", L"blanks and a break around", kMd5Upper},
      {kMd5Upper, L"already upper case", kMd5Upper},
      {L"\t" + kMd5 + L"\n", L"tab and LF", kMd5Upper},
      {L"abcdef1", L"7 characters", std::nullopt},
      {L"abcdef12", L"8 characters", L"ABCDEF12"},
      {L"   1234", L"7 counted before trimming", std::nullopt},
      {L"  123456", L"8 counted before trimming", L"123456"},
      {std::wstring(512, L'a'), L"512 characters", std::wstring(512, L'A')},
      {std::wstring(513, L'a'), L"513 characters", std::nullopt},
      {std::wstring(500, L' ') + L"abcd" + std::wstring(9, L'\n'), L"513 with blanks", std::nullopt},
      {L"MD5: " + kMd5, L"label in front", std::nullopt},
      {kMd5 + L" *a.exe", L"checksum-file line", std::nullopt},
      {kMd5 + L"\r\n" + kMd5, L"two checksums on two lines", std::nullopt},
      {L"0123456789abcdefg", L"a letter past F", std::nullopt},
      {L"0x" + kMd5, L"0x prefix", std::nullopt},
      {L"d41d8cd9-8f00b204", L"punctuation", std::nullopt},
      {L"\uFF21\uFF22\uFF23\uFF24\uFF25\uFF26\uFF10\uFF11", L"full-width A-F, 0-1", std::nullopt},
      {L"\u0131\u0131\u0131\u0131\u0131\u0131\u0131\u0131", L"dotless i", std::nullopt},
      {L"  \r\n  \r\n", L"only blanks and breaks: clears Edit2", L""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(CleanPastedChecksum(row.clipboard), row.pasted);
  }
}

TEST(CopyTexts, LineBreaksBecomeSpaces) {
  EXPECT_EQ(ReplaceLineBreaksBySpaces(L"ab\r\ncd\ne\rf"), L"ab  cd e f");
  EXPECT_EQ(ReplaceLineBreaksBySpaces(L""), L"");
}

TEST(CopyKeyText, ByFocusAndSelection) {
  struct Row {
    CopyFocus focus;
    std::wstring_view computed_selection, expected_selection, copied, why;
  };
  const std::wstring_view computed = L"ab\r\ncd";
  const Row rows[] = {
      {CopyFocus::ComputedField, L"b\r\nc", L"zz", L"b\r\nc", L"Edit1 selection as it is"},
      {CopyFocus::ComputedField, L"", L"zz", L"ab  cd", L"Edit1 without selection"},
      {CopyFocus::ExpectedField, L"b\r\nc", L"x\ny", L"x y", L"Edit2 selection"},
      {CopyFocus::ExpectedField, L"b", L"", L"ab  cd", L"Edit2 without selection: computed"},
      {CopyFocus::Elsewhere, L"b", L"x", L"ab  cd", L"focus elsewhere: computed"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::wstring(row.why));
    EXPECT_EQ(CopyKeyText(row.focus, computed, row.computed_selection, row.expected_selection),
              row.copied);
  }
}

TEST(ChecksumRow, NameMarkerChecksum) {
  EXPECT_EQ(BuildChecksumRow(L"C:\\dir\\a.exe", kMd5, true), L"a.exe *" + kMd5);
  EXPECT_EQ(BuildChecksumRow(L"C:\\dir\\a.exe", kMd5, false), L"a.exe  " + kMd5);
  // Ctrl+R: the plain text is the row and CR LF.
  EXPECT_EQ(JoinLinesCrLf({BuildChecksumRow(L"C:\\dir\\a.exe", kMd5Upper, true)}),
            L"a.exe *" + kMd5Upper + L"\r\n");
}

TEST(RichText, OneParagraphPerLineWithEscapes) {
  const std::string header =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}}\r\n"
      "\\uc1\\pard\\f0\\fs16 ";
  EXPECT_EQ(BuildRichText({L"a.exe *abc"}), header + "a.exe *abc\\par\r\n}");
  EXPECT_EQ(BuildRichText({L"Path:     C:\\{x}", L"", L"t\tx"}),
            header + "Path:     C:\\\\\\{x\\}\\par\r\n\\par\r\nt\\tab x\\par\r\n}");
  // Names past ASCII: \uN with N as a signed 16-bit UTF-16 unit.
  EXPECT_EQ(BuildRichText({L"\u00E9\u4E2D\uFF21"}),
            header + "\\u233?\\u20013?\\u-223?\\par\r\n}");
  EXPECT_EQ(BuildRichText({L"\U0001F600"}), header + "\\u-10179?\\u-8704?\\par\r\n}");
}

}  // namespace
}  // namespace ondrix
