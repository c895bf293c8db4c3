// A small HTTP GET through WinHTTP, for documents of a few kilobytes: no
// proxy, no redirect followed, every wait bounded, the body capped.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

#include "win/desktop.h"

namespace ondrix::win {

struct HttpLimits {
  // Each step (name lookup, connecting, sending, each wait for data) ends
  // after this long without progress.
  DWORD step_timeout_ms = 5000;
  // No more data is read once the whole request has taken this long.
  DWORD total_timeout_ms = 15000;
  // A larger body is a failure (ERROR_FILE_TOO_LARGE), not a buffer to grow.
  std::size_t max_body_size = 256 * 1024;
};

// GET of an http:// or https:// address. `ok` with the status and the body
// when a response arrived within the limits (a 3xx answer is returned as it
// is, not followed); otherwise !ok with the client's error code
// (ERROR_WINHTTP_TIMEOUT when the total time ran out).
HttpResult HttpGetDocument(std::wstring_view url, const HttpLimits& limits = {});

}  // namespace ondrix::win
