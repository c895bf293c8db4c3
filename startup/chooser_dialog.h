// The checksum type chooser: a small modal window shown before the main
// window when the program is started with a file and the default action is
// "ask". The user picks one of the eleven types, "No calculate", or the last
// pick again (F2); Escape ends the program.
#pragma once

#include <array>
#include <string>

#include "startup/chooser_rules.h"
#include "win/desktop.h"
#include "win/form.h"
#include "win/handles.h"
#include "win/push_button.h"

namespace ondrix {

class Tfm_wybierz_algorytm : public win::Form {
 public:
  // `settings_path` is the settings file the last pick is read from and
  // written to.
  Tfm_wybierz_algorytm(win::IDesktop& desktop, std::wstring settings_path);

  // Creates the dialog hidden, centred on the screen, its size following
  // the screen's DPI. Empties ChooserPick.
  bool Create();

  // Shows the dialog and returns once a button, Escape or a system close
  // ended it. The outcome is ChooserPick, Picked() and EndedProgram().
  void ShowModal();

  // True when a button made the pick (an empty pick is "No calculate").
  bool Picked() const noexcept { return picked_; }
  // True when Escape asked the desktop to end the program.
  bool EndedProgram() const noexcept { return ended_program_; }
  // The marked button (bold and focused), or null.
  win::PushButton* MarkedButton() const noexcept { return marked_; }
  bool IsBold(const win::PushButton& button) const;

  // The pick: a display name, or empty for none.
  std::wstring ChooserPick;
  // The stored last pick as read when the dialog was shown.
  std::wstring ChooserLastUsed;

  win::PushButton Button1, Button2, Button3, Button4, Button5, Button6, Button7, Button8, Button9, Button10,
      Button11, Button12, Button13;
  // The button of a row of ChooserButtons(), by its index.
  win::PushButton& ButtonAt(std::size_t index);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
  void OnDpiChanged(UINT dpi, const RECT& suggested) override;

 private:
  void ReadLastUsed();
  void PlaceButtons();
  void CentreOnScreen();
  void ButtonClick(std::size_t index);
  // Escape, F2 and Enter, before the focused button sees them.
  bool PreviewKey(const MSG& msg);
  void EndModal();

  win::IDesktop& desktop_;
  std::wstring settings_path_;
  win::UniqueFont bold_font_;
  win::PushButton* marked_ = nullptr;
  bool picked_ = false;
  bool ended_program_ = false;
  bool modal_ = false;
};

}  // namespace ondrix
