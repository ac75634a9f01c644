#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "widgets/run_token.h"

namespace velmora::widgets {

// The one queue through which any thread hands work to the UI thread. Tasks run
// on the UI thread in the order they were queued, post and invoke alike. A task
// queued with a run token is dropped, unrun, if the token is stopped by the time
// the task's turn comes. Once the queue is closed (the application ends), waiting
// and new tasks are dropped and invoke returns false at once, so that no worker
// waits for a UI thread that is gone.
//
// Workers hold the queue through a shared pointer (see UiChannel), so a late post
// from a worker never touches a destroyed application.
class UiQueue {
 public:
  // wake is called, with the queue's lock held, when a task arrives in an empty
  // queue: it must only nudge the UI thread (post a message, notify a condition),
  // never call back into the queue, and says whether the nudge was delivered. One
  // that was not (the window's message queue is full) is owed: it is tried again
  // with each task queued after it, and by a worker waiting in invoke, until one
  // is delivered; otherwise the queue would never wake the UI thread again.
  explicit UiQueue(std::function<bool()> wake);
  UiQueue(const UiQueue&) = delete;
  UiQueue& operator=(const UiQueue&) = delete;

  // Queues task to run later on the UI thread; returns at once.
  void post(std::function<void()> task, std::optional<RunToken> run = std::nullopt);

  // Runs task on the UI thread and waits for it: at once when called on the UI
  // thread, otherwise after every task queued before it. Returns false when the
  // task was dropped (run stopped, queue closed). An exception that escapes the
  // task is thrown again here, in the calling thread.
  bool invoke(std::function<void()> task, std::optional<RunToken> run = std::nullopt);

  // UI thread: runs the tasks that were queued when it was called, until budget
  // is used up; returns true when tasks are left. An exception that escapes a
  // posted task goes to onError and the next task runs.
  bool runPending(std::chrono::steady_clock::duration budget = std::chrono::steady_clock::duration::max());

  // Drops every waiting task, releases waiting invokers and refuses new tasks.
  void close();

  bool empty() const;
  bool isUiThread() const { return std::this_thread::get_id() == uiThread_; }

  // Receives the exceptions of posted tasks; set by the application.
  std::function<void(std::exception_ptr)> onError;

 private:
  struct Waiter;
  struct Entry {
    std::function<void()> task;
    std::optional<RunToken> run;
    std::shared_ptr<Waiter> waiter;
  };

  bool push(Entry entry);
  // Tries an owed wake again.
  void wakeIfOwed();

  std::function<bool()> wake_;
  const std::thread::id uiThread_;
  mutable std::mutex mutex_;
  std::deque<Entry> entries_;
  bool closed_ = false;
  bool wakeOwed_ = false;
};

}  // namespace velmora::widgets
