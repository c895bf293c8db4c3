#include "ui/help_text.h"

#include <array>
#include <string_view>

namespace ondrix::ui {

std::wstring KeyboardShortcutsText() {
  // The lines of the box in order; empty strings are the blank lines that
  // group the shortcuts.
  static constexpr std::array<std::wstring_view, 32> kLines = {
      L"Global keyboard shortcuts list:",
      L"",
      L"F1 - About window",
      L"F2 - Toggle normal<>mini size form",
      L"F3 - Show/Hide caption bar",
      L"F5 - Calculate/refresh checksum",
      L"F10 - open settings menu",
      L"",
      L"Ctrl+O - open file to calculate",
      L"Ctrl+S - save checksum to file",
      L"Ctrl+C - copy checksum to clipboard",
      L"Ctrl+V - paste checksum from clipboard",
      L"Ctrl+R - copy row with checksum and filename to clipboard  (classic checksum file row format)",
      L"Ctrl+B - copy file details to clipboard",
      L"Ctrl+I - open file details in Notepad program",
      L"Ctrl+P - show file properties like in Windows Explorer",
      L"Ctrl+G - locate selected file in Explorer",
      L"",
      L"Ctrl+U - Display upper/lowercase checksums",
      L"Ctrl+T - Enable/disable stay on top function",
      L"Ctrl+H - Show history of calculated checksums",
      L"",
      L"Ctrl+Q - terminate application (skip hiding to tray icon area)",
      L"ESC - close application or hide to icon (if configured",
      L"",
      L"Mouse actions:",
      L"",
      L"LMB - drag application window with left mouse button (not only its caption bar)",
      L"RMB - show settings with right mouse button (like F10 key)",
      L"",
      L"",
      L"Full list of available settings under \"Gear\" icon or by pressing F10",
  };
  std::wstring text;
  for (std::size_t i = 0; i < kLines.size(); ++i) {
    text += kLines[i];
    if (i + 1 < kLines.size()) text += L"\r\n";
  }
  return text;
}

}  // namespace ondrix::ui
