#include "widgets/ui_queue.h"

namespace velmora::widgets {

// The meeting point of an invoking worker and the UI thread that runs its task.
struct UiQueue::Waiter {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  bool ran = false;
  std::exception_ptr error;

  void finish(bool taskRan, std::exception_ptr taskError) {
    std::lock_guard lock(mutex);
    finished = true;
    ran = taskRan;
    error = std::move(taskError);
    done.notify_all();
  }
};

namespace {

// How often a worker waiting in invoke tries an owed wake again.
constexpr auto kWakeRetry = std::chrono::milliseconds(20);

}  // namespace

UiQueue::UiQueue(std::function<bool()> wake)
    : wake_(std::move(wake)), uiThread_(std::this_thread::get_id()) {}

bool UiQueue::push(Entry entry) {
  std::lock_guard lock(mutex_);
  if (closed_) return false;
  const bool wasEmpty = entries_.empty();
  entries_.push_back(std::move(entry));
  // Waking with the lock held means close() cannot finish while a wake is on its
  // way to a backend that is about to be destroyed.
  if ((wasEmpty || wakeOwed_) && wake_) wakeOwed_ = !wake_();
  return true;
}

void UiQueue::wakeIfOwed() {
  std::lock_guard lock(mutex_);
  if (wakeOwed_ && !closed_ && !entries_.empty() && wake_) wakeOwed_ = !wake_();
}

void UiQueue::post(std::function<void()> task, std::optional<RunToken> run) {
  push({std::move(task), std::move(run), nullptr});
}

bool UiQueue::invoke(std::function<void()> task, std::optional<RunToken> run) {
  if (isUiThread()) {
    // Waiting for ourselves would never end: run it now, as a direct call.
    if (run && run->stopped()) return false;
    {
      std::lock_guard lock(mutex_);
      if (closed_) return false;
    }
    task();
    return true;
  }
  // A run already stopped has nothing to wait for: the task would only be dropped.
  if (run && run->stopped()) return false;
  auto waiter = std::make_shared<Waiter>();
  if (!push({std::move(task), std::move(run), waiter})) return false;
  std::exception_ptr error;
  bool ran;
  {
    std::unique_lock lock(waiter->mutex);
    while (!waiter->done.wait_for(lock, kWakeRetry, [&] { return waiter->finished; })) {
      lock.unlock();
      wakeIfOwed();
      lock.lock();
    }
    // The exception leaves the waiter under its lock, so that this thread, the
    // one that handles it, is also the one that frees it.
    error = std::move(waiter->error);
    ran = waiter->ran;
  }
  if (error) std::rethrow_exception(std::move(error));
  return ran;
}

bool UiQueue::runPending(std::chrono::steady_clock::duration budget) {
  const auto start = std::chrono::steady_clock::now();
  std::size_t count;
  {
    std::lock_guard lock(mutex_);
    count = entries_.size();
  }
  // Only the tasks present now: a task that queues another does not keep this
  // call going for ever.
  while (count-- > 0) {
    Entry entry;
    {
      std::lock_guard lock(mutex_);
      if (entries_.empty()) break;
      entry = std::move(entries_.front());
      entries_.pop_front();
    }
    if (entry.run && entry.run->stopped()) {
      if (entry.waiter) entry.waiter->finish(false, nullptr);
      continue;
    }
    std::exception_ptr error;
    try {
      entry.task();
    } catch (...) {
      error = std::current_exception();
    }
    if (entry.waiter)
      entry.waiter->finish(true, std::move(error));
    else if (error && onError)
      onError(error);
    if (std::chrono::steady_clock::now() - start >= budget) break;
  }
  std::lock_guard lock(mutex_);
  return !entries_.empty();
}

void UiQueue::close() {
  std::deque<Entry> dropped;
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
    dropped.swap(entries_);
  }
  for (Entry& entry : dropped)
    if (entry.waiter) entry.waiter->finish(false, nullptr);
}

bool UiQueue::empty() const {
  std::lock_guard lock(mutex_);
  return entries_.empty();
}

}  // namespace velmora::widgets
