#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "widgets/ui_channel.h"

namespace velmora::app {

// The rows a scan finds, handed to the UI thread in batches: a batch goes once
// 50 ms have passed since the last one or once a few thousand rows wait,
// whichever comes first, and whatever waits goes whenever the scan finishes a
// part of its work. So the list and the figures on screen are redrawn a few times
// a second however fast rows are found, one batch never holds the UI thread for
// long, and what is shown is exact at the end of each part and of the scan. Used
// on the scanning thread; show runs on the UI thread with each batch, through the
// run's channel, so a stopped scan shows nothing more.
template <typename Row>
class RowBatches {
 public:
  using Show = std::function<void(std::vector<Row> rows)>;

  RowBatches(const widgets::UiChannel& ui, Show show) : ui_(ui), show_(std::move(show)) {}

  void add(Row row) {
    pending_.push_back(std::move(row));
    if (pending_.size() >= kMaxRows)
      send();
    else
      sendIfDue();
  }

  // Sends what waits once the last batch went at least 50 ms ago; called between
  // two items as well, so that rows never wait long for the next one.
  void sendIfDue() {
    if (!pending_.empty() && Clock::now() - lastSent_ >= kInterval) send();
  }

  // Sends what waits now: at the end of a part of the scan.
  void send() {
    if (pending_.empty()) return;
    ui_.post([show = show_, rows = std::move(pending_)]() mutable { show(std::move(rows)); });
    pending_.clear();
    lastSent_ = Clock::now();
  }

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr auto kInterval = std::chrono::milliseconds(50);
  static constexpr std::size_t kMaxRows = 4096;

  widgets::UiChannel ui_;
  Show show_;
  std::vector<Row> pending_;
  Clock::time_point lastSent_ = Clock::now();
};

}  // namespace velmora::app
