// Not a test: draws the notice panel and the About window of the real
// window at the display's DPI and saves them as BMP files, for
// tools/screenshots.sh. Usage: ui_screenshots OUTPUT_FOLDER SUFFIX
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/win/fake_desktop.h"
#include "ui/form1.h"
#include "update/about_window.h"
#include "win/win32_desktop.h"

namespace {

using ondrix::ui::TForm1;

// What the screen shows of `window`, as a 24-bit BMP file.
bool SaveWindowImage(HWND window, const std::wstring& path) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  RECT rc;
  ::GetWindowRect(window, &rc);
  const int width = rc.right - rc.left, height = rc.bottom - rc.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
  ::SelectObject(memory, old);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<BYTE> pixels(static_cast<std::size_t>(stride) * height);
  ::GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (out == nullptr) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  std::fclose(out);
  return true;
}

void Pump(DWORD ms) {
  const ULONGLONG end = ::GetTickCount64() + ms;
  while (::GetTickCount64() < end) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(20);
  }
}

std::wstring g_about_image;

void CALLBACK CaptureAbout(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  HWND about = ::FindWindowW(L"#32770", L"About Ondrix");
  if (about == nullptr) return;
  Pump(300);
  SaveWindowImage(about, g_about_image);
  ::PostMessageW(about, WM_COMMAND, IDOK, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: ui_screenshots OUTPUT_FOLDER SUFFIX\n", stderr);
    return 2;
  }
  const std::wstring out = argv[1], suffix = argv[2];
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring dir = std::wstring(temp) + L"ondrix-screenshots";
  ::CreateDirectoryW(dir.c_str(), nullptr);
  const std::wstring ini = dir + L"\\ondrix.ini";
  ::WritePrivateProfileStringW(L"Settings", L"LastUpdateCheck", L"2026-01-01", ini.c_str());

  ondrix::win::testing::FakeDesktop desktop;
  desktop.program_path = dir + L"\\ondrix.exe";
  ::GetLocalTime(&desktop.local_time);
  TForm1 form(desktop);
  form.QuitOnDestroy = false;
  form.BuildDate = ondrix::Date{desktop.local_time.wYear, desktop.local_time.wMonth, desktop.local_time.wDay};
  if (!form.Create()) return 1;
  ::ShowWindow(form.Hwnd(), SW_SHOW);
  Pump(500);

  // The notice panel, drawn while the document is being fetched.
  desktop.http_handler = [&](std::wstring_view) {
    ::Sleep(700);  // the window's thread paints meanwhile
    SaveWindowImage(form.Hwnd(), out + L"\\notice-" + suffix + L".bmp");
    ondrix::win::HttpResult result;
    result.ok = true;
    result.status = 200;
    result.body = "LatestVersion=1.6.15\r\n";
    return result;
  };
  form.UpdateCheckManual = 1;
  form.CheckForUpdates();

  // The About window, opened by F1 and closed by the capture.
  g_about_image = out + L"\\about-" + suffix + L".bmp";
  ::SetTimer(nullptr, 0, 800, CaptureAbout);
  ondrix::win::Win32Desktop real;
  ondrix::ShowAboutWindow(form.Hwnd(), real);
  ::DeleteFileW(ini.c_str());
  return 0;
}
