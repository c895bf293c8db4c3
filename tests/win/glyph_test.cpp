// The pictures of the Calculate/Cancel button are drawn at the size they
// are given, like every glyph: the same share of the box at every DPI,
// centred, in their own colours.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "win/flat_button.h"
#include "win/handles.h"

namespace ondrix::win {
namespace {

constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kBackground = RGB(0xF0, 0xF0, 0xF0);

struct Picture {
  int side = 0;
  std::vector<COLORREF> pixels;  // row by row
  COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * side + x)]; }
};

// `glyph` drawn into a side x side box on the background.
Picture Render(Glyph glyph, int side) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = side;
  info.bmiHeader.biHeight = -side;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  WindowDC screen(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  const RECT box{0, 0, side, side};
  UniqueBrush grey(::CreateSolidBrush(kBackground));
  ::FillRect(dc, &box, grey.Get());
  DrawGlyph(dc, glyph, box, RGB(0, 0, 0));
  ::GdiFlush();
  Picture picture;
  picture.side = side;
  const auto* quads = static_cast<const RGBQUAD*>(bits);
  for (int i = 0; i < side * side; ++i) picture.pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return picture;
}

TEST(GlyphTest, CalculateAndCancelScaleWithTheirBox) {
  struct Case {
    Glyph glyph;
    COLORREF accent;
    COLORREF centre;  // the play triangle is solid there; the cancel disc shows its white cross
  };
  const Case cases[] = {
      {Glyph::Calculate, RGB(0x1E, 0x8E, 0x3E), RGB(0x1E, 0x8E, 0x3E)},
      {Glyph::Cancel, RGB(0xD0, 0x21, 0x21), kWhite},
  };
  for (const Case& c : cases) {
    double share_at_smallest = 0;
    for (int side : {14, 18, 27, 36}) {  // the button's picture at 96 DPI up to 192 DPI
      SCOPED_TRACE(::testing::Message() << static_cast<int>(c.glyph) << " at " << side);
      const Picture p = Render(c.glyph, side);
      int inked = 0, accent = 0, left = side, right = -1, top = side, bottom = -1;
      for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
          if (p.At(x, y) == kBackground) continue;
          ++inked;
          if (p.At(x, y) == c.accent) ++accent;
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
      }
      // A picture of a fixed size would cover a quarter of the share at
      // twice the side.
      const double share = double(inked) / (side * side);
      if (side == 14) share_at_smallest = share;
      EXPECT_NEAR(share, share_at_smallest, 0.1);
      EXPECT_GT(double(accent) / (side * side), 0.2);
      // It fills most of the box and sits in its middle.
      EXPECT_GE(right - left + 1, side * 6 / 10);
      EXPECT_GE(bottom - top + 1, side * 7 / 10);
      EXPECT_LE(std::abs(top - (side - 1 - bottom)), 1);
      EXPECT_EQ(p.At(side / 2, side / 2), c.centre);
    }
  }
}

}  // namespace
}  // namespace ondrix::win
