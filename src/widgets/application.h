#pragma once

#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "widgets/backend.h"
#include "widgets/dialog_service.h"
#include "widgets/run_token.h"
#include "widgets/ui_channel.h"
#include "widgets/ui_queue.h"

namespace velmora::widgets {

class Form;

// The application: the UI thread's message loop, the queue through which workers
// reach that thread, the application's title, message boxes and the handling of
// exceptions that escape event handlers. Create it on the thread that is to be
// the UI thread; forms and controls are used on that thread only.
class Application {
 public:
  explicit Application(std::unique_ptr<Backend> backend);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  Backend& backend() { return *backend_; }

  // The title, used as the caption of plain message boxes and error messages.
  const std::string& title() const { return title_; }
  void setTitle(std::string title) { title_ = std::move(title); }

  // Any thread: hands task to the UI thread, which runs the tasks in the order
  // they were handed (post and invoke alike). With a run token, the task is
  // dropped if the token is stopped by the time its turn comes; a form's
  // lifetime() token drops tasks meant for a form that is gone.
  void post(std::function<void()> task) { queue_->post(std::move(task)); }
  void post(const RunToken& run, std::function<void()> task) { queue_->post(std::move(task), run); }
  // Any thread: runs task on the UI thread and waits for it; false when it was
  // dropped (stopped run, application ended). An exception from the task is
  // thrown again in the caller.
  bool invoke(std::function<void()> task) { return queue_->invoke(std::move(task)); }
  bool invoke(const RunToken& run, std::function<void()> task) {
    return queue_->invoke(std::move(task), run);
  }
  // What a worker keeps for one run (see UiChannel).
  UiChannel channel(RunToken run) const { return UiChannel(queue_, std::move(run)); }
  bool isUiThread() const { return queue_->isUiThread(); }

  // The backend's side of the queue: runs waiting tasks for at most budget and
  // says whether some are left.
  bool runPendingTasks(
      std::chrono::steady_clock::duration budget = std::chrono::steady_clock::duration::max()) {
    return queue_->runPending(budget);
  }

  // Shows mainForm and runs the message loop until the application is
  // terminated (closing the main form terminates it). Returns the exit code.
  int run(Form& mainForm);
  // Ends the loop (and every modal loop inside it); UI thread only, like
  // everything but post, invoke and channel.
  void terminate();
  bool terminated() const { return terminated_; }
  Form* mainForm() const { return mainForm_; }
  // A form that is being destroyed stops being the main form.
  void forget(const Form& form) {
    if (mainForm_ == &form) mainForm_ = nullptr;
  }

  // Handles the messages and tasks waiting now, then returns.
  void processMessages() { backend_->processMessages(); }
  // Repaints what waits to be painted and handles nothing else (see Backend).
  void paintPending() { backend_->paintPending(); }

  // Runs call; an exception that escapes it is shown (showException) and does
  // not go further. Every event handler runs this way.
  void guard(const std::function<void()>& call) noexcept;
  // Shows the exception's text in an error box captioned with the title.
  void showException(std::exception_ptr error) noexcept;

  // Message boxes, through the dialog service: the backend's own unless another
  // was set (tests set a scripted one).
  DialogService& dialogs() { return dialogs_ ? *dialogs_ : backend_->dialogs(); }
  void setDialogs(DialogService* dialogs) { dialogs_ = dialogs; }
  MessageAnswer messageBox(const MessageBoxRequest& request) { return dialogs().messageBox(request); }
  // A question with Yes and No; true for Yes.
  bool askYesNo(const std::string& text, const std::string& caption);
  // A plain box with OK, captioned with the application's title.
  void showMessage(const std::string& text);

  // The main form leaves the screen and the task bar, leaving only the tray
  // icon; and comes back, restored and in front.
  void hideMainWindow();
  void restoreMainWindow();
  bool mainWindowHidden() const;

 private:
  std::unique_ptr<Backend> backend_;
  std::shared_ptr<UiQueue> queue_;
  std::string title_;
  DialogService* dialogs_ = nullptr;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
};

}  // namespace velmora::widgets
