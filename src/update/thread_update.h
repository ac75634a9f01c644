#pragma once

#include <functional>
#include <future>
#include <memory>

#include "platform/internet.h"
#include "platform/text_files.h"
#include "update/check_for_update.h"
#include "widgets/application.h"
#include "widgets/run_token.h"

namespace velmora::update {

// The thread of one update check. It runs CheckForUpdate, then hands the outcome
// to the completion step on the user-interface thread and waits until that step
// is done (which may show a window modally); then it ends and frees itself. It
// touches no window or control itself.
class TThreadUpdate {
 public:
  using Completion = std::function<void(const UpdateOutcome&)>;

  // Starts a check of request on a new thread. internet and files must outlive the
  // thread. The completion step runs unless run is stopped by then; an error that
  // escapes it is shown as from any event handler. Null when the system could not
  // make the thread; the completion step then never runs.
  static std::shared_ptr<TThreadUpdate> Start(widgets::Application& app, const widgets::RunToken& run,
                                              UpdateRequest request, platform::Internet& internet,
                                              platform::TextFiles& files, Completion completion);

  // Whether the thread has ended.
  bool Finished() const;

 private:
  TThreadUpdate() = default;

  std::promise<void> done_;
  std::shared_future<void> finished_ = done_.get_future().share();
};

}  // namespace velmora::update
