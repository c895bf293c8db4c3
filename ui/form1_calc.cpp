// The calculation as the window runs it: the start, the "Calculate" /
// "Cancel" button, the automatic start on a type change, the abort, and the
// progress timer that finishes the job as completed, aborted or failed.
// The worker itself and its flags live in job/calc_job.h.
#include "engines/checksum_types.h"
#include "job/progress_text.h"
#include "settings/ini_file.h"
#include "startup/file_info.h"
#include "ui/form1.h"
#include "win/app_cursor.h"

namespace ondrix::ui {

ChecksumType TForm1::CheckedType() {
  for (int n = 1; n <= static_cast<int>(kChecksumTypeCount); ++n) {
    if (Selector(n)->Checked()) {
      if (const ChecksumTypeInfo* type = FindTypeBySelector(n)) return type->type;
    }
  }
  return ChecksumType::MD5;
}

void TForm1::StartCalculation() {
  // A pending update check waits for no calculation and is not resumed.
  timer_aktualizacja2.SetEnabled(false);
  Timer2.SetEnabled(false);
  CalcStartTick = static_cast<std::uint32_t>(desktop_.TickCount());
  // The same open the worker makes, so a locked file is reported here.
  const std::wstring error = TryOpenFile(SelectedFilePath);
  if (!error.empty()) {
    ShowMessage(L"Cannot access file " + FileNameOf(SelectedFilePath) + L"\r\r\n" + error, L"Error",
                win::MessageIcon::Error);
    CalcIdle = 1;
    return;
  }
  // The type is taken only now: a start that fails leaves the result shown
  // paired with the type it was computed with.
  const ChecksumTypeInfo& type = TypeInfo(CheckedType());
  CalcTypeKey = std::string(type.key);
  // The size and name of the file being read.
  Label4.SetCaption(FormatSizeText(SelectedFileSize, L""));
  label9.SetCaption(FileNameOf(SelectedFilePath));
  // Nothing that would change the job is usable while it runs; the
  // button becomes "Cancel".
  for (win::Control* c : std::initializer_list<win::Control*>{
           &SpeedButton2, &SpeedButton5, &btn_openfile, &btn_savefile, &speed_ok, &speed_blad, &speed_warn, &Edit1,
           &Edit2, &ComboBox1, &RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4}) {
    c->SetEnabled(false);
  }
  SpeedButton3.SetCaption(L"Cancel");
  SpeedButton3.SetGlyph(SpeedButton13.GetGlyph());
  win::SetAppCursor(IDC_WAIT);
  // The worker gets its own copy of the file, size and type.
  CalcRunning = 1;
  Job.SelectedFilePath = SelectedFilePath;
  Job.SelectedFileSize = SelectedFileSize;
  Job.SelectedType = type.type;
  // Drops are refused from here until the job ends. Switched off on this
  // thread: from the worker it would be a cross-thread style change that
  // waits for this thread's message loop.
  ::DragAcceptFiles(Hwnd(), FALSE);
  Job.Start();
  Timer1.SetEnabled(true);
}

void TForm1::SpeedButton3Click() {
  if (SpeedButton3.Caption() == L"Cancel") {
    // The abort goes through the key handling, exactly like Esc.
    ::PostMessageW(Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    return;
  }
  if (SelectedFilePath.empty()) return;
  CalcIdle = 0;
  Timer2.SetEnabled(false);
  StartCalculation();
  ReadFileTimes(SelectedFilePath);
}

// The hidden selector follows the list; a change made by the user may start
// a calculation, one made by the program never does.
void TForm1::ComboBox1Change(bool by_user) {
  if (const ChecksumTypeInfo* type = FindTypeByComboIndex(ComboBox1.ItemIndex())) {
    Selector(type->selector)->SetChecked(true);
  }
  if (by_user && Autocalculatewhenchecksumtypechanged1.Checked()) SpeedButton3.Click();
}

// Esc while a calculation is about to run or runs. The worker is only told
// to stop; the next tick joins it and shows the abort.
void TForm1::AbortCalculation() {
  CalcIdle = 1;
  CalcRunning = 0;
  Job.RequestAbort();
}

void TForm1::Timer1Timer() {
  // Ticks only count while a job is running or waits to be finished.
  if (!Timer1.Enabled()) return;
  const JobOutcome outcome = Job.Outcome();
  if (outcome == JobOutcome::Running) {
    if (const auto percent = ProgressPercent(Job.ProgressBytes(), SelectedFileSize)) {
      const ProgressTexts texts = BuildProgressTexts(*percent, SelectedFilePath, Showfilenameontitlebar1.Checked());
      SetStatusText(texts.status);
      ApplyTitleTexts(texts.title);
    }
  } else {
    SpeedButton3.SetCaption(L"Calculate");
    SpeedButton3.SetGlyph(SpeedButton14.GetGlyph());
    switch (outcome) {
      case JobOutcome::Completed:
        CompleteCalculation();
        break;
      case JobOutcome::Failed:
        FinishFailedCalculation();
        break;
      default:
        FinishAbortedCalculation();
        break;
    }
  }
  // No control keeps the keyboard focus while the job runs.
  if (::GetFocus() != nullptr && ::IsChild(Hwnd(), ::GetFocus())) ::SetFocus(Hwnd());
}

void TForm1::EnableControlsAfterCalculation() {
  for (win::Control* c : std::initializer_list<win::Control*>{
           &btn_kopiujsume, &SpeedButton2, &SpeedButton3, &btn_info, &SpeedButton5, &btn_config, &btn_openfile,
           &btn_savefile, &speed_ok, &speed_blad, &speed_warn, &Edit1, &Edit2, &ComboBox1, &RadioButton1,
           &RadioButton2, &RadioButton3, &RadioButton4}) {
    c->SetEnabled(true);
  }
  ApplyColors();
  win::SetAppCursor(nullptr);
}

// What every ending shows once the worker is gone: the checksum text, drops
// accepted again, the title of the selected file, the comparison.
void TForm1::EndCalculationDisplay(std::wstring_view checksum_text) {
  EnableControlsAfterCalculation();
  Edit1.SetText(checksum_text);
  ::DragAcceptFiles(Hwnd(), TRUE);
  UpdateTitleBar();
  CompareChecksums();
  SetBalloonTip(Edit1, 0, L"", Edit1.Text());
  SetBalloonTip(Edit2, 0, L"", Edit2.Text());
}

// The worker has published its outcome: stop watching it, wait for its
// thread and free what it held.
void TForm1::EndFinishedWorker() {
  Timer1.SetEnabled(false);
  CalcRunning = 0;
  Job.JoinWorker();
  Job.ReleaseStream();
  Job.ReleaseEngine(CalcTypeKey);
}

void TForm1::CompleteCalculation() {
  EndFinishedWorker();
  CalcIdle = 1;
  SetStatusText(CompletedStatusText(Displaytimeelapsedandcalculatestateinbottombaroftheform1.Checked(), CalcStartTick,
                                    static_cast<std::uint32_t>(desktop_.TickCount())));
  EndCalculationDisplay(Job.ResultChecksum);
  if (Savedefaultchecksum1.Checked() && StartedWithArgument == 0) {
    // A refused write is reported, and the rest of the completion still runs.
    try {
      SaveSettingGroup(SettingsGroup::SaveLastChecksumType);
    } catch (const ESettingsWrite& e) {
      ShowCriticalError(e.Message());
    }
  }
  StartedWithArgument = 0;
  AppendHistory(Enable1.Checked());
  if (Flashtaskbarwhencalculationcompleted1.Checked()) FlashTaskbar();
  ::BringWindowToTop(Hwnd());
}

void TForm1::FinishAbortedCalculation() {
  Timer1.SetEnabled(false);
  CalcRunning = 0;
  // Never waits for the worker: a read it is stuck in is cancelled and the
  // worker is let go with its stream and engine; it writes nothing more.
  Job.StopWithoutWaiting();
  Job.ReleaseStream();
  SetStatusText(kStatusAborted);
  CalcIdle = 1;
  EndCalculationDisplay(kAbortedChecksumText);
  Job.ReleaseEngine(CalcTypeKey);
  if (Flashtaskbarwhencalculationcompleted1.Checked()) FlashTaskbar();
  ::BringWindowToTop(Hwnd());
}

// The worker could not open or read the file, or met an error it could not
// handle: no checksum is shown or written, the type is not stored, and the
// user learns which file failed and why.
void TForm1::FinishFailedCalculation() {
  EndFinishedWorker();
  CalcIdle = 1;
  SetStatusText(kStatusIdle);
  EndCalculationDisplay(L"");
  if (Flashtaskbarwhencalculationcompleted1.Checked()) FlashTaskbar();
  ShowMessage(Job.FailureText, L"Error", win::MessageIcon::Error);
}

void TForm1::FlashTaskbar() { desktop_.FlashTaskbar(Hwnd(), 1); }

// Closing stops the worker and lets go of what it held, without waiting for
// a read; the flags stay, so a window that only hides to the tray still
// shows the job until Esc.
void TForm1::StopCalculationForClose() {
  if (CalcRunning != 1) return;
  Job.StopWithoutWaiting();
  Job.ReleaseStream();
  Job.ReleaseEngine(CalcTypeKey);
}

}  // namespace ondrix::ui
