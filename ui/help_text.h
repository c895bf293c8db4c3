// The text of the "Keyboard shortcuts" box of the help menu.
#pragma once

#include <string>

namespace ondrix::ui {

// Every line but the last ends in CR LF; the last one ends the text.
std::wstring KeyboardShortcutsText();

}  // namespace ondrix::ui
