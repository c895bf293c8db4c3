// The version document's rules: lines and names, the version text and its
// parsing, what the document says and whether it names another version.
#include <gtest/gtest.h>

#include <string>

#include "update/version_document.h"

namespace ondrix {
namespace {

constexpr char kOwnVersion[] = "1.6.15.0";

TEST(DocumentValue, FindsTheFirstLineOfTheNameWhateverItsCaseAndLineEnd) {
  const std::string doc =
      "junk line\r\nlatestversion=1.7\nUpdateURL=http://x/a=b\rLatestVersion=9.9\r\n\r\nNewVersionInfo= spaced ";
  EXPECT_EQ(DocumentValue(doc, "LatestVersion"), "1.7");
  EXPECT_EQ(DocumentValue(doc, "UPDATEURL"), "http://x/a=b");  // the value keeps later "="
  EXPECT_EQ(DocumentValue(doc, "NewVersionInfo"), " spaced ");  // blanks are kept
  EXPECT_EQ(DocumentValue(doc, "Missing"), "");
  EXPECT_EQ(DocumentValue(doc, "junk line"), "");  // a line without "=" defines nothing
}

TEST(DocumentValue, BlanksAroundTheEqualsSignBelongToNameAndValue) {
  const std::string doc = "LatestVersion = 1.6.16\r\n";
  EXPECT_EQ(DocumentValue(doc, "LatestVersion"), "");
  EXPECT_EQ(DocumentValue(doc, "LatestVersion "), " 1.6.16");
}

TEST(DocumentValue, ANulEndsTheText) {
  const std::string doc("UpdateURL=a\0b\r\nLatestVersion=2.0\r\n", 33);
  EXPECT_EQ(DocumentValue(doc, "UpdateURL"), "a");
  EXPECT_EQ(DocumentValue(doc, "LatestVersion"), "");
}

TEST(ParseVersion, AcceptsUpToFourDecimalParts) {
  struct Case {
    const char* text;
    VersionQuad expected;
  };
  const Case cases[] = {
      {"", {0, 0, 0, 0}},
      {"5", {5, 0, 0, 0}},
      {"1.6", {1, 6, 0, 0}},
      {"1.6.15", {1, 6, 15, 0}},
      {"01.06.15.0", {1, 6, 15, 0}},
      {"1.6.16.0.9", {1, 6, 16, 0}},     // a fifth part is ignored
      {"1.6.16.0.x y", {1, 6, 16, 0}},   // whatever it holds
      {" 1. 2.+3.-4", {1, 2, 3, -4}},    // leading blanks and a sign
      {"2147483647.-2147483648", {2147483647, -2147483648, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseVersion(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ParseVersion, RejectsAnythingElseNamingTheWholeValue) {
  for (const char* text : {"1.6.16 ", "1.6.", "1..6", ".", "a", "1.6b", "1,6", "- 1", "+", "1.2147483648",
                           "0x10", "1.6\t"}) {
    try {
      ParseVersion(text);
      ADD_FAILURE() << '"' << text << "\" parsed";
    } catch (const EAutoUpdateInvalidUpdateInfoDocument& e) {
      EXPECT_EQ(std::string(e.what()), std::string("The version info string \"") + text + "\" could not be parsed");
    }
  }
}

TEST(FormatVersion, WritesFourDecimalPartsWithoutLeadingZeros) {
  EXPECT_EQ(FormatVersion({1, 6, 15, 0}), "1.6.15.0");
  EXPECT_EQ(FormatVersion({0, 0, 0, 0}), "0.0.0.0");
  EXPECT_EQ(FormatVersion({-1, 2147483647, 10, 3}), "-1.2147483647.10.3");
}

TEST(ReadVersionInfo, ComparesThePublishedVersionWithTheOwnOne) {
  struct Case {
    const char* document;
    bool different;
  };
  const Case cases[] = {
      {"LatestVersion=1.6.15\r\n", false},
      {"LatestVersion=01.06.15.0\r\n", false},
      {"LatestVersion=1.6.15.0.7\r\n", false},
      {"LatestVersion=1.6.16\r\n", true},
      {"LatestVersion=1.6.14\r\n", true},        // a lower version counts too
      {"latestversion=1.7\r\n", true},
      {"UpdateURL=x\r\n", true},                 // missing: 0.0.0.0
      {"LatestVersion = 1.6.15\r\n", true},      // the name ends in a blank
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsDifferentVersion(ReadVersionInfo(c.document).latest, kOwnVersion), c.different) << c.document;
  }
  EXPECT_THROW(ReadVersionInfo("LatestVersion=1.6.16 \r\n"), EAutoUpdateInvalidUpdateInfoDocument);
}

TEST(ReadVersionInfo, AsksForTheSecondDocumentOnlyWhenTheTextIsBlank) {
  const VersionInfo inline_text =
      ReadVersionInfo("LatestVersion=2\r\nUpdateURL=u\r\nNewVersionInfo=New!\r\nNewVersionInfoURL=http://h/n.txt\r\n");
  EXPECT_EQ(inline_text.update_url, "u");
  EXPECT_EQ(inline_text.new_version_info, "New!");
  EXPECT_EQ(inline_text.new_version_info_url, "");

  const VersionInfo blank = ReadVersionInfo("LatestVersion=2\r\nNewVersionInfo=  \r\nNewVersionInfoURL= http://h/n.txt \r\n");
  EXPECT_EQ(blank.new_version_info_url, "http://h/n.txt");

  const VersionInfo neither = ReadVersionInfo("LatestVersion=2\r\nNewVersionInfoURL=  \r\n");
  EXPECT_EQ(neither.new_version_info, "");
  EXPECT_EQ(neither.new_version_info_url, "");
}

TEST(TrimBlanks, RemovesBlanksAndControlCharactersAround) {
  EXPECT_EQ(TrimBlanks(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimBlanks("   "), "");
}

}  // namespace
}  // namespace ondrix
