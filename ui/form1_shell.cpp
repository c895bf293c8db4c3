// Work handed to the Windows shell: the properties sheet of the selected
// file, Explorer with the file selected, and a second copy of the program.
// Failures of the shell are not reported; the user sees nothing happen.
#include "ui/form1.h"

namespace ondrix::ui {

void TForm1::ShowFileProperties() {
  win::StartRequest request;
  request.verb = L"properties";
  request.file = SelectedFilePath;
  request.owner = Hwnd();
  request.show = SW_HIDE;
  desktop_.Start(request);
}

// The path is quoted, so names with spaces or commas reach Explorer whole.
void TForm1::LocateInExplorer() {
  win::StartRequest request;
  request.verb = L"open";
  request.file = L"explorer.exe";
  request.parameters = L"/e,/select, \"" + SelectedFilePath + L"\"";
  desktop_.Start(request);
}

// The new copy starts without a file and shares the settings and history
// files with this one.
void TForm1::Clone1Click() {
  win::StartRequest request;
  request.verb = L"open";
  request.file = desktop_.ProgramPath();
  desktop_.Start(request);
}

}  // namespace ondrix::ui
