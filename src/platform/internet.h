#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The Internet client of the update check: whether the computer is connected, and
// one HTTP GET whose reply body is read in chunks. Each handle closes itself
// (InternetCloseHandle) when it goes.
//
//   auto session = internet.open(agent);
//   if (!session) ...;                      // failure
//   session->setTimeout(15s);
//   auto request = session->openUrl(url);
//   if (!request) ...;                      // failure
//   if (request->status() != 200) ...;      // the server answered with an error
//   char chunk[1024];
//   while (auto got = request->read(chunk)) { if (*got == 0) break; ... }
namespace velmora::platform {

// A request opened by InternetOpenUrl.
class InternetRequest {
 public:
  virtual ~InternetRequest() = default;

  // InternetReadFile: reads the next part of the reply body into buffer, and says
  // how many bytes it read; 0 at the end of the body, nothing when the read failed.
  // A read may deliver fewer bytes than the buffer holds before the end.
  virtual std::optional<std::size_t> read(std::span<char> buffer) = 0;

  // HttpQueryInfo with HTTP_QUERY_STATUS_CODE: the HTTP status of the reply (200,
  // 404, ...); 0 when the reply carries none.
  virtual int status() const = 0;
};

// A session opened by InternetOpen.
class InternetSession {
 public:
  virtual ~InternetSession() = default;

  // InternetSetOption with the connect, send and receive timeouts: a connection
  // that is not made, or a part of a request or reply that is not sent or received,
  // within timeout fails the call that waits for it (openUrl gives null, read gives
  // nothing). Requests opened afterwards take it over. False when it was refused.
  virtual bool setTimeout(std::chrono::milliseconds timeout) = 0;

  // InternetOpenUrl of an http or https address, with no extra headers,
  // INTERNET_FLAG_RELOAD and INTERNET_FLAG_NO_CACHE_WRITE: sends the request to the
  // server itself, never answering from the Internet cache nor adding the reply to
  // it. Any reply the server gives, an error page included, opens; status() tells
  // them apart. Null when the address is not a valid http or https address or the
  // server cannot be reached or does not answer in time. The request may outlive
  // the session object; its own handle is closed first.
  virtual std::unique_ptr<InternetRequest> openUrl(std::string_view url) = 0;
};

class Internet {
 public:
  virtual ~Internet() = default;

  // InternetGetConnectedState: true when Windows reports a connection, whatever
  // kind of connection it reports.
  virtual bool connected() const = 0;

  // InternetOpen with agent as the user-agent name and direct access (no proxy);
  // null on failure.
  virtual std::unique_ptr<InternetSession> open(std::string_view agent) = 0;
};

}  // namespace velmora::platform
