// Balloon tooltips over text fields: one tooltip window for the program,
// one tool per control, set again whenever the text changes.
#pragma once

#include <windows.h>

#include <string_view>

#include "win/control.h"
#include "win/handles.h"

namespace ondrix::win {

class BalloonTip {
 public:
  // Creates the tooltip window (always-tip, balloon), owned by `owner`,
  // topmost without activation. False when the system refuses.
  bool CreateBalloonTipWindow(HWND owner);
  HWND Hwnd() const noexcept { return tip_.Get(); }

  // Shows `text` with `title` and `icon` (0 none, 1 info, 2 warning,
  // 3 error; anything else is 0) while the mouse rests on `control`.
  // Does nothing when the control has no window.
  void SetBalloonTip(const Control& control, int icon, std::wstring_view title, std::wstring_view text);
  void SetBalloonTip(HWND control, int icon, std::wstring_view title, std::wstring_view text);

  // Number of controls with a tip (TTM_GETTOOLCOUNT).
  int ToolCount() const;

 private:
  UniqueWindow tip_;
};

}  // namespace ondrix::win
