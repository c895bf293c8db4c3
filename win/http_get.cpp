#include "win/http_get.h"

#include <winhttp.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <string>
#include <thread>

#include "win/handles.h"

namespace ondrix::win {

namespace {

HttpResult Failure(DWORD error) {
  HttpResult result;
  result.error = error;
  return result;
}

HttpResult LastFailure() { return Failure(::GetLastError()); }

struct UrlParts {
  std::wstring host;
  std::wstring path;
  INTERNET_PORT port = 0;
  bool secure = false;
};

bool CrackUrl(const std::wstring& url, UrlParts& out) {
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!::WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return false;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) {
    ::SetLastError(ERROR_WINHTTP_UNRECOGNIZED_SCHEME);
    return false;
  }
  out.host.assign(parts.lpszHostName, parts.dwHostNameLength);
  out.path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
  out.path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (out.path.empty()) out.path = L"/";
  out.port = parts.nPort;
  out.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
  if (out.host.empty()) {
    ::SetLastError(ERROR_WINHTTP_INVALID_URL);
    return false;
  }
  return true;
}

// The Content-Length the server announced, if any.
bool AnnouncedLength(HINTERNET request, ULONGLONG& length) {
  wchar_t text[32] = {};
  DWORD size = sizeof text;
  if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX, text, &size,
                             WINHTTP_NO_HEADER_INDEX)) {
    return false;
  }
  length = 0;
  for (const wchar_t* c = text; *c >= L'0' && *c <= L'9'; ++c) {
    if (length > (ULLONG_MAX - 9) / 10) return true;  // absurdly long: stays huge
    length = length * 10 + static_cast<ULONGLONG>(*c - L'0');
  }
  return true;
}

HttpResult Receive(HINTERNET request, const HttpLimits& limits);
HttpResult Perform(const std::wstring& url_text, const HttpLimits& limits);

// What the thread of one request hands back.
struct PendingRequest {
  std::mutex mutex;
  std::condition_variable done_changed;
  bool done = false;
  HttpResult result;
};

}  // namespace

// The request runs on a thread of its own that this call waits for at most
// the total time. WinHTTP bounds each wait, but a server that trickles its
// answer byte by byte would keep a blocked call alive, and a call blocked
// in WinHTTP cannot be interrupted everywhere; such a request is left to end
// on its own thread, holding nothing of the caller's.
HttpResult HttpGetDocument(std::wstring_view url_view, const HttpLimits& limits) {
  auto pending = std::make_shared<PendingRequest>();
  try {
    std::thread([pending, url = std::wstring(url_view), limits] {
      HttpResult result = Perform(url, limits);
      std::lock_guard lock(pending->mutex);
      pending->result = std::move(result);
      pending->done = true;
      pending->done_changed.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return Failure(ERROR_NOT_ENOUGH_MEMORY);
  }
  std::unique_lock lock(pending->mutex);
  if (!pending->done_changed.wait_for(lock, std::chrono::milliseconds(limits.total_timeout_ms),
                                      [&] { return pending->done; })) {
    return Failure(ERROR_WINHTTP_TIMEOUT);
  }
  return std::move(pending->result);
}

namespace {

HttpResult Perform(const std::wstring& url_text, const HttpLimits& limits) {
  UrlParts url;
  if (!CrackUrl(url_text, url)) return LastFailure();
  UniqueHttpHandle session(::WinHttpOpen(L"Ondrix", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                         WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return LastFailure();
  const int step = static_cast<int>(limits.step_timeout_ms);
  if (!::WinHttpSetTimeouts(session.Get(), step, step, step, step)) return LastFailure();
  UniqueHttpHandle connection(::WinHttpConnect(session.Get(), url.host.c_str(), url.port, 0));
  if (!connection) return LastFailure();
  UniqueHttpHandle request(::WinHttpOpenRequest(connection.Get(), L"GET", url.path.c_str(), nullptr,
                                                WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                url.secure ? WINHTTP_FLAG_SECURE : 0));
  if (!request) return LastFailure();
  return Receive(request.Get(), limits);
}

// Sends the request and reads the answer: the status and a body within the cap.
HttpResult Receive(HINTERNET request, const HttpLimits& limits) {
  // The request takes its own copy of the waits: not every implementation
  // hands the session's on.
  const int step = static_cast<int>(limits.step_timeout_ms);
  if (!::WinHttpSetTimeouts(request, step, step, step, step)) return LastFailure();
  DWORD response_timeout = limits.step_timeout_ms;
  ::WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &response_timeout, sizeof response_timeout);
  // A redirect is an answer like any other, never followed.
  DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
  if (!::WinHttpSetOption(request, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof policy)) {
    DWORD disable = WINHTTP_DISABLE_REDIRECTS;
    if (!::WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &disable, sizeof disable)) {
      return LastFailure();
    }
  }
  if (!::WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !::WinHttpReceiveResponse(request, nullptr)) {
    return LastFailure();
  }

  HttpResult result;
  DWORD status = 0;
  DWORD size = sizeof status;
  if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
    return LastFailure();
  }
  result.status = static_cast<int>(status);
  ULONGLONG announced = 0;
  if (AnnouncedLength(request, announced) && announced > limits.max_body_size) {
    return Failure(ERROR_FILE_TOO_LARGE);
  }
  // Only what has arrived is read, so each call returns once some data is
  // there, and the cap is never overrun by more than one arrival.
  for (;;) {
    DWORD available = 0;
    if (!::WinHttpQueryDataAvailable(request, &available)) return LastFailure();
    if (available == 0) break;
    if (result.body.size() + available > limits.max_body_size) return Failure(ERROR_FILE_TOO_LARGE);
    const std::size_t old_size = result.body.size();
    result.body.resize(old_size + available);
    DWORD read = 0;
    if (!::WinHttpReadData(request, result.body.data() + old_size, available, &read)) return LastFailure();
    result.body.resize(old_size + read);
    if (read == 0) break;
  }
  result.ok = true;
  return result;
}

}  // namespace

}  // namespace ondrix::win
