#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "headless_app.h"
#include "widgets/form.h"
#include "widgets/list_view.h"
#include "widgets/ui_queue.h"

// Workers and the UI thread, under ThreadSanitizer in the threads build: every
// change a worker hands over runs on the UI thread, in order, and nothing a
// stopped run posted runs after the stop.
namespace velmora::widgets {
namespace {

class ThreadsTest : public ::testing::Test {
 protected:
  // Runs the loop until done() holds, as the UI thread does between events.
  void pumpUntil(const std::function<bool()>& done) {
    h.app.post([] {});
    h.backend().runUntil(done);
  }

  testing::HeadlessApp h;
  Form form{h.app, "TForm1"};
  ListView list{form, "ListViewFiles"};
  const std::thread::id uiThread = std::this_thread::get_id();
};

TEST_F(ThreadsTest, PostsFromSeveralWorkersRunOnTheUiThreadEachInItsOrder) {
  constexpr int kWorkers = 4;
  constexpr int kRows = 500;
  std::vector<std::vector<int>> seen(kWorkers);
  std::atomic<int> finished{0};
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([&, w] {
      const UiChannel channel = h.app.channel(RunToken());
      for (int i = 0; i < kRows; ++i)
        channel.post([&, w, i] {
          EXPECT_EQ(std::this_thread::get_id(), uiThread);
          seen[static_cast<std::size_t>(w)].push_back(i);
          list.addRow({std::to_string(w), std::to_string(i)});
        });
      ++finished;
      channel.post([] {});
    });
  }
  pumpUntil([&] { return list.count() == kWorkers * kRows; });
  for (auto& worker : workers) worker.join();
  for (const auto& rows : seen) {
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kRows));
    for (int i = 0; i < kRows; ++i) EXPECT_EQ(rows[static_cast<std::size_t>(i)], i);
  }
}

TEST_F(ThreadsTest, InvokeWaitsForTheUiThreadAfterEverythingPostedBefore) {
  std::vector<std::string> log;
  bool workerDone = false;
  std::thread worker([&] {
    const UiChannel channel = h.app.channel(RunToken());
    channel.post([&] { log.push_back("row"); });
    int count = -1;
    // The end-of-scan step: the worker reads what the UI thread holds.
    EXPECT_TRUE(channel.invoke([&] {
      log.push_back("end");
      count = static_cast<int>(log.size());
    }));
    EXPECT_EQ(count, 2);
    channel.post([&] { workerDone = true; });
  });
  pumpUntil([&] { return workerDone; });
  worker.join();
  EXPECT_EQ(log, (std::vector<std::string>{"row", "end"}));
}

TEST_F(ThreadsTest, AnExceptionInAnInvokedTaskReachesTheWorker) {
  bool caught = false;
  bool done = false;
  std::thread worker([&] {
    try {
      h.app.invoke([] { throw std::runtime_error("refused"); });
    } catch (const std::runtime_error& e) {
      caught = std::string(e.what()) == "refused";
    }
    h.app.post([&] { done = true; });
  });
  pumpUntil([&] { return done; });
  worker.join();
  EXPECT_TRUE(caught);
  EXPECT_TRUE(h.dialogs.shown().empty()) << "the worker, not a message box, gets it";
}

TEST_F(ThreadsTest, NothingAStoppedRunPostedChangesAnythingAfterTheStop) {
  const RunToken run;
  std::atomic<bool> workerSawStop{false};
  std::atomic<bool> invokeDropped{false};
  std::atomic<bool> workerFinished{false};
  int rowsAtStop = -1;

  std::thread worker([&, channel = h.app.channel(run)] {
    // The scan: one row per item, until the stop is seen between two items.
    while (!channel.stopRequested()) channel.post([&] { list.addRow({"file"}, true); });
    workerSawStop = true;
    // A few changes still on their way after the stop, and the end-of-scan
    // step: none of them may take effect.
    for (int i = 0; i < 50; ++i) channel.post([&] { list.addRow({"late"}); });
    invokeDropped = !channel.invoke([&] { list.clear(); });
    workerFinished = true;
    // Wakes the loop; dropped like the rest.
    channel.post([] {});
  });

  // The user clicks Stop between two events once some rows are listed, while
  // many more of the worker's rows still wait in the queue.
  pumpUntil([&] {
    if (rowsAtStop < 0 && list.count() >= 100) {
      run.stop();
      rowsAtStop = list.count();
    }
    return workerFinished.load();
  });
  worker.join();
  h.app.processMessages();

  EXPECT_TRUE(workerSawStop);
  EXPECT_TRUE(invokeDropped);
  EXPECT_EQ(list.count(), rowsAtStop);
  for (int i = 0; i < list.count(); ++i) ASSERT_EQ(list.rowCaption(i), "file");
}

TEST_F(ThreadsTest, WorkersOutlivingTheApplicationAreReleasedNotHung) {
  std::atomic<bool> start{false};
  std::atomic<bool> invokeResult{true};
  std::thread worker;
  {
    testing::HeadlessApp other;
    const UiChannel channel = other.app.channel(RunToken());
    worker = std::thread([&, channel] {
      while (!start) std::this_thread::yield();
      // The application is gone: the task is dropped and the worker goes on.
      invokeResult = channel.invoke([] {});
      channel.post([] {});
    });
  }
  start = true;
  worker.join();
  EXPECT_FALSE(invokeResult);
}

// The UI thread's side is a message loop that runs the queue only when woken, and
// every wake fails for a while, as PostMessage does on a full message queue: the
// queue keeps trying, with each task queued and from a worker waiting in invoke,
// until a wake gets through, and never stalls for good.
TEST(UiQueueWake, AWakeThatWasNotDeliveredIsTriedAgainUntilOneIs) {
  std::atomic<int> attempts{0};
  std::atomic<int> failuresLeft{3};
  std::atomic<bool> woken{false};
  UiQueue queue([&] {
    ++attempts;
    if (failuresLeft > 0) {
      --failuresLeft;
      return false;
    }
    woken = true;
    return true;
  });
  queue.post([] {});  // the first wake fails
  queue.post([] {});  // and is tried again: it fails too
  EXPECT_EQ(attempts, 2);
  // The worker's task fails to wake once more, and then no task follows it: the
  // worker itself tries again while it waits.
  std::atomic<bool> ran{false};
  std::thread worker([&] { ran = queue.invoke([] {}); });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!woken && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_TRUE(woken) << "the queue never woke the UI thread again";
  if (woken)
    queue.runPending();
  else
    queue.close();  // releases the worker
  worker.join();
  EXPECT_TRUE(ran);
  // Once a wake is on its way, tasks queued behind it wake nobody.
  const int delivered = attempts;
  queue.post([] {});
  queue.post([] {});
  EXPECT_EQ(attempts, delivered + 1);
}

TEST_F(ThreadsTest, ChangesForAFormThatIsGoneAreDropped) {
  auto dialog = std::make_unique<Form>(h.app, "TFormUpdate");
  std::atomic<bool> posted{false};
  int ran = 0;
  std::thread worker([&, lifetime = dialog->lifetime()] {
    h.app.post(lifetime, [&] { ++ran; });
    posted = true;
  });
  worker.join();
  ASSERT_TRUE(posted);
  dialog.reset();
  h.app.processMessages();
  EXPECT_EQ(ran, 0);
}

}  // namespace
}  // namespace velmora::widgets
