// The Explorer context-menu verb's commands in the options menu, the
// checksum type chooser shown at creation, and the shortcut commands.
#include <cwchar>

#include "startup/chooser_dialog.h"
#include "startup/shell_verb.h"
#include "startup/shell_verb_text.h"
#include "startup/shortcuts.h"
#include "text/path_text.h"
#include "ui/form1.h"
#include "win/file_path.h"
#include "win/last_error.h"

namespace ondrix::ui {
namespace {

constexpr wchar_t kOperationFailed[] =
    L"Operation failed!\r\r\nMake sure you have administrator privileges on this computer or if you are using "
    L"Windows Vista, run this application with administrative privileges and try again.";
constexpr wchar_t kRegistered[] =
    L"Operation completed! \r\r\nYou may now calculate file checksum using ''Calculate file checksum'' option "
    L"from Windows Explorer context menu. Just right-click on selected file.";
constexpr wchar_t kRemoved[] = L"Operation completed! ";
constexpr wchar_t kEnableFirst[] = L"Enable shell integration first :)";
constexpr wchar_t kErrorTitle[] = L"Error";
constexpr wchar_t kInformationTitle[] = L"Information";

// A file or a folder of that name exists.
bool DirectoryEntryExists(const std::wstring& path) {
  return ::GetFileAttributesW(ExtendedLengthPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The system's words for why a link could not be saved.
std::wstring ReasonText(HRESULT error) {
  const DWORD code = HRESULT_FACILITY(error) == FACILITY_WIN32 ? static_cast<DWORD>(HRESULT_CODE(error))
                                                                : static_cast<DWORD>(error);
  std::wstring text = win::SystemErrorText(code);
  if (text.empty()) {
    wchar_t number[16];
    ::swprintf(number, 16, L"0x%08lX", static_cast<unsigned long>(error));
    text = L"Error " + std::wstring(number);
  }
  return text;
}

}  // namespace

// ---- the verb ------------------------------------------------------------------------

void TForm1::proc_shell_wlacz_integracje(std::wstring_view title, bool report) {
  const bool registered = RegisterShellVerb(title, desktop_.ProgramPath());
  if (!report) return;
  if (!registered) {
    ShowMessage(kOperationFailed, kErrorTitle, win::MessageIcon::Error);
    return;
  }
  ShowMessage(kRegistered, kInformationTitle, win::MessageIcon::Information);
  EnableWindowsshellintegration1.SetChecked(true);
}

void TForm1::proc_shell_wylacz_integracje() {
  if (!RemoveShellVerb()) {
    ShowMessage(kOperationFailed, kErrorTitle, win::MessageIcon::Error);
    return;
  }
  ShowMessage(kRemoved, kInformationTitle, win::MessageIcon::Information);
  EnableWindowsshellintegration1.SetChecked(false);
}

bool TForm1::VerifyShellVerb() { return ondrix::VerifyShellVerb(desktop_.ProgramPath()); }

void TForm1::EnableWindowsshellintegration1Click() {
  if (EnableWindowsshellintegration1.Checked()) {
    proc_shell_wylacz_integracje();
  } else {
    SetTopmost(0);
    const std::optional<std::wstring> title = desktop_.InputText(
        Hwnd(), L"Enable Explorer integration",
        L"Enter text that will be displayed to you in Windows Explorer context menu\r\n", kDefaultShellVerbTitle);
    SetTopmost(1);
    if (!title) return;
    proc_shell_wlacz_integracje(*title, true);
  }
  SaveSettingGroup(SettingsGroup::ShellDefaultAction);
}

void TForm1::Changecontextmenutitle1Click() {
  if (!EnableWindowsshellintegration1.Checked()) {
    ShowMessage(kEnableFirst, kInformationTitle, win::MessageIcon::Information);
    return;
  }
  SetTopmost(0);
  const std::optional<std::wstring> title =
      desktop_.InputText(Hwnd(), L"Change title", L"Enter new context menu title\r\n", ReadShellVerbTitle());
  SetTopmost(1);
  if (!title) return;
  // The command line is written again as well, for the program's path now.
  proc_shell_wlacz_integracje(*title, true);
  SaveSettingGroup(SettingsGroup::ShellDefaultAction);
}

// Explorer offers its "Open with" dialog when the command names a program
// file that is gone; the title stays and the command names this program.
void TForm1::FixcontextmenuifyouseeOpenfilewithwindow1Click() {
  if (!EnableWindowsshellintegration1.Checked()) {
    ShowMessage(kEnableFirst, kInformationTitle, win::MessageIcon::Information);
    return;
  }
  proc_shell_wlacz_integracje(ReadShellVerbTitle(), true);
  SaveSettingGroup(SettingsGroup::ShellDefaultAction);
}

// ---- the chooser at creation -------------------------------------------------------------

// The window is not visible yet; the pick waits in PendingChosenType for
// the first show.
bool TForm1::ShowChooserAtCreation() {
  if (fm_wybierz_algorytm == nullptr || FirstArgument.empty()) return true;
  if (!Askforchecksumtypetocalculate1.Checked()) return true;
  // A folder passes here; the first show reports that it cannot be opened.
  if (!DirectoryEntryExists(FirstArgument)) return true;
  fm_wybierz_algorytm->ShowModal();
  if (fm_wybierz_algorytm->EndedProgram()) return false;
  if (fm_wybierz_algorytm->Picked()) PendingChosenType = fm_wybierz_algorytm->ChooserPick;
  return true;
}

// ---- shortcuts --------------------------------------------------------------------------------

void TForm1::Placeshortcutondesktop1Click() {
  PlaceShortcutIn(win::ShellFolder::Desktop, L"", L"Shortcut to this program placed on desktop !");
}

void TForm1::Placeshortcutonquicklaunchbar1Click() {
  PlaceShortcutIn(win::ShellFolder::AppData, L"Microsoft\\Internet Explorer\\Quick Launch",
                  L"Shortcut to this program placed on Quick Launch bar !");
}

// The confirmation only when the link was saved; otherwise the link's path
// and the system's reason.
void TForm1::PlaceShortcutIn(win::ShellFolder folder, std::wstring_view subfolder,
                             std::wstring_view confirmation) {
  const std::wstring program = desktop_.ProgramPath();
  const std::optional<std::wstring> base = desktop_.ShellFolderPath(folder);
  if (!base) {
    ShowMessage(L"Cannot place shortcut\r\r\n" + FileNameOf(program) + L".lnk\r\r\n" +
                    win::SystemErrorText(ERROR_PATH_NOT_FOUND),
                kErrorTitle, win::MessageIcon::Error);
    return;
  }
  std::wstring target_folder = *base;
  if (!subfolder.empty()) {
    while (!target_folder.empty() && target_folder.back() == L'\\') target_folder.pop_back();
    target_folder += L'\\';
    target_folder += subfolder;
  }
  const ShortcutResult result = PlaceShortcut(target_folder, program);
  if (!result.ok) {
    ShowMessage(L"Cannot place shortcut\r\r\n" + result.link_path + L"\r\r\n" +
                    ReasonText(result.error),
                kErrorTitle, win::MessageIcon::Error);
    return;
  }
  ShowMessage(confirmation, kInformationTitle, win::MessageIcon::Information);
}

}  // namespace ondrix::ui
