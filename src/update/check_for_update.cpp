#include "update/check_for_update.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "common/text_lines.h"

namespace velmora::update {
namespace {

// What the server answered: its HTTP status and the body, cut at kMaxReplySize.
struct Reply {
  int status = 0;
  std::string body;
};

// The HTTP fetch of the request address; nothing when there is no reply to store:
// WinINet does not start, the server cannot be reached or does not answer within
// the timeout, or the reply breaks off.
std::optional<Reply> FetchReply(const UpdateRequest& request, platform::Internet& internet) {
  std::unique_ptr<platform::InternetSession> session = internet.open(request.agent);
  // A session that will not take the timeout could wait for a silent server for
  // ever, and the check with it.
  if (!session || !session->setTimeout(request.timeout)) return std::nullopt;
  std::unique_ptr<platform::InternetRequest> url = session->openUrl(request.address);
  if (!url) return std::nullopt;

  Reply reply{url->status(), {}};
  std::array<char, 1024> chunk;
  while (reply.body.size() < kMaxReplySize) {
    const std::size_t room = std::min(chunk.size(), kMaxReplySize - reply.body.size());
    const std::optional<std::size_t> got = url->read(std::span(chunk.data(), room));
    // A reply cut short in the middle, by a timeout or a dropped connection, could
    // end inside its version number.
    if (!got) return std::nullopt;
    if (*got == 0) break;
    reply.body.append(chunk.data(), *got);
  }
  return reply;
}

std::string_view TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string RequestAddress(std::string_view serverRoot, std::string_view productTitle) {
  std::string title(productTitle);
  std::replace(title.begin(), title.end(), ' ', '+');
  return std::string(serverRoot) + "/cgi-bin/check_update.cgi?title=" + title;
}

bool VersionIsGreater(std::string_view version, std::string_view than) {
  // std::string_view compares its characters as unsigned char.
  return version.compare(than) > 0;
}

bool IsVersionText(std::string_view text) {
  return !text.empty() && text.size() <= kMaxVersionLength &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

UpdateOutcome CheckForUpdate(const UpdateRequest& request, platform::Internet& internet,
                             platform::TextFiles& files) {
  if (!request.connected) return {UpdateFinding::NotChecked, {}};

  // The reply is stored as it came, an error page too: the file shows what the
  // server said.
  const std::optional<Reply> reply = FetchReply(request, internet);
  if (!reply || !files.writeBytes(request.replyFile, reply->body)) return {UpdateFinding::CannotConnect, {}};
  if (reply->status != 200) return {UpdateFinding::UnreadableReply, {}};

  const platform::FileContents stored = files.readText(request.replyFile);
  if (!stored) return {UpdateFinding::CannotConnect, {}};
  const std::vector<std::string> lines = text::splitLines(stored.data);
  const std::string latest(lines.empty() ? std::string_view() : TrimBlanks(lines.front()));
  // An empty reply names no newer version.
  if (latest.empty()) return {UpdateFinding::LatestVersion, {}};
  if (!IsVersionText(latest)) return {UpdateFinding::UnreadableReply, {}};
  if (VersionIsGreater(latest, request.ownVersion)) return {UpdateFinding::NewerVersion, latest};
  return {UpdateFinding::LatestVersion, latest};
}

}  // namespace velmora::update
