#include "loopback_http_server_win32.h"

#include <ws2tcpip.h>

#include <cctype>
#include <stdexcept>

namespace velmora::contract {
namespace {

constexpr std::size_t kMaxRequest = 16 * 1024;

// A socket bound to 127.0.0.1 on a port the system picks; the port comes back in port.
SOCKET boundLoopbackSocket(unsigned short& port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) throw std::runtime_error("no socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  int length = sizeof(address);
  if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    closesocket(s);
    throw std::runtime_error("cannot bind to 127.0.0.1");
  }
  port = ntohs(address.sin_port);
  return s;
}

std::string reason(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    default:
      return "Status";
  }
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

// WSAStartup and WSACleanup around the server's life.
struct Winsock {
  Winsock() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("no Winsock");
  }
};

}  // namespace

LoopbackHttpServer::LoopbackHttpServer() {
  static Winsock winsock;
  listener_ = boundLoopbackSocket(port_);
  if (listen(listener_, 8) != 0) {
    closesocket(listener_);
    throw std::runtime_error("cannot listen");
  }
  thread_ = std::thread([this] { run(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  stopping_ = true;
  thread_.join();
  closesocket(listener_);
}

void LoopbackHttpServer::serve(std::string_view path, int status, std::string body, std::string headers) {
  std::lock_guard lock(mutex_);
  replies_[std::string(path)] = Reply{status, std::move(body), std::move(headers), false};
}

void LoopbackHttpServer::serveSilence(std::string_view path) {
  std::lock_guard lock(mutex_);
  replies_[std::string(path)] = Reply{0, {}, {}, true};
}

int LoopbackHttpServer::requestsFor(std::string_view path) {
  std::lock_guard lock(mutex_);
  const auto found = requests_.find(path);
  return found == requests_.end() ? 0 : found->second;
}

std::string LoopbackHttpServer::lastAgent() {
  std::lock_guard lock(mutex_);
  return lastAgent_;
}

unsigned short LoopbackHttpServer::unusedPort() {
  static Winsock winsock;
  unsigned short port = 0;
  closesocket(boundLoopbackSocket(port));
  return port;
}

void LoopbackHttpServer::run() {
  while (!stopping_) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener_, &ready);
    timeval wait{0, 50 * 1000};
    if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    if (answer(client))
      closesocket(client);
    else
      held_.push_back(client);
  }
  for (SOCKET client : held_) closesocket(client);
}

bool LoopbackHttpServer::answer(SOCKET client) {
  // A client that stops reading (the update check takes only the first 64 KiB of a
  // long reply) must not hold the server in send for ever: the test waits for the
  // server's thread when it ends, and would wait with it.
  const DWORD timeout = 2000;
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
  setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
  std::string request;
  char buffer[1024];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequest) {
    const int got = recv(client, buffer, sizeof(buffer), 0);
    if (got <= 0) return true;
    request.append(buffer, static_cast<std::size_t>(got));
  }

  // "GET /path HTTP/1.1", then the header lines.
  const std::size_t pathStart = request.find(' ') + 1;
  const std::size_t pathEnd = request.find(' ', pathStart);
  if (pathStart == 0 || pathEnd == std::string::npos) return true;
  const std::string path = request.substr(pathStart, pathEnd - pathStart);
  std::string agent;
  for (std::size_t line = request.find("\r\n"); line != std::string::npos && line + 2 < request.size();
       line = request.find("\r\n", line + 2)) {
    const std::string_view header = std::string_view(request).substr(line + 2);
    if (startsWithIgnoringCase(header, "User-Agent:")) {
      agent = std::string(header.substr(11, header.find("\r\n") - 11));
      while (!agent.empty() && agent.front() == ' ') agent.erase(0, 1);
    }
  }

  Reply reply;
  {
    std::lock_guard lock(mutex_);
    ++requests_[path];
    lastAgent_ = agent;
    const auto found = replies_.find(path);
    if (found != replies_.end()) reply = found->second;
  }
  if (reply.silent) return false;
  const std::string response =
      "HTTP/1.1 " + std::to_string(reply.status) + " " + reason(reply.status) +
      "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(reply.body.size()) +
      "\r\nConnection: close\r\n" + reply.headers + "\r\n" + reply.body;
  for (std::size_t sent = 0; sent < response.size();) {
    const int count = send(client, response.data() + sent, static_cast<int>(response.size() - sent), 0);
    if (count <= 0) return true;
    sent += static_cast<std::size_t>(count);
  }
  shutdown(client, SD_SEND);
  return true;
}

}  // namespace velmora::contract
