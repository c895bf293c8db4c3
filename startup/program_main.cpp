// Program entry: creates the main window (which loads the settings), shows
// it and runs the message loop until the window is gone.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "settings/settings_file.h"
#include "startup/chooser_dialog.h"
#include "startup/shortcuts.h"
#include "ui/form1.h"
#include "win/win32_desktop.h"

namespace {

struct CommandLine {
  int count = 0;           // arguments after the program's own path
  std::wstring first;      // the first of them, quotes removed
};

CommandLine ReadCommandLine() {
  CommandLine result;
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argv == nullptr) return result;
  result.count = argc > 1 ? argc - 1 : 0;
  if (argc > 1) result.first = argv[1];
  ::LocalFree(argv);
  return result;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  const CommandLine args = ReadCommandLine();
  // The shell link objects of the shortcut commands live in this thread.
  const ondrix::ComApartment com;

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);

  ondrix::win::Win32Desktop desktop;
  // With an argument the chooser exists (hidden) before the main window, so
  // that the window's creation can show it.
  std::unique_ptr<ondrix::Tfm_wybierz_algorytm> chooser;
  if (args.count > 0) {
    chooser = std::make_unique<ondrix::Tfm_wybierz_algorytm>(desktop, ondrix::SettingsPathFor(desktop.ProgramPath()));
    if (!chooser->Create()) chooser.reset();
  }
  ondrix::ui::TForm1 form(desktop);
  form.fm_wybierz_algorytm = chooser.get();
  // The window's creation: widgets, menus, settings.
  form.ArgumentCount = args.count;
  if (!form.Create(args.first)) return 1;
  // A start with a file: the type it is calculated with is not stored, and
  // the first show processes the file.
  form.StartedWithArgument = args.count > 0 ? 1 : 0;
  form.FirstShowPending = 1;
  // Showing the window runs its show handling, then the loop runs until the
  // window is destroyed.
  ::ShowWindow(form.Hwnd(), show == SW_HIDE ? SW_SHOWNORMAL : show);
  ::UpdateWindow(form.Hwnd());

  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (form.PreviewKeyMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
