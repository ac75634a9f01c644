#include "app/search_worker.h"

#include <chrono>
#include <thread>

namespace velmora::app {

void Search::startDetachedThread(std::function<void()> body) { std::thread(std::move(body)).detach(); }

std::shared_ptr<Search> Search::start(widgets::Application& app, Scan scan, std::function<void()> endOfScan,
                                      const ThreadStarter& startThread) {
  std::shared_ptr<Search> search(new Search);
  widgets::UiChannel channel = app.channel(search->run_);
  widgets::Application* application = &app;
  // The thread keeps the worker alive until it ends: the window keeps only a
  // reference for Stop, and may drop it at any time.
  auto body = [search, channel, application, scan = std::move(scan), endOfScan] {
    try {
      scan(channel);
    } catch (...) {
      // A scan reports nothing of its own; an unexpected error is shown like one
      // that escapes an event handler, and the page still returns to idle.
      std::exception_ptr error = std::current_exception();
      channel.post([application, error] { application->showException(error); });
    }
    search->returned_.set_value();
    // An error of the end-of-scan step is shown on the UI thread, as from any
    // event handler, and never reaches this thread.
    channel.invoke([application, &endOfScan] { application->guard(endOfScan); });
    search->done_.set_value();
  };
  try {
    startThread(std::move(body));
  } catch (...) {
    // No thread, no scan: the page must not stay in its running state with Stop
    // on the button and the other pages locked.
    search->returned_.set_value();
    search->done_.set_value();
    app.guard(endOfScan);
    app.showException(std::current_exception());
  }
  return search;
}

bool Search::waitForScanToReturn(std::chrono::milliseconds timeout) const {
  return scanReturned_.wait_for(timeout) == std::future_status::ready;
}

bool Search::finished() const {
  return finished_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

}  // namespace velmora::app
