#include "verify/compare.h"

#include <gtest/gtest.h>

#include <string>

namespace ondrix {
namespace {

const std::wstring kMd5 = L"d41d8cd98f00b204e9800998ecf8427e";
const std::wstring kMd5Upper = L"D41D8CD98F00B204E9800998ECF8427E";
const std::wstring kSha1 = L"da39a3ee5e6b4b0d3255bfef95601890afd80709";

TEST(TrimControlAndSpace, OnlyTheEndsAndOnlyCodesUpTo32) {
  EXPECT_EQ(TrimControlAndSpace(L"  " + kMd5 + L"\t\r\n"), kMd5);
  EXPECT_EQ(TrimControlAndSpace(L"\x01\x1F x \x7F"), L"x \x7F");  // DEL (127) stays
  EXPECT_EQ(TrimControlAndSpace(L"\u00A0ab cd\u00A0"), L"\u00A0ab cd\u00A0");
  EXPECT_EQ(TrimControlAndSpace(L" \t\r\n "), L"");
}

TEST(CompareChecksums, VerdictTable) {
  struct Row {
    std::wstring computed, expected_field, expected_after, why;
    CompareVerdict verdict;
  };
  const Row rows[] = {
      {kMd5, kMd5, kMd5, L"same text", CompareVerdict::Match},
      {kMd5, kMd5Upper, kMd5Upper, L"case differs only", CompareVerdict::Match},
      {kMd5Upper, kMd5, kMd5, L"upper display, lower typed", CompareVerdict::Match},
      {kMd5, L"  " + kMd5 + L"\t\n", kMd5, L"ends trimmed", CompareVerdict::Match},
      {kMd5, L" " + kMd5.substr(0, 16) + L" " + kMd5.substr(16), kMd5.substr(0, 16) + L" " + kMd5.substr(16),
       L"inner space stays: one longer", CompareVerdict::LengthMismatch},
      {kMd5, kMd5.substr(0, 31) + L"f", kMd5.substr(0, 31) + L"f", L"last digit differs",
       CompareVerdict::Mismatch},
      {kMd5, kSha1, kSha1, L"40 against 32", CompareVerdict::LengthMismatch},
      {L"", kMd5, kMd5, L"nothing computed yet", CompareVerdict::None},
      {kMd5, L"", L"", L"nothing expected", CompareVerdict::None},
      {kMd5, L" \r\n ", L"", L"only blanks: cleared", CompareVerdict::None},
      {L"?", kMd5, kMd5, L"aborted vs 32 chars", CompareVerdict::LengthMismatch},
      {L"?", L"a", L"a", L"aborted vs one char", CompareVerdict::Mismatch},
      {L"?", L" ? ", L"?", L"aborted vs '?': no false match", CompareVerdict::None},
      {kMd5, L"?", L"?", L"'?' typed against a result", CompareVerdict::LengthMismatch},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.why);
    const CompareOutcome outcome = CompareChecksums(row.computed, row.expected_field);
    EXPECT_EQ(outcome.expected, row.expected_after);
    EXPECT_EQ(outcome.verdict, row.verdict);
    // The rerun after putting the trimmed text back gives the same verdict.
    const CompareOutcome rerun = CompareChecksums(row.computed, outcome.expected);
    EXPECT_EQ(rerun.expected, outcome.expected);
    EXPECT_EQ(rerun.verdict, outcome.verdict);
  }
}

TEST(CompareChecksums, ReportMatchAgreesWithTheIndicator) {
  EXPECT_TRUE(ChecksumsMatch(kMd5, kMd5Upper));
  EXPECT_FALSE(ChecksumsMatch(kMd5, kSha1));
  EXPECT_FALSE(ChecksumsMatch(L"?", L"?"));
  EXPECT_FALSE(ChecksumsMatch(L"", kMd5));
}

TEST(Indicators, Boxes) {
  const IndicatorBox ok = BuildIndicatorBox(CompareVerdict::Match, kMd5, kMd5);
  EXPECT_EQ(ok.kind, BoxKind::Information);
  EXPECT_EQ(ok.title, L"Information");
  EXPECT_EQ(ok.text, L"Checksums are the same:\r\r\n" + kMd5Upper + L"\r\n");

  const std::wstring other = L"00000000000000000000000000000abc";
  const IndicatorBox bad = BuildIndicatorBox(CompareVerdict::Mismatch, kMd5, other);
  EXPECT_EQ(bad.kind, BoxKind::Error);
  EXPECT_EQ(bad.title, L"Error");
  EXPECT_EQ(bad.text, L"Checksums are different:\r\r\n" + kMd5Upper +
                          L"\r\n00000000000000000000000000000ABC");

  const IndicatorBox warn = BuildIndicatorBox(CompareVerdict::LengthMismatch, kMd5, kSha1);
  EXPECT_EQ(warn.kind, BoxKind::Warning);
  EXPECT_EQ(warn.title, L"Warning");
  EXPECT_EQ(warn.text,
            L"Different lengths !\r\r\nFile checksum: 32 chars\r\nCompare with: 40 chars");
}

TEST(Indicators, BoxUsesTheWindowsCaseConversion) {
  const UpperCaseFn fake_locale = [](std::wstring_view text) {
    std::wstring upper = UpperAscii(text);
    for (wchar_t& c : upper)
      if (c == L'\u00E9') c = L'\u00C9';
    return upper;
  };
  const IndicatorBox box =
      BuildIndicatorBox(CompareVerdict::Mismatch, L"abcd", L"caf\u00E9", fake_locale);
  EXPECT_EQ(box.text, L"Checksums are different:\r\r\nABCD\r\nCAF\u00C9");
}

}  // namespace
}  // namespace ondrix
