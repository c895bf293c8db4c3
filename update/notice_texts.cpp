#include "update/notice_texts.h"

#include <cstdlib>

namespace ondrix {

std::wstring DownloadQuestionText(std::wstring_view new_version_info) {
  std::wstring text(new_version_info);
  text += L"\r\r\nDo you want to go to the download site now ?";
  return text;
}

std::int64_t DaysSinceBuild(const LocalDateTime& now, const Date& build_date) {
  constexpr std::int64_t kSecondsPerDay = 86400;
  const std::int64_t seconds = (DaysFromCivil(now.date) - DaysFromCivil(build_date)) * kSecondsPerDay +
                               now.hour * 3600 + now.minute * 60 + now.second;
  return std::llabs(seconds) / kSecondsPerDay;
}

bool IsOverTwoMonthsOld(const LocalDateTime& now, const Date& build_date) {
  return DaysSinceBuild(now, build_date) >= 60;
}

std::wstring DonationReminderText(std::wstring_view payment_service, std::int32_t yes_count) {
  std::wstring text =
      L"Hi user, \r\r\nYou are using Ondrix for a long time\r\nI hope you like it, so you can now make an optional "
      L"donation via ";
  text += payment_service;
  text += L" or paycard to support its further development and improvement.\r\nThe more contributors, the better "
          L"software you all receive.\r\r\nDo you want to go to support page now ?\r\r\r\n";
  const std::int64_t left = 2 - std::int64_t{yes_count};
  if (left > 0) {
    text += L"Note: This message will show up again only " + std::to_wstring(left) + L" time(s)";
  } else {
    text += L"Note: This question will show up again";
  }
  return text;
}

bool IsDonationReminderDue(std::int32_t showing_count) { return showing_count % kDonationInterval == 0; }

}  // namespace ondrix
