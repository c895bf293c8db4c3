#include "output/ansi_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace ondrix {
namespace {

// A stand-in for the Windows-1252 code page: ASCII and Latin-1 letters.
std::optional<std::string> FakeCp1252(std::wstring_view text) {
  std::string bytes;
  for (wchar_t c : text) {
    if (static_cast<unsigned long>(c) > 0xFF) return std::nullopt;
    bytes += static_cast<char>(c);
  }
  return bytes;
}

const std::string kBom = "\xEF\xBB\xBF";

TEST(EncodeTextFile, AnsiWhenLosslessElseUtf8WithBomForTheWholeFile) {
  const EncodedTextFile ansi = EncodeTextFile(L"abc *caf\u00E9.txt\r\n", FakeCp1252);
  EXPECT_EQ(ansi.encoding, TextFileEncoding::Ansi);
  EXPECT_EQ(ansi.bytes, "abc *caf\xE9.txt\r\n");

  const EncodedTextFile utf8 =
      EncodeTextFile(L"; caf\u00E9\r\n\u4E2D.iso 0000abcd\r\n", FakeCp1252);
  EXPECT_EQ(utf8.encoding, TextFileEncoding::Utf8WithBom);
  // Every line in UTF-8, also the one the code page could have spelt.
  EXPECT_EQ(utf8.bytes, kBom + "; caf\xC3\xA9\r\n\xE4\xB8\xAD.iso 0000abcd\r\n");
  EXPECT_EQ(utf8.bytes.find('?'), std::string::npos);
}

TEST(ClassifyExistingTextFile, ByFirstBytes) {
  EXPECT_EQ(ClassifyExistingTextFile(""), ExistingTextFile::Missing);
  EXPECT_EQ(ClassifyExistingTextFile(kBom + "md5"), ExistingTextFile::Utf8WithBom);
  EXPECT_EQ(ClassifyExistingTextFile("md5 "), ExistingTextFile::Ansi);
  EXPECT_EQ(ClassifyExistingTextFile("\xEF\xBB"), ExistingTextFile::Ansi);
}

TEST(PlanTextAppend, KeepsOneEncodingPerFile) {
  int reads = 0;
  const auto old_content = [&reads] {
    ++reads;
    return std::wstring(L"md5  \u00E9.txt\r\n");
  };
  using Action = AppendPlan::Action;

  AppendPlan plan = PlanTextAppend(ExistingTextFile::Missing, L"a.exe\r\n", FakeCp1252, old_content);
  EXPECT_EQ(plan.action, Action::Append);
  EXPECT_EQ(plan.encoding, TextFileEncoding::Ansi);
  EXPECT_EQ(plan.bytes, "a.exe\r\n");

  plan = PlanTextAppend(ExistingTextFile::Missing, L"\u4E2D\r\n", FakeCp1252, old_content);
  EXPECT_EQ(plan.action, Action::Append);
  EXPECT_EQ(plan.bytes, kBom + "\xE4\xB8\xAD\r\n");

  plan = PlanTextAppend(ExistingTextFile::Ansi, L"\u00E9\r\n", FakeCp1252, old_content);
  EXPECT_EQ(plan.action, Action::Append);
  EXPECT_EQ(plan.bytes, "\xE9\r\n");

  // A UTF-8 file stays UTF-8, without a second mark.
  plan = PlanTextAppend(ExistingTextFile::Utf8WithBom, L"\u00E9\r\n", FakeCp1252, old_content);
  EXPECT_EQ(plan.action, Action::Append);
  EXPECT_EQ(plan.encoding, TextFileEncoding::Utf8WithBom);
  EXPECT_EQ(plan.bytes, "\xC3\xA9\r\n");
  EXPECT_EQ(reads, 0);

  // An ANSI file that cannot take the new name is converted, old lines kept.
  plan = PlanTextAppend(ExistingTextFile::Ansi, L"\u4E2D\r\n", FakeCp1252, old_content);
  EXPECT_EQ(plan.action, Action::RewriteAsUtf8);
  EXPECT_EQ(plan.encoding, TextFileEncoding::Utf8WithBom);
  EXPECT_EQ(plan.bytes, kBom + "md5  \xC3\xA9.txt\r\n\xE4\xB8\xAD\r\n");
  EXPECT_EQ(reads, 1);
}

}  // namespace
}  // namespace ondrix
