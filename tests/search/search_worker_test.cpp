#include "app/search_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#include "headless_app.h"

namespace velmora::app {
namespace {

using namespace std::chrono_literals;

// Runs the UI queue until the worker has ended and nothing is left to run.
void pumpUntilFinished(widgets::testing::HeadlessApp& h, const Search& search) {
  while (!search.finished()) {
    h.app.runPendingTasks();
    std::this_thread::sleep_for(1ms);
  }
  h.app.runPendingTasks();
}

TEST(SearchWorker, RowsArriveInOrderAndTheEndStepRunsLastOnTheUiThread) {
  widgets::testing::HeadlessApp h;
  std::vector<int> rows;
  bool endOnUiThread = false;
  std::size_t rowsAtEnd = 0;
  auto search = Search::start(
      h.app,
      [&rows](const widgets::UiChannel& ui) {
        for (int i = 0; i < 500; ++i) ui.post([&rows, i] { rows.push_back(i); });
      },
      [&] {
        endOnUiThread = h.app.isUiThread();
        rowsAtEnd = rows.size();
      });
  pumpUntilFinished(h, *search);
  ASSERT_EQ(rows.size(), 500u);
  for (int i = 0; i < 500; ++i) EXPECT_EQ(rows[static_cast<std::size_t>(i)], i);
  EXPECT_TRUE(endOnUiThread);
  EXPECT_EQ(rowsAtEnd, 500u);
}

TEST(SearchWorker, AStoppedWorkerChangesNothingAndSkipsItsEndStep) {
  widgets::testing::HeadlessApp h;
  std::atomic<int> posted{0};
  int shown = 0;
  bool ended = false;
  auto search = Search::start(
      h.app,
      [&](const widgets::UiChannel& ui) {
        while (!ui.stopRequested()) {
          ui.post([&shown] { ++shown; });
          ++posted;
          std::this_thread::sleep_for(100us);
        }
      },
      [&ended] { ended = true; });
  while (posted < 50) std::this_thread::sleep_for(1ms);
  h.app.runPendingTasks();
  search->stop();
  const int shownAtStop = shown;
  pumpUntilFinished(h, *search);
  EXPECT_EQ(shown, shownAtStop);
  EXPECT_FALSE(ended);
}

TEST(SearchWorker, AnErrorInTheScanIsShownAndThePageStillReturnsToIdle) {
  widgets::testing::HeadlessApp h;
  bool ended = false;
  auto search = Search::start(
      h.app, [](const widgets::UiChannel&) { throw std::runtime_error("disk vanished"); },
      [&ended] { ended = true; });
  pumpUntilFinished(h, *search);
  EXPECT_TRUE(ended);
  ASSERT_EQ(h.dialogs.shown().size(), 1u);
  EXPECT_NE(h.dialogs.shown()[0].text.find("disk vanished"), std::string::npos);
}

TEST(SearchWorker, AScanThatCannotStartReturnsThePageToIdleAndShowsWhy) {
  widgets::testing::HeadlessApp h;
  bool scanned = false;
  bool ended = false;
  auto search = Search::start(
      h.app, [&scanned](const widgets::UiChannel&) { scanned = true; }, [&ended] { ended = true; },
      [](std::function<void()>) {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again), "no thread");
      });
  EXPECT_TRUE(ended);
  EXPECT_FALSE(scanned);
  EXPECT_TRUE(search->finished());
  ASSERT_EQ(h.dialogs.shown().size(), 1u);
  EXPECT_NE(h.dialogs.shown()[0].text.find("no thread"), std::string::npos);
}

}  // namespace
}  // namespace velmora::app
