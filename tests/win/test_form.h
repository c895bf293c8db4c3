// A real top-level window for control tests, never shown.
#pragma once

#include "win/form.h"

namespace ondrix::win::testing {

class TestForm : public Form {
 public:
  explicit TestForm(int client_width = 400, int client_height = 300) {
    CreateForm({.name = L"OndrixWinTestForm"}, L"test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, client_width,
               client_height);
  }
};

// Handles whatever is queued, so posted work (timers, layout) runs.
inline void PumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace ondrix::win::testing
