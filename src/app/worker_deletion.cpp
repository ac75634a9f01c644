#include "app/worker_deletion.h"

#include <chrono>

namespace velmora::app {

std::shared_ptr<Search> WorkerDeletion::start(widgets::Application& app, Body body, std::function<void()> end) {
  running_ = true;
  auto stop = std::make_shared<std::atomic<bool>>(false);
  stop_ = stop;
  return Search::start(
      app,
      [body = std::move(body), stop](const widgets::UiChannel& ui) {
        body(ui, [&ui, &stop] { return ui.stopRequested() || stop->load(); });
      },
      [this, end = std::move(end)] {
        running_ = false;
        end();
      });
}

void WorkerDeletion::stopForClose(Search& worker) const {
  worker.stop();
  if (running_) worker.waitForScanToReturn(std::chrono::minutes(1));
}

}  // namespace velmora::app
