// The program-wide mouse cursor: while one is set, every window of ours
// shows it over its client area, whatever the window under the mouse would
// show by itself (the hourglass while a calculation runs, the hand over the
// file name). Windows answer WM_SETCURSOR with it, so it survives every
// mouse move.
#pragma once

#include <windows.h>

namespace ondrix::win {

// One of the system's cursors (IDC_WAIT, IDC_HAND, ...), shown at once; null
// gives every window its own cursor back.
void SetAppCursor(LPCWSTR system_cursor);
HCURSOR AppCursor();

// For WM_SETCURSOR: shows the program-wide cursor when one is set and the
// mouse is over a client area. True when it did; the message is then handled.
bool AnswerSetCursor(LPARAM lparam);

}  // namespace ondrix::win
