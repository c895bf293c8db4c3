#include "win/flat_button.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "win/handles.h"

namespace ondrix::win {

namespace {

// Glyph coordinates are in a 16 x 16 design grid, mapped onto the box.
struct Grid {
  int left, top;
  double unit;
  int X(double gx) const { return left + static_cast<int>(std::lround(gx * unit)); }
  int Y(double gy) const { return top + static_cast<int>(std::lround(gy * unit)); }
  POINT P(double gx, double gy) const { return {X(gx), Y(gy)}; }
};

void Polyline(HDC dc, const Grid& g, std::initializer_list<std::pair<double, double>> points) {
  std::vector<POINT> pts;
  for (auto [x, y] : points) pts.push_back(g.P(x, y));
  ::Polyline(dc, pts.data(), static_cast<int>(pts.size()));
}

void Polygon(HDC dc, const Grid& g, std::initializer_list<std::pair<double, double>> points) {
  std::vector<POINT> pts;
  for (auto [x, y] : points) pts.push_back(g.P(x, y));
  ::Polygon(dc, pts.data(), static_cast<int>(pts.size()));
}

void Rect(HDC dc, const Grid& g, double l, double t, double r, double b) {
  ::Rectangle(dc, g.X(l), g.Y(t), g.X(r), g.Y(b));
}

void Ellipse(HDC dc, const Grid& g, double l, double t, double r, double b) {
  ::Ellipse(dc, g.X(l), g.Y(t), g.X(r), g.Y(b));
}

COLORREF AccentOf(Glyph glyph, COLORREF fallback) {
  switch (glyph) {
    case Glyph::Ok: return RGB(0x1E, 0x8E, 0x3E);
    case Glyph::Error: return RGB(0xD0, 0x21, 0x21);
    case Glyph::Warning: return RGB(0xE0, 0x8A, 0x00);
    case Glyph::Info: return RGB(0x1F, 0x6F, 0xC5);
    case Glyph::Calculate: return RGB(0x1E, 0x8E, 0x3E);
    case Glyph::Cancel: return RGB(0xD0, 0x21, 0x21);
    default: return fallback;
  }
}

}  // namespace

void DrawGlyph(HDC dc, Glyph glyph, const RECT& box, COLORREF color) {
  if (glyph == Glyph::None) return;
  const int side = std::min(box.right - box.left, box.bottom - box.top);
  if (side < 4) return;
  const Grid g{box.left + (box.right - box.left - side) / 2, box.top + (box.bottom - box.top - side) / 2, side / 16.0};
  const COLORREF accent = AccentOf(glyph, color);
  const int stroke = std::max(1, static_cast<int>(std::lround(side / 12.0)));
  const LOGBRUSH lb{BS_SOLID, accent, 0};
  UniquePen pen(::ExtCreatePen(PS_SOLID | PS_GEOMETRIC | PS_ENDCAP_ROUND | PS_JOIN_ROUND, static_cast<DWORD>(stroke),
                               &lb, 0, nullptr));
  UniqueBrush fill(::CreateSolidBrush(accent));
  SelectObjectGuard select_pen(dc, pen.Get());
  SelectObjectGuard select_brush(dc, ::GetStockObject(NULL_BRUSH));
  const int old_mode = ::SetPolyFillMode(dc, WINDING);

  switch (glyph) {
    case Glyph::Info: {
      Ellipse(dc, g, 1.5, 1.5, 14.5, 14.5);
      Polyline(dc, g, {{8, 7}, {8, 11.5}});
      SelectObjectGuard dot(dc, fill.Get());
      Ellipse(dc, g, 7.1, 3.9, 8.9, 5.7);
      break;
    }
    case Glyph::Gear: {
      const double cx = 8, cy = 8;
      for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4;
        Polyline(dc, g, {{cx + 4.6 * std::cos(a), cy + 4.6 * std::sin(a)}, {cx + 6.6 * std::cos(a), cy + 6.6 * std::sin(a)}});
      }
      Ellipse(dc, g, 3.2, 3.2, 12.8, 12.8);
      Ellipse(dc, g, 6.2, 6.2, 9.8, 9.8);
      break;
    }
    case Glyph::ArrowUp:
      Polyline(dc, g, {{3, 10.5}, {8, 5.5}, {13, 10.5}});
      break;
    case Glyph::ArrowDown:
      Polyline(dc, g, {{3, 5.5}, {8, 10.5}, {13, 5.5}});
      break;
    case Glyph::Open:
      Polyline(dc, g, {{1.5, 13}, {1.5, 3}, {6, 3}, {7.5, 4.5}, {13, 4.5}, {13, 7}});
      Polygon(dc, g, {{1.5, 13}, {4, 7}, {15, 7}, {12.5, 13}});
      break;
    case Glyph::Save:
      Polygon(dc, g, {{2, 2}, {12, 2}, {14, 4}, {14, 14}, {2, 14}});
      Rect(dc, g, 5, 2, 11, 6);
      Rect(dc, g, 4.5, 9, 11.5, 14);
      break;
    case Glyph::Copy:
      Rect(dc, g, 5.5, 5.5, 14, 14.5);
      Polyline(dc, g, {{10.5, 3.5}, {10.5, 1.5}, {2, 1.5}, {2, 11}, {3.5, 11}});
      break;
    case Glyph::Paste:
    case Glyph::Clipboard:
      Polygon(dc, g, {{5, 2.5}, {2.5, 2.5}, {2.5, 14.5}, {13.5, 14.5}, {13.5, 2.5}, {11, 2.5}});
      Rect(dc, g, 5.5, 1, 10.5, 4.5);
      if (glyph == Glyph::Paste) Polyline(dc, g, {{8, 7}, {8, 12}, {6, 10}, {8, 12}, {10, 10}});
      break;
    case Glyph::Ok:
      Polyline(dc, g, {{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}});
      break;
    case Glyph::Error:
      Polyline(dc, g, {{3.5, 3.5}, {12.5, 12.5}});
      Polyline(dc, g, {{12.5, 3.5}, {3.5, 12.5}});
      break;
    case Glyph::Warning:
      Polygon(dc, g, {{8, 1.5}, {15, 14}, {1, 14}});
      Polyline(dc, g, {{8, 6}, {8, 9.5}});
      Polyline(dc, g, {{8, 11.8}, {8, 12}});
      break;
    case Glyph::Document:
      Polygon(dc, g, {{3, 1.5}, {10, 1.5}, {13, 4.5}, {13, 14.5}, {3, 14.5}});
      Polyline(dc, g, {{5.5, 7}, {10.5, 7}});
      Polyline(dc, g, {{5.5, 9.5}, {10.5, 9.5}});
      Polyline(dc, g, {{5.5, 12}, {9, 12}});
      break;
    case Glyph::Calculate: {
      SelectObjectGuard solid(dc, fill.Get());
      Polygon(dc, g, {{4, 2.5}, {13.5, 8}, {4, 13.5}});
      break;
    }
    case Glyph::Cancel: {
      {
        SelectObjectGuard solid(dc, fill.Get());
        Ellipse(dc, g, 1.5, 1.5, 14.5, 14.5);
      }
      // A thin cross on small discs, so the two bars stay apart at 96 DPI.
      const int cross_width = std::max(1, static_cast<int>(std::lround(side / 10.0)));
      const LOGBRUSH white{BS_SOLID, RGB(0xFF, 0xFF, 0xFF), 0};
      UniquePen cross(::ExtCreatePen(PS_SOLID | PS_GEOMETRIC | PS_ENDCAP_ROUND, static_cast<DWORD>(cross_width),
                                     &white, 0, nullptr));
      SelectObjectGuard cross_pen(dc, cross.Get());
      Polyline(dc, g, {{5, 5}, {11, 11}});
      Polyline(dc, g, {{11, 5}, {5, 11}});
      break;
    }
    case Glyph::None:
      break;
  }
  ::SetPolyFillMode(dc, old_mode);
}

FlatButton::FlatButton() { SetFontColor(::GetSysColor(COLOR_BTNTEXT)); }

bool FlatButton::Create(Control& parent, Glyph glyph, std::wstring_view caption, const Bounds& bounds, bool visible) {
  glyph_ = glyph;
  return CreateChild(parent, L"BUTTON", BS_OWNERDRAW | (visible ? WS_VISIBLE : 0), 0, caption, bounds);
}

void FlatButton::SetGlyph(Glyph glyph) {
  glyph_ = glyph;
  Invalidate();
}

void FlatButton::SetIcon(HICON icon) {
  icon_ = icon;
  Invalidate();
}

void FlatButton::SetCaption(std::wstring_view caption) {
  Control::SetCaption(caption);
  Invalidate();
}

void FlatButton::Click() {
  if (OnClick) OnClick();
}

LRESULT FlatButton::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!hovered_) {
        hovered_ = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Hwnd(), 0};
        ::TrackMouseEvent(&track);
        Invalidate();
      }
      break;
    case WM_MOUSELEAVE:
      hovered_ = false;
      Invalidate();
      break;
    case WM_LBUTTONDBLCLK:
      // A quick second click is a click, not a double click.
      msg = WM_LBUTTONDOWN;
      break;
    case WM_ERASEBKGND:
      return 1;
    default:
      break;
  }
  return Control::HandleMessage(msg, wparam, lparam);
}

bool FlatButton::OnReflected(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (msg == WM_DRAWITEM) {
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    result = TRUE;
    return true;
  }
  return Control::OnReflected(msg, wparam, lparam, result);
}

void FlatButton::Draw(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  ::FillRect(dc, &rc, BackgroundBrush());
  if ((hovered_ || pressed) && !disabled) {
    UniqueBrush highlight(::CreateSolidBrush(pressed ? RGB(0xB8, 0xD4, 0xF0) : RGB(0xDC, 0xEA, 0xF8)));
    UniqueBrush frame(::CreateSolidBrush(RGB(0x7A, 0xA7, 0xD9)));
    ::FillRect(dc, &rc, highlight.Get());
    ::FrameRect(dc, &rc, frame.Get());
  }
  const std::wstring caption = Caption();
  const int height = rc.bottom - rc.top;
  const int pad = std::max(2, height / 6);
  RECT picture{rc.left + pad, rc.top + pad, rc.right - pad, rc.bottom - pad};
  if (!caption.empty() && (glyph_ != Glyph::None || icon_ != nullptr)) {
    picture.right = picture.left + (picture.bottom - picture.top);
  }
  const COLORREF ink = disabled ? ::GetSysColor(COLOR_GRAYTEXT) : FontColor();
  if (icon_ != nullptr) {
    const int side = std::min(picture.right - picture.left, picture.bottom - picture.top);
    ::DrawIconEx(dc, picture.left + (picture.right - picture.left - side) / 2,
                 picture.top + (picture.bottom - picture.top - side) / 2, icon_, side, side, 0, nullptr, DI_NORMAL);
  } else if (glyph_ != Glyph::None) {
    DrawGlyph(dc, glyph_, picture, disabled ? ink : FontColor());
  }
  if (!caption.empty()) {
    RECT text = rc;
    if (glyph_ != Glyph::None || icon_ != nullptr) text.left = picture.right + pad;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ink);
    SelectObjectGuard font(dc, Font() ? static_cast<HGDIOBJ>(Font()) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  }
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    RECT focus = rc;
    ::InflateRect(&focus, -2, -2);
    ::DrawFocusRect(dc, &focus);
  }
}

}  // namespace ondrix::win
