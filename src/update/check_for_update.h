#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/internet.h"
#include "platform/text_files.h"

namespace velmora::update {

// The most of a reply that is read and stored; a longer reply is cut there. A
// version number is a few bytes, and a server that sends more is not sending one.
constexpr std::size_t kMaxReplySize = 64 * 1024;
// How long connecting, sending the request and each wait for the reply may take.
constexpr std::chrono::milliseconds kUpdateTimeout = std::chrono::seconds(15);
// The longest first line of a reply that is taken for a version number.
constexpr std::size_t kMaxVersionLength = 32;

// What one check works with, copied for its thread when the check starts, so that
// the thread reads nothing the user-interface thread may change.
struct UpdateRequest {
  std::string agent;       // The main window's title, the user agent of the request.
  std::string address;     // RequestAddress of the server root and the product title.
  std::string replyFile;   // Where the reply is stored.
  std::string ownVersion;  // The program's version, which the reply is compared with.
  bool connected = false;  // The connection state when the check started.
  std::chrono::milliseconds timeout = kUpdateTimeout;
};

// What a check found out.
enum class UpdateFinding {
  NotChecked,       // No connection: no request was made, and nothing changes.
  CannotConnect,    // No reply: no server, no answer, or the reply could not be stored.
  UnreadableReply,  // The server answered, but with an error status or no version.
  LatestVersion,    // The server's version is not newer than ours.
  NewerVersion,     // The server has a newer version: latestVersion.
};

struct UpdateOutcome {
  UpdateFinding finding = UpdateFinding::NotChecked;
  // The version the server named (its reply's first line, blanks trimmed).
  std::string latestVersion;

  bool newer() const { return finding == UpdateFinding::NewerVersion; }
};

// The address of the update request: the server root, the script's path and the
// product title with each space turned into "+" ("Velmora+Disk+Cleaner").
std::string RequestAddress(std::string_view serverRoot, std::string_view productTitle);

// Whether version is greater than than, compared byte by byte as unsigned 8-bit
// characters: at the first difference the greater byte wins, and of two texts of
// which one begins the other the longer is greater. No numbers are read, so "1.10"
// is not greater than "1.3".
bool VersionIsGreater(std::string_view version, std::string_view than);

// Whether text is a version number: digits and points only, at most
// kMaxVersionLength of them, at least one.
bool IsVersionText(std::string_view text);

// One update check; runs on the check's own thread. Without a connection it asks
// nothing. Otherwise it fetches the request address, stores the reply (at most
// kMaxReplySize bytes) as the reply file and compares the reply file's first line
// with our version. A reply that is not a plain 200 answer, or whose first line is
// neither empty nor a version, is an answer that cannot be read: an error page must
// never pass for a newer version.
UpdateOutcome CheckForUpdate(const UpdateRequest& request, platform::Internet& internet,
                             platform::TextFiles& files);

}  // namespace velmora::update
