#include "update/update_checker.h"

#include "platform/internet.h"

namespace velmora::update {

UpdateChecker::UpdateChecker(widgets::Application& app, platform::Services& services, TFormUpdate& window,
                             widgets::Timer& timer, UpdateProduct product, UpdateTexts texts)
    : app_(app), services_(services), window_(window), timer_(timer), product_(product), texts_(texts) {
  window_.attachChecker(this);
}

UpdateChecker::~UpdateChecker() {
  run_.stop();
  window_.attachChecker(nullptr);
}

void UpdateChecker::TestConnection() { isConnected_ = services_.internet.connected(); }

bool UpdateChecker::StartCheck() {
  if (updateBusy_) {
    // The window was shown by the completion step of this very check, and its
    // showing emptied the link: the outcome it was shown for is put back.
    if (shownOutcome_) ApplyOutcome(*shownOutcome_);
    return false;
  }
  updateBusy_ = true;
  // The connection state stays as it is while the check runs.
  timer_.setEnabled(false);
  UpdateRequest request{app_.title(),       RequestAddress(product_.serverRoot, product_.productTitle),
                        product_.replyFile, product_.version,
                        isConnected_,       timeout};
  thread_ = startThread(app_, run_, std::move(request), services_.internet, services_.textFiles,
                        [this](const UpdateOutcome& outcome) { CompleteCheck(outcome); });
  // A check without its thread never asks: it ends at once, as one that could not
  // connect, so that the timer ticks again and the next check may start.
  if (!thread_) CompleteCheck({UpdateFinding::CannotConnect, {}});
  return true;
}

void UpdateChecker::CompleteCheck(const UpdateOutcome& outcome) {
  // However the step ends, the check is over: the timer ticks again and the next
  // check may start.
  struct EndOfCheck {
    UpdateChecker& checker;
    ~EndOfCheck() {
      checker.shownOutcome_.reset();
      checker.timer_.setEnabled(true);
      checker.updateBusy_ = false;
    }
  } end{*this};

  ApplyOutcome(outcome);
  // The window pops up only for news, and only when the user is not looking at
  // it already (a check from the window itself shows its outcome in place).
  showUpdateWhenDone_ = outcome.newer() && !window_.visible();
  if (showUpdateWhenDone_) {
    shownOutcome_ = outcome;
    window_.showModal();
  }
}

void UpdateChecker::ApplyOutcome(const UpdateOutcome& outcome) {
  switch (outcome.finding) {
    case UpdateFinding::NotChecked:
      // No request was made: the window keeps what it shows.
      return;
    case UpdateFinding::CannotConnect:
      // The link keeps what it shows: the product page, when an earlier check of
      // this showing found a newer version.
      window_.LabelText.setCaption(texts_.cantConnectToServer);
      break;
    case UpdateFinding::UnreadableReply:
      // The server was reached; what it said is no version number.
      window_.LabelText.setCaption(texts_.cantReadReply);
      break;
    case UpdateFinding::LatestVersion:
      window_.LabelText.setCaption(texts_.lastVersion);
      window_.LabelLink.setCaption("");
      break;
    case UpdateFinding::NewerVersion:
      window_.LabelText.setCaption(texts_.newVersionIsAvailable + outcome.latestVersion);
      window_.LabelLink.setCaption(product_.pageAddress);
      break;
  }
  window_.CentreLabels();
}

}  // namespace velmora::update
