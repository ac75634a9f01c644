#pragma once

#include <atomic>
#include <memory>

namespace velmora::widgets {

// The mark of one run of a worker (or of a form's life) that the UI thread can set
// to say "stopped". Every change the run posted to the UI thread is checked
// against the mark there, on the UI thread, just before it would take effect, and
// is dropped once the mark is set; so after stop() returns, nothing that run
// posted changes anything, even changes already waiting in the queue. The worker
// reads the mark between two items to end early.
//
// Copies share one mark. A default-made token is a new run, not stopped.
class RunToken {
 public:
  RunToken() : stopped_(std::make_shared<std::atomic<bool>>(false)) {}

  // Marks the run stopped. Called on the UI thread.
  void stop() const { stopped_->store(true, std::memory_order_release); }

  // Whether the run was marked stopped; from any thread.
  bool stopped() const { return stopped_->load(std::memory_order_acquire); }

  friend bool operator==(const RunToken& a, const RunToken& b) { return a.stopped_ == b.stopped_; }

 private:
  std::shared_ptr<std::atomic<bool>> stopped_;
};

}  // namespace velmora::widgets
