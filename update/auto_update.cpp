#include "update/auto_update.h"

#include <vector>

#include "product_version.h"
#include "text/utf.h"
#include "win/win32_desktop.h"

namespace ondrix {

namespace {

// Only a complete 200 answer carries the document; anything else (a
// redirect, an error page) is a failure.
std::optional<std::string> GetDocument(const HttpGetFunction& http_get, std::wstring_view address) {
  win::HttpResult result = http_get(address);
  if (!result.ok || result.status != 200) return std::nullopt;
  return std::string(TextUpToNul(result.body));
}

std::wstring TextInCodePage(std::string_view text, UINT code_page, DWORD flags) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(code_page, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(code_page, flags, text.data(), size, wide.data(), length);
  return wide;
}

}  // namespace

std::optional<std::string> FileVersionOf(const std::wstring& path) {
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return std::nullopt;
  std::vector<BYTE> data(size);
  if (!::GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return std::nullopt;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT info_size = 0;
  if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &info_size) || info == nullptr ||
      info_size < sizeof *info) {
    return std::nullopt;
  }
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS)) + "." + std::to_string(LOWORD(info->dwFileVersionLS));
}

std::string GetOwnFileVersion() { return FileVersionOf(win::ExecutablePath()).value_or(ONDRIX_VERSION_FULL); }

std::wstring DocumentText(std::string_view body) {
  body = TextUpToNul(body);
  if (body.empty()) return {};
  std::wstring text = TextInCodePage(body, CP_UTF8, MB_ERR_INVALID_CHARS);
  return text.empty() ? TextInCodePage(body, CP_ACP, 0) : text;
}

bool FetchVersionInfo(const HttpGetFunction& http_get, std::wstring_view address, std::string_view own_version,
                      std::wstring& update_url, VersionQuad& latest, std::wstring& new_version_info,
                      std::uint8_t& update_check_failed) {
  bool different = false;
  VersionInfo info;
  try {
    const std::optional<std::string> document = GetDocument(http_get, address);
    if (!document) {
      update_check_failed = 1;
      return false;
    }
    info = ReadVersionInfo(*document);
  } catch (const EAutoUpdate&) {
    update_check_failed = 1;
    return false;
  } catch (const std::bad_alloc&) {
    update_check_failed = 1;
    return false;
  }
  latest = info.latest;
  different = IsDifferentVersion(info.latest, own_version);
  update_url = DocumentText(info.update_url);
  new_version_info = DocumentText(info.new_version_info);
  if (!info.new_version_info_url.empty()) {
    // The text comes from a second document; when it cannot be had the
    // comparison still stands.
    if (const std::optional<std::string> text = GetDocument(http_get, Utf8ToWide(info.new_version_info_url))) {
      new_version_info = DocumentText(*text);
    } else {
      update_check_failed = 1;
    }
  }
  return different;
}

}  // namespace ondrix
