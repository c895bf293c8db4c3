// The notices at every show of the window, the age warning or the donation
// reminder, and the About window.
#include <algorithm>
#include <limits>

#include "settings/settings_file.h"
#include "text/product_text.h"
#include "ui/form1.h"
#include "update/about_window.h"
#include "update/notice_texts.h"

namespace ondrix::ui {

namespace {

using G = SettingsGroup;
using K = SettingKey;

LocalDateTime ToLocalDateTime(const SYSTEMTIME& t) {
  return LocalDateTime{Date{t.wYear, t.wMonth, t.wDay}, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace

void TForm1::RunAgeCheckOrDonationReminder() { AgeCheck(); }

// The age warning when this build is two months old or more, otherwise the
// donation reminder.
void TForm1::AgeCheck() {
  if (!Enablewarningifprogramisolderthat2monthsrecommended1.Checked() ||
      !IsOverTwoMonthsOld(ToLocalDateTime(desktop_.LocalTime()), BuildDate)) {
    ShowDonationReminder();
    return;
  }
  SetTopmost(0);
  const int answer = desktop_.ShowMessageEx(Hwnd(), kAgeWarningText, kAgeWarningTitle, win::MessageIcon::Warning,
                                            win::MessageButtons::YesNo, MB_TOPMOST | MB_SETFOREGROUND);
  if (answer == IDYES) {
    OpenVendorPage(kHomePageUrl);
    TerminateNow();
    return;
  }
  ShowMessage(kAgeWarningDeclinedText, kApplicationTitle, win::MessageIcon::Information);
  SetTopmost(1);
}

// Counts the showing and, at every fiftieth, asks for a donation, until the
// user has said yes three times. Nothing is counted or shown while the
// settings file cannot be written.
void TForm1::ShowDonationReminder() {
  const std::int32_t yes_count = ini_.ReadInt(K::Param2);
  if (yes_count >= kDonationYesLimit) return;
  // A hand-edited maximum stays where it is instead of overflowing.
  const std::int32_t showings =
      static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{ini_.ReadInt(K::Param1)} + 1,
                                                       std::numeric_limits<std::int32_t>::max()));
  if (!SettingsFileWritable()) return;
  if (!ondrix::SaveSettingGroup(ini_, G::Param1, {{K::Param1, std::to_string(showings)}})) return;
  if (!IsDonationReminderDue(showings)) return;

  // Not owned by the window, system-modal and in front.
  SetTopmost(0);
  const int answer = desktop_.ShowMessageEx(nullptr, DonationReminderText(kPaymentServiceName, yes_count),
                                            kDonationTitle, win::MessageIcon::Question, win::MessageButtons::YesNo,
                                            MB_SYSTEMMODAL | MB_SETFOREGROUND);
  SetTopmost(1);
  if (answer != IDYES) return;
  OpenVendorPage(kSupportPageUrl);
  ondrix::SaveSettingGroup(ini_, G::Param1, {{K::Param2, std::to_string(yes_count + 1)}});
  TerminateNow();
}

void TForm1::About1Click() {
  SetTopmost(0);
  ShowAboutWindow(Hwnd(), desktop_);
  SetTopmost(1);
}

}  // namespace ondrix::ui
