#include "tests/support/LoopbackHttpServer_win.h"

#include <algorithm>
#include <cstdlib>

namespace tests {

LoopbackHttpServer::LoopbackHttpServer() {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int len = sizeof(addr);
  if (bind(m_listener, reinterpret_cast<sockaddr*>(&addr), len) == 0 && listen(m_listener, 8) == 0 &&
      getsockname(m_listener, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
    m_port = ntohs(addr.sin_port);
  m_thread = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  closesocket(m_listener);  // ends accept()
  m_thread.join();
  WSACleanup();
}

void LoopbackHttpServer::Set(const std::string& path, std::string body, int status) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_routes[path] = Route{status, std::move(body)};
}

std::wstring LoopbackHttpServer::Url(const std::wstring& path) const {
  return L"http://127.0.0.1:" + std::to_wstring(m_port) + path;
}

void LoopbackHttpServer::Serve() {
  for (;;) {
    SOCKET s = accept(m_listener, nullptr, nullptr);
    if (s == INVALID_SOCKET) return;
    Answer(s);
    closesocket(s);
  }
}

void LoopbackHttpServer::Answer(SOCKET s) {
  std::string request;
  char buf[1024];
  int n = 0;
  while (request.find("\r\n\r\n") == std::string::npos && (n = recv(s, buf, sizeof(buf), 0)) > 0)
    request.append(buf, size_t(n));
  const size_t start = request.find(' ') + 1;
  const std::string path = request.substr(start, request.find(' ', start) - start);
  int code = 404;
  std::string body = "not here";
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto route = m_routes.find(path);
    if (route != m_routes.end()) {
      code = route->second.status;
      body = route->second.body;
    } else if (path.rfind("/status/", 0) == 0) {
      code = std::atoi(path.c_str() + 8);
      body = "refused";
    } else if (path.rfind("/size/", 0) == 0) {
      code = 200;
      const size_t size = std::strtoul(path.c_str() + 6, nullptr, 10);
      body.clear();
      for (size_t i = 0; i < size; ++i) body += char(i % 251);
    }
  }
  ++requests;
  const std::string head = "HTTP/1.0 " + std::to_string(code) +
                           " X\r\nContent-Type: application/octet-stream\r\n"
                           "Content-Length: " +
                           std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
  const std::string answer = head + body;
  for (size_t sent = 0; sent < answer.size();) {
    const int piece = int(std::min<size_t>(answer.size() - sent, 3000));
    const int k = send(s, answer.data() + sent, piece, 0);
    if (k <= 0) break;
    sent += size_t(k);
  }
  shutdown(s, SD_SEND);
  while (recv(s, buf, sizeof(buf), 0) > 0) {
  }
}

}  // namespace tests
