// The checker with its thread and the Software Update window, headless with the
// fakes: the connection state, the completion step, one check at a time, the link.
#include "update/update_checker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "fakes/fake_services.h"
#include "headless_app.h"

namespace velmora::update {
namespace {

class UpdateCheckerTest : public ::testing::Test {
 protected:
  UpdateCheckerTest() {
    h.app.setTitle("Velmora Disk Cleaner 1.3");
    window.StringCheckingForUpdates = "Checking...";
    h.backend().onModal = [this](widgets::Form& shown) {
      popups.push_back(window.LabelText.caption() + " | " + window.LabelLink.caption());
      // While the popped-up window is open its check is still under way.
      window.ButtonCheck.click();
      shownWhileBusy = checker.UpdateBusy() && !timer.enabled();
      shown.close();
    };
  }
  ~UpdateCheckerTest() override { finish(); }

  // Runs the user-interface thread until the check has ended, thread and all.
  void finish() {
    while (checker.UpdateBusy() || !checker.CheckFinished()) {
      h.app.runPendingTasks();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  void serve(const std::string& body, int status = 200) { machine.internet.serve(address, body, status); }
  int requests() const { return static_cast<int>(machine.internet.requestedUrls().size()); }

  widgets::testing::HeadlessApp h;
  fakes::FakeServices machine;
  widgets::Form host{h.app, "TForm1"};
  widgets::Timer timer{host, "Timer1"};
  TFormUpdate window{h.app, machine.shell};
  std::string productTitle = "Velmora Disk Cleaner", version = "1.3", serverRoot = "http://updates.test",
              page = serverRoot + "/velmora_disk_cleaner.shtml", replyFile = "C:\\V\\data\\version.txt";
  std::string lastVersion = "Latest.", newVersion = "New: ", cantConnect = "No server.",
              cantRead = "Unreadable.";
  UpdateChecker checker{h.app,
                        machine.services,
                        window,
                        timer,
                        {productTitle, version, serverRoot, page, replyFile},
                        {lastVersion, newVersion, cantConnect, cantRead}};
  const std::string address = serverRoot + "/cgi-bin/check_update.cgi?title=Velmora+Disk+Cleaner";
  std::vector<std::string> popups;
  bool shownWhileBusy = false;
};

TEST_F(UpdateCheckerTest, TheConnectionStateFollowsWindowsAndGatesTheRequest) {
  serve("1.4");
  checker.TestConnection();
  EXPECT_TRUE(checker.IsConnected());
  machine.internet.isConnected = false;
  checker.TestConnection();
  EXPECT_FALSE(checker.IsConnected());

  window.LabelText.setCaption("Checking...");
  ASSERT_TRUE(checker.StartCheck());
  finish();
  EXPECT_EQ(requests(), 0);
  EXPECT_EQ(window.LabelText.caption(), "Checking...") << "no request, no new text";
  EXPECT_TRUE(popups.empty());
}

TEST_F(UpdateCheckerTest, AStartUpCheckPopsTheWindowUpOnlyForANewerVersion) {
  checker.TestConnection();
  serve("1.3\r\n");
  ASSERT_TRUE(checker.StartCheck());
  EXPECT_TRUE(checker.UpdateBusy());
  EXPECT_FALSE(timer.enabled()) << "the connection state rests while a check runs";
  finish();
  EXPECT_TRUE(popups.empty());
  EXPECT_EQ(window.LabelText.caption(), "Latest.");
  EXPECT_TRUE(timer.enabled());
  EXPECT_EQ(machine.textFiles.bytes(replyFile), "1.3\r\n");
  EXPECT_EQ(machine.internet.timeouts(), std::vector<std::chrono::milliseconds>{std::chrono::seconds(15)});

  serve("1.4\r\nFaster scans\r\n");
  ASSERT_TRUE(checker.StartCheck());
  finish();
  // The window's own showing asks for a check while this one still runs; the
  // outcome it was shown for stays, link and all, and Check is ignored meanwhile.
  EXPECT_EQ(popups, std::vector<std::string>{"New: 1.4 | " + page});
  EXPECT_TRUE(shownWhileBusy);
  EXPECT_TRUE(checker.ShowUpdateWhenDone());
  EXPECT_EQ(requests(), 2);
  EXPECT_FALSE(checker.UpdateBusy());
  EXPECT_TRUE(timer.enabled());

  // A newer version found while the window is open is shown in place.
  window.show();
  finish();
  EXPECT_FALSE(checker.ShowUpdateWhenDone());
  EXPECT_EQ(popups.size(), 1u);
  EXPECT_EQ(window.LabelText.caption(), "New: 1.4");
  EXPECT_EQ(window.LabelLink.left(), (window.width() - window.LabelLink.width()) / 2) << "centred";
}

TEST_F(UpdateCheckerTest, CheckTwiceQuicklyStartsOneCheckAndTheWindowShowsItsOutcome) {
  checker.TestConnection();
  serve("1.4");
  window.show();  // Starts a check, as the menu command's showing does.
  window.ButtonCheck.click();
  window.ButtonCheck.click();
  EXPECT_EQ(window.LabelLink.caption(), "");
  finish();
  EXPECT_EQ(requests(), 1);
  EXPECT_EQ(window.LabelText.caption(), "New: 1.4");
  EXPECT_EQ(window.LabelLink.caption(), page);

  // A check that reaches no server keeps the link an earlier check of this
  // showing found; an error page is no newer version.
  machine.internet.stopServing(address);
  window.ButtonCheck.click();
  EXPECT_EQ(window.LabelText.caption(), "Checking...");
  finish();
  EXPECT_EQ(window.LabelText.caption(), "No server.");
  EXPECT_EQ(window.LabelLink.caption(), page);
  serve("<html>Not Found</html>", 404);
  window.ButtonCheck.click();
  finish();
  EXPECT_EQ(window.LabelText.caption(), "Unreadable.") << "the server answered";
  EXPECT_EQ(window.LabelLink.caption(), page);
  EXPECT_EQ(requests(), 3);
  EXPECT_TRUE(popups.empty());
}

TEST_F(UpdateCheckerTest, ACheckWhoseThreadCannotBeMadeEndsAtOnceAndTheNextOneRuns) {
  checker.startThread = [](widgets::Application&, const widgets::RunToken&, UpdateRequest,
                           platform::Internet&, platform::TextFiles&,
                           TThreadUpdate::Completion) { return std::shared_ptr<TThreadUpdate>(); };
  window.show();
  EXPECT_TRUE(!checker.UpdateBusy() && timer.enabled() && window.LabelText.caption() == "No server.");
  checker.startThread = &TThreadUpdate::Start;
  EXPECT_TRUE(checker.StartCheck());
}

TEST_F(UpdateCheckerTest, TheLinkLightsUpUnderThePointerAndOpensTheProductPage) {
  checker.TestConnection();
  serve("1.4");
  window.show();
  finish();
  window.LabelLink.userMouseMove({2, 2});
  EXPECT_EQ(window.LabelLink.font().color, widgets::colors::red);
  EXPECT_EQ(window.LabelLink.cursor(), widgets::Cursor::HandPoint);
  window.userMouseMove({2, 2});
  EXPECT_EQ(window.LabelLink.font().color, widgets::colors::blue);
  window.LabelLink.userMouseDown(widgets::MouseButton::Right, {2, 2});
  const auto opened = machine.shell.opened();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].file, page);
  EXPECT_EQ(opened[0].verb, "");
  EXPECT_EQ(opened[0].showCommand, platform::show_command::normal);
}

}  // namespace
}  // namespace velmora::update
