// When the age warning and the donation reminder are due, and their texts.
#include <gtest/gtest.h>

#include "update/build_date.h"
#include "update/notice_texts.h"

namespace ondrix {
namespace {

TEST(AgeWarning, IsDueFromSixtyWholeDaysInEitherDirection) {
  const Date build{2011, 1, 28};
  struct Case {
    LocalDateTime now;
    std::int64_t days;
  };
  const Case cases[] = {
      {{{2011, 1, 28}, 0, 0, 0}, 0},
      {{{2011, 3, 28}, 0, 0, 0}, 59},
      {{{2011, 3, 28}, 23, 59, 59}, 59},   // 59 days and some hours
      {{{2011, 3, 29}, 0, 0, 0}, 60},
      {{{2010, 11, 29}, 0, 0, 0}, 60},     // a clock set before the build date
      {{{2010, 11, 29}, 0, 0, 1}, 59},     // 59 days, 23:59:59 before it
      {{{2010, 11, 28}, 12, 0, 0}, 60},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DaysSinceBuild(c.now, build), c.days) << FormatDate(c.now.date) << ' ' << c.now.hour;
    EXPECT_EQ(IsOverTwoMonthsOld(c.now, build), c.days >= 60);
  }
}

TEST(AgeWarning, TextsAreTheProgramsOwn) {
  EXPECT_TRUE(kAgeWarningText.ends_with(L"Current version: 1.6.15\r\r\nDo you want to go to homepage now ? "));
  EXPECT_TRUE(kAgeWarningText.starts_with(L"Wooooow, wait a minute !\r\r\nThis program is over 2 months old."));
  EXPECT_TRUE(kAgeWarningDeclinedText.ends_with(L"(recommended)\"\r\r\nHave a nice day :)\r\nOndrix"));
}

TEST(BuildDate, IsAValidDateOfThisCentury) {
  const Date date = ReleaseBuildDate();
  EXPECT_TRUE(IsValidDate(date));
  EXPECT_GE(date.year, 2026);
}

TEST(DonationReminder, NoteCountsDownTheAnswersLeft) {
  const std::wstring head =
      L"Hi user, \r\r\nYou are using Ondrix for a long time\r\nI hope you like it, so you can now make an optional "
      L"donation via PayPal or paycard to support its further development and improvement.\r\nThe more "
      L"contributors, the better software you all receive.\r\r\nDo you want to go to support page now ?\r\r\r\n";
  EXPECT_EQ(DonationReminderText(L"PayPal", 0), head + L"Note: This message will show up again only 2 time(s)");
  EXPECT_EQ(DonationReminderText(L"PayPal", 1), head + L"Note: This message will show up again only 1 time(s)");
  EXPECT_EQ(DonationReminderText(L"PayPal", 2), head + L"Note: This question will show up again");
  EXPECT_EQ(DonationReminderText(L"PayPal", -1), head + L"Note: This message will show up again only 3 time(s)");
}

TEST(DonationReminder, IsDueAtEveryFiftiethShowing) {
  for (int n : {50, 100, 150, 0}) EXPECT_TRUE(IsDonationReminderDue(n)) << n;
  for (int n : {49, 51, 99, 2}) EXPECT_FALSE(IsDonationReminderDue(n)) << n;
}

TEST(UpdateTexts, KeepTheirDoubleBlanksAndLineBreaks) {
  EXPECT_EQ(DownloadQuestionText(L"New: faster"), L"New: faster\r\r\nDo you want to go to the download site now ?");
  EXPECT_NE(kUpdateErrorText.find(L"want to  turn off"), std::wstring_view::npos);
  EXPECT_NE(kUpdateErrorText.find(L"function  under \"Options\" icon"), std::wstring_view::npos);
  EXPECT_TRUE(kUpdateErrorText.starts_with(L"Error while checking for updates !\r\r\nIf you dont' know"));
}

}  // namespace
}  // namespace ondrix
