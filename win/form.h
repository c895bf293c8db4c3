// A top-level window whose client area is the root of a control tree:
// children align in it, their notifications are reflected back to them, its
// size limits come from Constraints, and its font follows its DPI.
#pragma once

#include <string_view>

#include "win/control.h"
#include "win/handles.h"
#include "win/window_base.h"

namespace ondrix::win {

class Form : public WindowBase {
 public:
  // Creates the window with the given client size in pixels.
  bool CreateForm(const WindowClassInfo& cls, std::wstring_view title, DWORD style, DWORD ex_style, int client_width,
                  int client_height, HWND owner = nullptr);

  // The client area as a container for controls.
  Control& Surface() noexcept { return surface_; }
  UINT Dpi() const noexcept { return dpi_; }
  HFONT UiFont() const noexcept { return font_.Get(); }

  // Limits of the outer size; 0 means none.
  SizeConstraints Constraints;

  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientSize(int width, int height);
  void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
  // Takes the new DPI's font for all controls, then the suggested rectangle.
  void OnDpiChanged(UINT dpi, const RECT& suggested) override;

 private:
  Control surface_;
  UniqueFont font_;
  UINT dpi_ = 96;
};

}  // namespace ondrix::win
