// The fetch of the version document through the real HTTP client, against a
// server on 127.0.0.1 that the test starts: each outcome ends within a
// bounded time and sets the failure flag exactly when it must.
#include "tests/support/local_http_server.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <winhttp.h>

#include <chrono>
#include <string>

#include "text/product_text.h"
#include "update/auto_update.h"
#include "win/http_get.h"
#include "win/win32_desktop.h"

namespace ondrix {
namespace {

using testing::LocalHttpServer;

constexpr char kOwn[] = "1.6.15.0";

struct Outcome {
  bool different = false;
  std::uint8_t failed = 0;
  std::wstring update_url;
  VersionQuad latest{-1, -1, -1, -1};
  std::wstring info;
  double seconds = 0;
};

// FetchVersionInfo through the product's own client and limits.
Outcome Fetch(const std::wstring& url) {
  win::Win32Desktop desktop;
  Outcome out;
  const auto start = std::chrono::steady_clock::now();
  out.different = FetchVersionInfo([&](std::wstring_view u) { return desktop.HttpGet(u); }, url, kOwn,
                                   out.update_url, out.latest, out.info, out.failed);
  out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return out;
}

// Serves `document` with status 200 at every path.
LocalHttpServer::Answer Serving(std::string document) {
  return [document](const std::string&) { return LocalHttpServer::Response("200 OK", document); };
}

TEST(FetchVersionInfo, ReadsAPublishedDocument) {
  LocalHttpServer server(Serving("LatestVersion=1.6.16\r\nUpdateURL=http://u/\r\nNewVersionInfo=Faster SHA-1\r\n"));
  const Outcome out = Fetch(server.Url(L"/ondrix-versioninfo.txt"));
  EXPECT_TRUE(out.different);
  EXPECT_EQ(out.failed, 0);
  EXPECT_EQ(out.latest, (VersionQuad{1, 6, 16, 0}));
  EXPECT_EQ(out.update_url, L"http://u/");
  EXPECT_EQ(out.info, L"Faster SHA-1");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_TRUE(server.Requests()[0].starts_with("GET /ondrix-versioninfo.txt HTTP/1.1\r\n")) << server.Requests()[0];
}

TEST(FetchVersionInfo, TheSameVersionIsNoNews) {
  LocalHttpServer server(Serving("LatestVersion=01.06.15.0\r\n"));
  const Outcome out = Fetch(server.Url(L"/v.txt"));
  EXPECT_FALSE(out.different);
  EXPECT_EQ(out.failed, 0);
}

TEST(FetchVersionInfo, ANulEndsTheDocument) {
  LocalHttpServer server(Serving(std::string("NewVersionInfo=abc\0def\r\nLatestVersion=1.6.15\r\n", 45)));
  const Outcome out = Fetch(server.Url(L"/v.txt"));
  EXPECT_EQ(out.info, L"abc");
  EXPECT_EQ(out.latest, (VersionQuad{0, 0, 0, 0}));  // the version line came after the NUL
  EXPECT_TRUE(out.different);
  EXPECT_EQ(out.failed, 0);
}

TEST(FetchVersionInfo, EveryFailureSetsTheFlagWithinSeconds) {
  const std::string valid = "LatestVersion=1.6.16\r\n";
  const std::string big(2 * 1024 * 1024, 'x');
  struct Case {
    const char* name;
    LocalHttpServer::Answer answer;
  };
  const Case cases[] = {
      {"404", [&](const std::string&) { return LocalHttpServer::Response("404 Not Found", valid); }},
      {"302 not followed",
       [&](const std::string& head) {
         // The address it points to would serve the document.
         if (head.starts_with("GET /moved")) return LocalHttpServer::Response("200 OK", valid);
         return LocalHttpServer::Response("302 Found", "", "Location: /moved\r\n");
       }},
      {"500", [&](const std::string&) { return LocalHttpServer::Response("500 Internal Server Error", valid); }},
      {"silent server", [](const std::string&) { return std::optional<std::string>(); }},
      {"announced body over the cap",
       [&](const std::string&) { return LocalHttpServer::Response("200 OK", valid + big); }},
      {"unannounced body over the cap",
       [&](const std::string&) {
         return std::optional<std::string>("HTTP/1.0 200 OK\r\nConnection: close\r\n\r\n" + valid + big);
       }},
      {"garbage instead of HTTP", [](const std::string&) { return std::optional<std::string>("hello\r\n\r\n"); }},
      {"unparsable version", [](const std::string&) {
         return LocalHttpServer::Response("200 OK", "LatestVersion=1.6.16 \r\n");
       }},
  };
  for (const Case& c : cases) {
    LocalHttpServer server(c.answer);
    const Outcome out = Fetch(server.Url(L"/ondrix-versioninfo.txt"));
    EXPECT_EQ(out.failed, 1) << c.name;
    EXPECT_FALSE(out.different) << c.name;
    EXPECT_LT(out.seconds, 12.0) << c.name;
    EXPECT_EQ(server.Requests().size(), 1u) << c.name;  // no second request: no redirect followed
  }
}

TEST(HttpGetDocument, AServerThatTricklesIsCutOffAtTheTotalTime) {
  const std::string endless_head = "HTTP/1.1 200 OK\r\nX-Padding: " + std::string(100000, 'x');
  win::HttpLimits limits;
  limits.step_timeout_ms = 2000;
  limits.total_timeout_ms = 3000;
  {
    LocalHttpServer server([&](const std::string&) { return std::optional<std::string>(endless_head); }, 200);
    const auto start = std::chrono::steady_clock::now();
    const win::HttpResult result = win::HttpGetDocument(server.Url(L"/v.txt"), limits);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_WINHTTP_TIMEOUT));
    EXPECT_LT(seconds, 6.0);
  }
}

TEST(FetchVersionInfo, ARefusedConnectionFailsAtOnce) {
  const Outcome out = Fetch(L"http://127.0.0.1:" + std::to_wstring(LocalHttpServer::ClosedPort()) + L"/v.txt");
  EXPECT_EQ(out.failed, 1);
  EXPECT_FALSE(out.different);
  EXPECT_LT(out.seconds, 12.0);
}

TEST(FetchVersionInfo, TakesTheTextFromTheSecondDocumentWhenItIsBlank) {
  // The first document names the second on the same server, found or not.
  int port = 0;
  LocalHttpServer server([&port](const std::string& head) -> std::optional<std::string> {
    const std::string base = "http://127.0.0.1:" + std::to_string(port);
    if (head.starts_with("GET /notes.txt ")) return LocalHttpServer::Response("200 OK", "What is new:\r\n- more");
    if (head.starts_with("GET /found.txt ")) {
      return LocalHttpServer::Response(
          "200 OK", "LatestVersion=1.7\r\nNewVersionInfo= \r\nNewVersionInfoURL= " + base + "/notes.txt \r\n");
    }
    if (head.starts_with("GET /lost.txt ")) {
      return LocalHttpServer::Response(
          "200 OK", "LatestVersion=1.6.15\r\nNewVersionInfo=\r\nNewVersionInfoURL=" + base + "/gone.txt\r\n");
    }
    return LocalHttpServer::Response("404 Not Found", "LatestVersion=9");
  });
  port = server.Port();

  const Outcome found = Fetch(server.Url(L"/found.txt"));
  EXPECT_TRUE(found.different);
  EXPECT_EQ(found.failed, 0);
  EXPECT_EQ(found.info, L"What is new:\r\n- more");

  // A second address that fails sets the flag; the comparison still stands.
  const Outcome lost = Fetch(server.Url(L"/lost.txt"));
  EXPECT_FALSE(lost.different);
  EXPECT_EQ(lost.failed, 1);
  EXPECT_EQ(server.Requests().size(), 4u);
}

TEST(VendorAddress, IsAPlainHttpAddressByHostNameOfTheDocumentFile) {
  EXPECT_EQ(std::wstring(kVersionDocumentUrl), L"http://" + std::wstring(kVendorHost) + L"/ondrix-versioninfo.txt");
  EXPECT_EQ(kVendorHost.find_first_not_of(L"0123456789."), 0u);  // a name, not an IP address
}

TEST(GetOwnFileVersion, ReadsTheVersionResource) {
  EXPECT_EQ(GetOwnFileVersion(), "1.6.15.0");  // this test program carries the product's resource
  EXPECT_FALSE(FileVersionOf(L"C:\\no-such-folder\\ondrix.exe").has_value());
}

}  // namespace
}  // namespace ondrix
