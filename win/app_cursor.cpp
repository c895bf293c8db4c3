#include "win/app_cursor.h"

namespace ondrix::win {
namespace {

HCURSOR g_app_cursor = nullptr;

}  // namespace

void SetAppCursor(LPCWSTR system_cursor) {
  g_app_cursor = system_cursor != nullptr ? ::LoadCursorW(nullptr, system_cursor) : nullptr;
  // Seen now, not only at the next mouse move.
  ::SetCursor(g_app_cursor != nullptr ? g_app_cursor : ::LoadCursorW(nullptr, IDC_ARROW));
}

HCURSOR AppCursor() { return g_app_cursor; }

bool AnswerSetCursor(LPARAM lparam) {
  if (g_app_cursor == nullptr || LOWORD(lparam) != HTCLIENT) return false;
  ::SetCursor(g_app_cursor);
  return true;
}

}  // namespace ondrix::win
