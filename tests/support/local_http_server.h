// A tiny HTTP server on 127.0.0.1 for tests of the update check: it answers
// each request with the bytes a test function gives, or holds the
// connection open without a word. Runs on its own thread; Winsock only.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace ondrix::testing {

class LocalHttpServer {
 public:
  // The raw response to one request (its head as received); nothing keeps
  // the connection open and silent until the server stops.
  using Answer = std::function<std::optional<std::string>(const std::string& request_head)>;

  // With `trickle_ms` > 0 each answer is sent one byte at a time, that many
  // milliseconds apart: a server that keeps a connection alive for ever.
  explicit LocalHttpServer(Answer answer, DWORD trickle_ms = 0) : answer_(std::move(answer)), trickle_ms_(trickle_ms) {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 8);
    int size = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }

  ~LocalHttpServer() {
    stop_ = true;
    thread_.join();
    for (SOCKET held : held_) ::closesocket(held);
    ::closesocket(listener_);
    ::WSACleanup();
  }

  int Port() const { return port_; }
  std::wstring Url(const std::wstring& path) const {
    return L"http://127.0.0.1:" + std::to_wstring(port_) + path;
  }
  std::vector<std::string> Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }

  // A port on which nothing listens: connecting is refused.
  static int ClosedPort() {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    ::closesocket(s);
    ::WSACleanup();
    return ntohs(address.sin_port);
  }

  // "HTTP/1.1 <status>" with a Content-Length, a closing connection and the body.
  static std::string Response(const std::string& status, const std::string& body,
                              const std::string& extra_headers = "") {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n" + extra_headers + "\r\n" + body;
  }

 private:
  void Serve() {
    while (!stop_) {
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(listener_, &readable);
      timeval wait{0, 50000};
      if (::select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
      SOCKET client = ::accept(listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET) continue;
      const std::string head = ReadHead(client);
      {
        std::lock_guard lock(mutex_);
        requests_.push_back(head);
      }
      const std::optional<std::string> response = answer_(head);
      if (!response) {
        held_.push_back(client);
        continue;
      }
      if (trickle_ms_ > 0) {
        Trickle(client, *response);
      } else {
        SendAll(client, *response);
      }
      ::shutdown(client, SD_SEND);
      ::closesocket(client);
    }
  }

  static std::string ReadHead(SOCKET client) {
    DWORD timeout_ms = 2000;
    ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout_ms), sizeof timeout_ms);
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
      const int got = ::recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      head.append(buffer, static_cast<std::size_t>(got));
    }
    return head;
  }

  static void SendAll(SOCKET client, const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
      const int chunk = static_cast<int>(std::min<std::size_t>(data.size() - sent, 65536));
      const int done = ::send(client, data.data() + sent, chunk, 0);
      if (done <= 0) return;  // the client gave up
      sent += static_cast<std::size_t>(done);
    }
  }

  void Trickle(SOCKET client, const std::string& data) {
    for (char c : data) {
      if (stop_ || ::send(client, &c, 1, 0) != 1) return;
      ::Sleep(trickle_ms_);
    }
  }

  Answer answer_;
  DWORD trickle_ms_ = 0;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<SOCKET> held_;
};

}  // namespace ondrix::testing
