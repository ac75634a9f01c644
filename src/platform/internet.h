#pragma once

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
//   auto request = session->openUrl(url);
//   if (!request) ...;                      // failure
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
};

// A session opened by InternetOpen.
class InternetSession {
 public:
  virtual ~InternetSession() = default;

  // InternetOpenUrl with no extra headers and INTERNET_FLAG_RELOAD: sends the
  // request to the server itself, never answering from a cache. The HTTP status
  // is not examined: any reply the server gives, an error page included, opens.
  // Null when the address is not valid or the server cannot be reached. The request
  // may outlive the session object; its own handle is closed first.
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
