// The texts of the update check, the age warning and the donation reminder,
// and the rules that decide when the notices are due. Pure, so they are
// tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings_values.h"

namespace ondrix {

// ---- update check --------------------------------------------------------------
inline constexpr std::wstring_view kCheckingForUpdatesTitle = L"Checking for program updates...";
inline constexpr std::wstring_view kUpdateErrorText =
    L"Error while checking for updates !\r\r\nIf you dont' know why this happens or if you want to  turn off "
    L"automatic update checking at program startup, disable this function  under \"Options\" icon";
inline constexpr std::wstring_view kNoNewerVersionText = L"No newer version available";
// The download question: what is new, then the question.
std::wstring DownloadQuestionText(std::wstring_view new_version_info);

// ---- age warning ----------------------------------------------------------------
inline constexpr std::wstring_view kAgeWarningTitle = L"Ondrix Updater";
inline constexpr std::wstring_view kAgeWarningText =
    L"Wooooow, wait a minute !\r\r\nThis program is over 2 months old. Veeery old...\r\nIn order to avoid specific "
    L"bugs with this application in newer environments (new Windows updates, service packs, etc), and keep you up "
    L"to date with this application releases, you SHOULD download newer version.\r\r\nYou will now be redirected "
    L"to this program homepage where you can get a newer copy of this program.\r\nNewer version is also free of "
    L"any charges and is spyware-free.\r\r\nCurrent version: 1.6.15\r\r\nDo you want to go to homepage now ? ";
inline constexpr std::wstring_view kAgeWarningDeclinedText =
    L"To disable this checking, uncheck under \"Options\" this setting:\r\r\n\"Enable warning if program is older "
    L"that 2 months (recommended)\"\r\r\nHave a nice day :)\r\nOndrix";

// A moment of local time: the date and the time of day.
struct LocalDateTime {
  Date date;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Whole days between `now` and the start of `build_date`, in either
// direction, the part of a day dropped.
std::int64_t DaysSinceBuild(const LocalDateTime& now, const Date& build_date);
// Sixty days or more, either way, counts as over two months old.
bool IsOverTwoMonthsOld(const LocalDateTime& now, const Date& build_date);

// ---- donation reminder ----------------------------------------------------------
inline constexpr std::wstring_view kDonationTitle = L"Message from Ondrix";
// After this many answers Yes the reminder stops.
inline constexpr std::int32_t kDonationYesLimit = 3;
// The reminder comes at every showing whose count is a multiple of this.
inline constexpr std::int32_t kDonationInterval = 50;
// The question with its closing note; `yes_count` is Param2, how often the
// user already said yes.
std::wstring DonationReminderText(std::wstring_view payment_service, std::int32_t yes_count);
bool IsDonationReminderDue(std::int32_t showing_count);

}  // namespace ondrix
