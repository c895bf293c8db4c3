#include "win/busy_bar.h"

#include <windows.h>
#include <commctrl.h>

namespace ondrix::win {

bool BusyBar::Create(Control& parent, const Bounds& bounds, bool visible) {
  return CreateChild(parent, PROGRESS_CLASSW, PBS_MARQUEE | (visible ? WS_VISIBLE : 0), 0, {}, bounds);
}

void BusyBar::SetActive(bool active) {
  active_ = active;
  if (Hwnd() != nullptr) ::SendMessageW(Hwnd(), PBM_SETMARQUEE, active ? TRUE : FALSE, 30);
}

}  // namespace ondrix::win
