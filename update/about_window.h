// The About window: the program's name and version (from its version
// resource), links to the vendor's home and support pages, and the
// contributors in a tree. Modal; Escape and Enter close it.
#pragma once

#include <windows.h>

#include "win/desktop.h"

namespace ondrix {

// Shows the window owned by `owner`, through `desktop`, until it is closed.
// Links are opened through `desktop` too (the default browser).
void ShowAboutWindow(HWND owner, win::IDesktop& desktop);

}  // namespace ondrix
