#pragma once

#include <functional>
#include <memory>

#include "widgets/run_token.h"
#include "widgets/ui_queue.h"

namespace velmora::widgets {

// What a worker holds for one run: the way to hand changes to the UI thread, tied
// to the run's token. Everything posted or invoked through it is dropped on the
// UI thread once the run is stopped, so a stopped worker changes nothing; the
// worker asks stopRequested() between two items to end early. Copyable, and safe
// to use after the application has gone (its tasks are then dropped).
class UiChannel {
 public:
  UiChannel(std::shared_ptr<UiQueue> queue, RunToken run) : queue_(std::move(queue)), run_(std::move(run)) {}

  // Ordered and asynchronous: for rows, status texts, progress.
  void post(std::function<void()> task) const { queue_->post(std::move(task), run_); }

  // Synchronous: returns once the task has run on the UI thread (true) or was
  // dropped (false). An exception from the task is thrown again here.
  bool invoke(std::function<void()> task) const { return queue_->invoke(std::move(task), run_); }

  bool stopRequested() const { return run_.stopped(); }
  const RunToken& run() const { return run_; }

 private:
  std::shared_ptr<UiQueue> queue_;
  RunToken run_;
};

}  // namespace velmora::widgets
