#include "update/thread_update.h"

#include <chrono>
#include <system_error>
#include <thread>

namespace velmora::update {

std::shared_ptr<TThreadUpdate> TThreadUpdate::Start(widgets::Application& app, const widgets::RunToken& run,
                                                    UpdateRequest request, platform::Internet& internet,
                                                    platform::TextFiles& files, Completion completion) {
  std::shared_ptr<TThreadUpdate> thread(new TThreadUpdate);
  const widgets::UiChannel channel = app.channel(run);
  widgets::Application* application = &app;
  // The thread holds its own object, so it lives until the thread ends however
  // soon the window lets go of it.
  auto check = [thread, channel, application, request = std::move(request), &internet, &files,
                completion = std::move(completion)] {
    UpdateOutcome outcome;
    try {
      outcome = CheckForUpdate(request, internet, files);
    } catch (...) {
      // Nothing in a check raises an error message: whatever went wrong, the
      // server's answer was not had.
      outcome = {UpdateFinding::CannotConnect, {}};
    }
    // The step runs whatever the outcome, since it is also where the check ends
    // (Timer1 ticks again, a new check may start); it is dropped only when the
    // checker is gone.
    channel.invoke(
        [application, &completion, &outcome] { application->guard([&] { completion(outcome); }); });
    thread->done_.set_value();
  };
  try {
    std::thread(std::move(check)).detach();
  } catch (const std::system_error&) {
    // The system could not make the thread: the check never runs.
    return nullptr;
  }
  return thread;
}

bool TThreadUpdate::Finished() const {
  return finished_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

}  // namespace velmora::update
