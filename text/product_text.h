// The product's name, version and web page, and the window titles made of
// them. The version is project(VERSION) of the top CMakeLists.txt.
#pragma once

#include <string>
#include <string_view>

#include "product_version.h"

namespace ondrix {

inline constexpr std::string_view kProductName = "Ondrix";
inline constexpr std::string_view kProductVersionText = ONDRIX_VERSION_TEXT;
inline constexpr std::string_view kProductWebPage = "https://www.ondrix.org/";

// The vendor's addresses, kept together: the version document the update
// check fetches (plain HTTP, by host name), the pages the notices and the
// About window open, and the payment service the donation reminder names.
inline constexpr std::wstring_view kVendorHost = L"www.ondrix.org";
inline constexpr std::wstring_view kVersionDocumentUrl = L"http://www.ondrix.org/ondrix-versioninfo.txt";
inline constexpr std::wstring_view kDownloadPageUrl = L"https://www.ondrix.org/download/";
inline constexpr std::wstring_view kHomePageUrl = L"https://www.ondrix.org/";
inline constexpr std::wstring_view kSupportPageUrl = L"https://www.ondrix.org/support/";
inline constexpr std::wstring_view kPaymentServiceName = L"PayPal";

// "Ondrix 1.6.15" and "Ondrix": the caption and taskbar title without a file.
std::wstring ProductCaption();
std::wstring ProductTaskbarTitle();

// The window caption, the application's taskbar title and the tray hint,
// which the window always changes together.
struct WindowTitleTexts {
  std::wstring caption;
  std::wstring taskbar_title;
  std::wstring tray_hint;
};

// UpdateTitleBar: with `show_file_name` on, "<file name> - Ondrix 1.6.15"
// everywhere; off, caption "Ondrix 1.6.15" and taskbar title "Ondrix". With
// no file selected (empty path) the file-name form would start with a bare
// " - ", so the program's own caption is used instead.
WindowTitleTexts BuildTitleTexts(std::wstring_view selected_file_path, bool show_file_name);

}  // namespace ondrix
