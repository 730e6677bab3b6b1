#pragma once
// An HTTP/1.0 server on 127.0.0.1 inside the test's own process (Winsock, one thread), so WinINet
// can be tested without anything outside. It answers every request by its path:
//   a path given to Set()      that body with that status;
//   "/status/<code>"           that code with a short body;
//   "/size/<n>[.ext]"          n bytes, byte i being i % 251;
//   anything else              404.
// Bodies go out in small pieces, so the reader sees blocks shorter than it asks for.
#include <winsock2.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace tests {

class LoopbackHttpServer {
 public:
  LoopbackHttpServer();
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  void Set(const std::string& path, std::string body, int status = 200);
  std::wstring Url(const std::wstring& path) const;
  // 0 when the server could not listen.
  int port() const { return m_port; }
  // Requests answered so far.
  std::atomic<int> requests{0};

 private:
  void Serve();
  void Answer(SOCKET s);

  struct Route {
    int status;
    std::string body;
  };
  std::mutex m_mutex;
  std::map<std::string, Route> m_routes;
  SOCKET m_listener = INVALID_SOCKET;
  int m_port = 0;
  std::thread m_thread;
};

}  // namespace tests
