#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "platform/services.h"
#include "update/check_for_update.h"
#include "update/form_update.h"
#include "update/thread_update.h"
#include "widgets/application.h"
#include "widgets/run_token.h"
#include "widgets/timer.h"

namespace velmora::update {

// The product facts a check is made of, held by the main window for the whole
// run. They are read when a check starts, so a test can point the checker at a
// server of its own by changing them.
struct UpdateProduct {
  const std::string& productTitle;
  const std::string& version;
  const std::string& serverRoot;
  const std::string& pageAddress;  // The product page the link opens.
  const std::string& replyFile;
};

// The main window's message texts of the outcomes, as the language loader sets
// them; read when an outcome is shown, so they are in the current language.
struct UpdateTexts {
  const std::string& lastVersion;
  const std::string& newVersionIsAvailable;
  const std::string& cantConnectToServer;
  const std::string& cantReadReply;
};

// The update check of the main window: the connection state, refreshed on every
// tick of Timer1, and the checks, one at a time, each on a TThreadUpdate of its
// own, whose outcome the completion step shows in the Software Update window.
// Everything here runs on the user-interface thread.
class UpdateChecker {
 public:
  // Everything handed in must outlive the checker. The checker binds itself to
  // window, whose showing and Check button start checks.
  UpdateChecker(widgets::Application& app, platform::Services& services, TFormUpdate& window,
                widgets::Timer& timer, UpdateProduct product, UpdateTexts texts);
  // A check still running changes nothing after the checker is gone.
  ~UpdateChecker();
  UpdateChecker(const UpdateChecker&) = delete;
  UpdateChecker& operator=(const UpdateChecker&) = delete;

  // The connection-state test: IsConnected becomes what Windows says.
  void TestConnection();

  // Starts a check, unless one is under way: the window then shows that check's
  // outcome, since two checks must not write the reply file at once. True when a
  // check started.
  bool StartCheck();

  bool IsConnected() const { return isConnected_; }
  // A check is under way, from its start to the end of its completion step.
  bool UpdateBusy() const { return updateBusy_; }
  // The latest completion step popped the window up (a newer version, found while
  // the window was not shown).
  bool ShowUpdateWhenDone() const { return showUpdateWhenDone_; }
  // Whether the thread of the latest check has ended (true before any check).
  bool CheckFinished() const { return !thread_ || thread_->Finished(); }

  // How long a check waits for the server; tests shorten it.
  std::chrono::milliseconds timeout = kUpdateTimeout;
  // Starts a check's thread: TThreadUpdate::Start, which tests replace with one
  // that fails as a system out of threads does.
  decltype(&TThreadUpdate::Start) startThread = &TThreadUpdate::Start;

 private:
  // The completion step of a check, and its outcome's texts in the window.
  void CompleteCheck(const UpdateOutcome& outcome);
  void ApplyOutcome(const UpdateOutcome& outcome);

  widgets::Application& app_;
  platform::Services& services_;
  TFormUpdate& window_;
  widgets::Timer& timer_;
  UpdateProduct product_;
  UpdateTexts texts_;
  widgets::RunToken run_;
  std::shared_ptr<TThreadUpdate> thread_;
  bool isConnected_ = false;
  bool updateBusy_ = false;
  bool showUpdateWhenDone_ = false;
  // The outcome the completion step is showing the window for, while it does.
  std::optional<UpdateOutcome> shownOutcome_;
};

}  // namespace velmora::update
