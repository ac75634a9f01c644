#pragma once

#include <winsock2.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace velmora::contract {

// A tiny HTTP server on 127.0.0.1 for the Internet cases under Wine. It listens on a
// port the system picks, answers each connection with one reply and closes it (or,
// for a silent path, holds it open unanswered), and stops when it goes. Every wait
// is bounded: accepting polls a stop flag every 50 ms, and reading a request gives
// up after two seconds or 16 KiB.
class LoopbackHttpServer {
 public:
  LoopbackHttpServer();
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  unsigned short port() const { return port_; }

  // Answers a GET of path with status, the extra header lines and body; paths not
  // served get 404.
  void serve(std::string_view path, int status, std::string body, std::string headers);
  // Reads a GET of path and never answers it: the connection stays open, silent,
  // until the server goes.
  void serveSilence(std::string_view path);
  int requestsFor(std::string_view path);
  std::string lastAgent();

  // A port on 127.0.0.1 that was free a moment ago and on which nothing listens.
  static unsigned short unusedPort();

 private:
  struct Reply {
    int status = 404;
    std::string body;
    std::string headers;
    bool silent = false;
  };

  void run();
  // Answers the request on client; false when the connection is to be held open.
  bool answer(SOCKET client);

  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::map<std::string, Reply, std::less<>> replies_;
  std::map<std::string, int, std::less<>> requests_;
  std::string lastAgent_;
  std::vector<SOCKET> held_;  // Connections left unanswered; server thread only.
  std::thread thread_;
};

}  // namespace velmora::contract
