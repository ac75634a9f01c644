#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/internet.h"

namespace velmora::contract {

// Where the Internet cases run: the scripted fake natively, and under Wine WinINet
// against a small HTTP server on 127.0.0.1 that the world starts and stops.
class InternetWorld {
 public:
  virtual ~InternetWorld() = default;

  virtual platform::Internet& internet() = 0;

  // The address of path ("/version") on the world's server.
  virtual std::string url(std::string_view path) = 0;
  // The server answers a GET of path with the status, the extra header lines (each
  // ended by CR LF) and the body. A fake has no status or headers: it serves the body.
  virtual void serve(std::string_view path, int status, std::string body, std::string headers = {}) = 0;
  // The server takes a GET of path and never answers it. The fake, which cannot
  // wait, stands for what the timeout makes of it: the request does not open.
  virtual void serveSilence(std::string_view path) = 0;
  // How many requests for path reached the server.
  virtual int requestsFor(std::string_view path) = 0;
  // The user-agent name of the latest request.
  virtual std::string lastAgent() = 0;
  // An address on the local machine at which nothing answers.
  virtual std::string unreachableUrl() = 0;
};

std::unique_ptr<InternetWorld> makeInternetWorld();

}  // namespace velmora::contract
