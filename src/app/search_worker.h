#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <memory>

#include "widgets/application.h"
#include "widgets/ui_channel.h"

namespace velmora::app {

// The worker that runs one scan of the main window. Each Search button starts a
// new one: the scan runs on a thread of its own and hands every change to the UI
// thread through its channel; when the scan returns, the end-of-scan step runs on
// the UI thread while the worker waits, and then the worker ends and frees itself.
//
// Stop (from the UI thread) marks the run stopped: from that moment nothing the
// worker posted takes effect, its end-of-scan step is dropped, and the scan, which
// asks the channel between two items, ends soon after. A later scan may already
// own the page by then.
class Search {
 public:
  using Scan = std::function<void(const widgets::UiChannel&)>;
  // Runs body on a thread of its own, which nobody joins; throws (as std::thread
  // does, std::system_error) when the system cannot make one.
  using ThreadStarter = std::function<void(std::function<void()> body)>;
  static void startDetachedThread(std::function<void()> body);

  // UI thread: starts scan on a new thread; endOfScan runs on the UI thread after
  // it. When no thread can be made the scan cannot start: endOfScan runs at once,
  // so that the page is idle again, and the error is shown; the worker returned
  // has then finished.
  static std::shared_ptr<Search> start(widgets::Application& app, Scan scan, std::function<void()> endOfScan,
                                       const ThreadStarter& startThread = startDetachedThread);

  // UI thread: the run is over for the window; the thread ends by itself.
  void stop() { run_.stop(); }
  bool stopped() const { return run_.stopped(); }

  // Whether the thread has ended.
  bool finished() const;

  // UI thread: waits at most timeout for the scan itself to return, not for the
  // end-of-scan step, which waits for this thread. For a run that must not be cut
  // off as the program ends (a deletion halfway through a batch). False on timeout.
  bool waitForScanToReturn(std::chrono::milliseconds timeout) const;

 private:
  Search() = default;

  widgets::RunToken run_;
  std::promise<void> done_;
  std::shared_future<void> finished_ = done_.get_future().share();
  std::promise<void> returned_;
  std::shared_future<void> scanReturned_ = returned_.get_future().share();
};

}  // namespace velmora::app
