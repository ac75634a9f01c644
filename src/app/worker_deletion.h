#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "app/search_worker.h"
#include "widgets/application.h"
#include "widgets/ui_channel.h"

namespace velmora::app {

// A page's deletion, run on the page's worker so that the window stays painted
// and the status line counts while it lasts. The page's Search button is its Stop
// meanwhile, and nothing adds or removes a row under it.
//
// The user's Stop is not the worker's stop: it only asks the deletion to end
// between two items, and the end step still runs, so the rows of what went leave
// the list in one pass and the figures are exact. Closing the program stops the
// worker outright (its end step is dropped) but waits for the item under way: a
// file cut off halfway into the Recycle Bin, or a process that ends while a
// backup is written, is worse than a close that takes a moment. UI thread only.
class WorkerDeletion {
 public:
  // Runs on the worker; stopRequested says whether to end before the next item.
  using Body = std::function<void(const widgets::UiChannel& ui, const std::function<bool()>& stopRequested)>;

  bool running() const { return running_; }

  // Starts body on a new worker, for the page to keep as its own; end runs on the
  // UI thread after it, also after Stop, when the deletion no longer counts as
  // running.
  std::shared_ptr<Search> start(widgets::Application& app, Body body, std::function<void()> end);

  // The user's Stop.
  void stop() const {
    if (stop_) stop_->store(true);
  }

  // As the program closes: stops the page's worker, whatever it runs, and when it
  // runs this deletion, waits (at most a minute) for the item under way. The
  // worker only posts while it deletes, so it never waits for the UI thread.
  void stopForClose(Search& worker) const;

 private:
  bool running_ = false;
  std::shared_ptr<std::atomic<bool>> stop_;
};

}  // namespace velmora::app
