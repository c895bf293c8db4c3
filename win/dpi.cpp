#include "win/dpi.h"

namespace ondrix::win {

UINT DpiOf(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi_for_window != nullptr && hwnd != nullptr) {
    const UINT dpi = get_dpi_for_window(hwnd);
    if (dpi != 0) return dpi;
  }
  WindowDC dc(nullptr);
  const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSX) : 0;
  return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

UniqueFont CreateUiFont(UINT dpi, bool bold) {
  LOGFONTW lf{};
  lf.lfHeight = -::MulDiv(8, static_cast<int>(dpi), 72);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
  return UniqueFont(::CreateFontIndirectW(&lf));
}

UniqueFont CreateFontVariant(HFONT font, bool bold) {
  LOGFONTW lf{};
  if (font == nullptr || ::GetObjectW(font, sizeof lf, &lf) == 0) return {};
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  return UniqueFont(::CreateFontIndirectW(&lf));
}

int FontLineHeight(HFONT font) {
  WindowDC dc(nullptr);
  SelectObjectGuard select(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc, &tm);
  return tm.tmHeight;
}

}  // namespace ondrix::win
