#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace velmora::junk {

// A few threads that list folders ahead of a walk, which still takes each listing
// in its own order: the walk asks for the folders it will need, and takes each
// when it gets there, so what it collects is what a walk alone collects.
//
// The folder asked last is listed first: a walk asks for a folder's sub-folders
// (last to first) as it lists the folder, and goes into the first of them next.
// At most `ahead` listings wait to be taken, so the pool holds a few folders'
// entries beyond what the walk holds itself. A listing nobody has started when the
// walk takes it is made on the walk's own thread rather than waited for.
//
// Going away stops the threads: one busy with a folder stops at its next batch
// (the listing function is handed the stop flag), and nothing is listed after.
template <class Listing>
class ListingAhead {
  struct Job {
    std::string path;
    Listing listing{};
    enum class State { queued, running, done } state = State::queued;
  };

 public:
  using Ticket = std::shared_ptr<Job>;
  using List = std::function<Listing(const std::string& path, const std::atomic<bool>& stop)>;

  ListingAhead(int threads, std::size_t ahead, List list) : ahead_(ahead), list_(std::move(list)) {
    for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { work(); });
  }
  ~ListingAhead() {
    {
      std::lock_guard guard(lock_);
      stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }
  ListingAhead(const ListingAhead&) = delete;
  ListingAhead& operator=(const ListingAhead&) = delete;

  // Threads for a machine with `cores` cores: one each, at most four, and none on
  // a single core, where the walk's own thread is all there is.
  static int threadsFor(unsigned cores) { return cores < 2 ? 0 : static_cast<int>(cores < 4 ? cores : 4); }

  Ticket ask(std::string path) {
    auto job = std::make_shared<Job>();
    job->path = std::move(path);
    if (threads_.empty()) return job;
    {
      std::lock_guard guard(lock_);
      queue_.push_back(job);
    }
    changed_.notify_one();
    return job;
  }

  Listing take(const Ticket& job) {
    std::unique_lock guard(lock_);
    if (job->state == Job::State::queued) {
      // No thread has started it: the walk lists it now instead of waiting. It
      // stays queued but is passed over (state running) by the threads.
      job->state = Job::State::running;
      guard.unlock();
      return list_(job->path, stop_);
    }
    changed_.wait(guard, [&] { return job->state == Job::State::done; });
    --ready_;
    changed_.notify_all();
    return std::move(job->listing);
  }

 private:
  void work() {
    std::unique_lock guard(lock_);
    for (;;) {
      changed_.wait(guard, [&] { return stop_ || (ready_ < ahead_ && !queue_.empty()); });
      if (stop_) return;
      Ticket job = std::move(queue_.back());
      queue_.pop_back();
      if (job->state != Job::State::queued) continue;
      job->state = Job::State::running;
      ++ready_;  // Counted from now, so that the threads never run past `ahead`.
      guard.unlock();
      Listing listing = list_(job->path, stop_);
      guard.lock();
      job->listing = std::move(listing);
      job->state = Job::State::done;
      changed_.notify_all();
    }
  }

  const std::size_t ahead_;
  const List list_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::vector<Ticket> queue_;
  std::size_t ready_ = 0;  // Listings made or being made by the threads, not yet taken.
  std::atomic<bool> stop_{false};
  std::vector<std::thread> threads_;
};

}  // namespace velmora::junk
