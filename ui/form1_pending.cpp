// Commands of the main window whose work belongs to other parts of the
// program (the calculation job, verification and clipboard, checksum and
// history files, file intake, shell integration). Each
// is wired to its key, button or menu entry already; a body that only
// returns is a placeholder the named part replaces.
#include "engines/checksum_types.h"
#include "settings/ini_file.h"
#include "ui/form1.h"

namespace ondrix::ui {

// ---- file intake and shell services ----------------------------------------------

void TForm1::ShowChooserAtCreation() {
  // Placeholder: the checksum-type chooser shown at creation for a file
  // argument when the default action is "ask".
}
void TForm1::Placeshortcutondesktop1Click() {
  // Placeholder: shortcut on the desktop.
}
void TForm1::Placeshortcutonquicklaunchbar1Click() {
  // Placeholder: shortcut on the Quick Launch bar.
}
void TForm1::EnableWindowsshellintegration1Click() {
  // Placeholder: registers or removes the Explorer verb.
}
void TForm1::Changecontextmenutitle1Click() {
  // Placeholder: retitles the Explorer verb.
}
void TForm1::FixcontextmenuifyouseeOpenfilewithwindow1Click() {
  // Placeholder: rewrites the Explorer verb's command line.
}
bool TForm1::VerifyShellVerb() {
  // Placeholder: until the Explorer verb is checked, the stored tick stands.
  return false;
}

}  // namespace ondrix::ui
