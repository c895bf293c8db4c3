// The fetch of the vendor's version document and the program's own version.
// It knows nothing of the window but the failure flag it sets.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "update/version_document.h"
#include "win/desktop.h"

namespace ondrix {

// The file version of a program file's version resource (its fixed file
// information) as "a.b.c.d"; nothing when the file has none.
std::optional<std::string> FileVersionOf(const std::wstring& path);
// This program's own file version; the version it was built as when its
// file carries no version resource.
std::string GetOwnFileVersion();

// One HTTP GET, as IDesktop::HttpGet does it.
using HttpGetFunction = std::function<win::HttpResult(std::wstring_view url)>;

// A document as text: UTF-8 when it is valid UTF-8, the ANSI code page
// otherwise; cut at its first NUL.
std::wstring DocumentText(std::string_view body);

// Fetches the document at `address` and answers whether it names a version
// other than `own_version`. Fills the update address, the published version
// and the text about what is new (from the second document when the first
// gives only its address). A failed or non-200 request, an unparsable
// version or a failed second request sets `update_check_failed` to 1; a
// failure before the comparison answers false.
bool FetchVersionInfo(const HttpGetFunction& http_get, std::wstring_view address, std::string_view own_version,
                      std::wstring& update_url, VersionQuad& latest, std::wstring& new_version_info,
                      std::uint8_t& update_check_failed);

}  // namespace ondrix
