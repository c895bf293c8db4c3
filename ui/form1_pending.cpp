// Commands of the main window whose work belongs to other parts of the
// program (the calculation job, verification and clipboard, checksum and
// history files, updates and notices). Each
// is wired to its key, button or menu entry already; a body that only
// returns is a placeholder the named part replaces.
#include "engines/checksum_types.h"
#include "settings/ini_file.h"
#include "ui/form1.h"

namespace ondrix::ui {

// ---- updates and notices ----------------------------------------------------------------

void TForm1::Checkfornewerversionnow1Click() {
  // Placeholder: the manual update check.
}
void TForm1::RunAgeCheckOrDonationReminder() {
  // Placeholder: age warning or donation reminder, at every show.
}
void TForm1::Timer2Timer() {
  // Placeholder: waits a few ticks before the scheduled check.
}
void TForm1::timer_aktualizacja2Timer() {
  // Placeholder: runs the scheduled update check once.
}

}  // namespace ondrix::ui
