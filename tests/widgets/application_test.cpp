#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "headless_app.h"
#include "widgets/buttons.h"
#include "widgets/form.h"

namespace velmora::widgets {
namespace {

class ApplicationTest : public ::testing::Test {
 protected:
  ApplicationTest() { h.app.setTitle("Velmora Disk Cleaner 1.3"); }
  testing::HeadlessApp h;
};

TEST_F(ApplicationTest, AnExceptionFromAHandlerIsShownAndTheLoopGoesOn) {
  Form form(h.app, "TForm1");
  Button failing(form, "ButtonDeleteFiles");
  Button working(form, "ButtonSearchFiles");
  int worked = 0;
  failing.onClick = [] { throw std::runtime_error("Cannot open file C:\\x"); };
  working.onClick = [&] { ++worked; };
  h.app.post([&] { failing.click(); });
  h.app.post([&] { throw std::runtime_error("from a task"); });
  h.app.post([&] { working.click(); });
  h.app.post([&] { h.app.terminate(); });
  EXPECT_EQ(h.app.run(form), 0);

  ASSERT_EQ(h.dialogs.shown().size(), 2u);
  EXPECT_EQ(h.dialogs.shown()[0].text, "Cannot open file C:\\x");
  EXPECT_EQ(h.dialogs.shown()[0].caption, "Velmora Disk Cleaner 1.3");
  EXPECT_EQ(h.dialogs.shown()[0].icon, MessageIcon::Error);
  EXPECT_EQ(h.dialogs.shown()[1].text, "from a task");
  EXPECT_EQ(worked, 1);
}

TEST_F(ApplicationTest, ClosingTheMainFormEndsTheLoop) {
  Form form(h.app, "TForm1");
  int shows = 0;
  int closes = 0;
  form.onShow = [&] {
    ++shows;
    EXPECT_TRUE(form.visible());
  };
  form.onClose = [&] { ++closes; };
  h.app.post([&] { form.userClose(); });
  EXPECT_EQ(h.app.run(form), 0);
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(form.visible());
  EXPECT_TRUE(h.app.terminated());
}

TEST_F(ApplicationTest, ModalFormReturnsTheResultOfTheButtonThatClosedIt) {
  Form about(h.app, "TFormAbout");
  Button ok(about, "OKButton", "OK");
  ok.setModalResult(ModalResult::Ok);
  ok.setDefault(true);
  int answered = 0;
  h.backend().onModal = [&](Form& shown) {
    EXPECT_EQ(&shown, &about);
    EXPECT_TRUE(about.visible());
    EXPECT_TRUE(about.modal());
    ++answered;
    ok.click();
  };
  EXPECT_EQ(about.showModal(), ModalResult::Ok);
  EXPECT_FALSE(about.visible());
  EXPECT_FALSE(about.modal());

  // Shown again, and closed with its close box this time.
  h.backend().onModal = [&](Form& shown) { shown.userClose(); };
  EXPECT_EQ(about.showModal(), ModalResult::Cancel);
  EXPECT_EQ(answered, 1);
}

TEST_F(ApplicationTest, AFormThatIsShownCannotBeShownModally) {
  Form form(h.app, "TFormSettings");
  form.show();
  EXPECT_THROW(form.showModal(), std::logic_error);
}

TEST_F(ApplicationTest, ClosingAModalFormRunsItsCloseHandlerOnce) {
  Form language(h.app, "TFormLanguage");
  Button ok(language, "ButtonOk", "Ok");
  int closes = 0;
  language.onClose = [&] { ++closes; };
  ok.onClick = [&] { language.close(); };
  h.backend().onModal = [&](Form&) { ok.click(); };
  EXPECT_EQ(language.showModal(), ModalResult::Cancel);
  EXPECT_EQ(closes, 1);
}

TEST_F(ApplicationTest, MainWindowGoesToTheTrayAndComesBackWithoutShowingAgain) {
  Form form(h.app, "TForm1");
  int shows = 0;
  form.onShow = [&] { ++shows; };
  form.onMinimize = [&] { h.app.hideMainWindow(); };
  h.app.post([&] {
    form.userMinimize();
    EXPECT_TRUE(h.app.mainWindowHidden());
    EXPECT_EQ(form.windowState(), WindowState::Minimized);
    h.app.restoreMainWindow();
    EXPECT_FALSE(h.app.mainWindowHidden());
    EXPECT_EQ(form.windowState(), WindowState::Normal);
    EXPECT_TRUE(form.visible());
    h.app.terminate();
  });
  h.app.run(form);
  EXPECT_EQ(shows, 1);
}

TEST_F(ApplicationTest, MessageBoxesGoThroughTheDialogService) {
  h.dialogs.answer(MessageAnswer::Yes);
  h.dialogs.answer(MessageAnswer::No);
  EXPECT_TRUE(h.app.askYesNo("Delete the entry?", "Confirmation"));
  EXPECT_FALSE(h.app.askYesNo("Delete the entry?", "Confirmation"));
  h.app.showMessage("Cannot delete the item");
  ASSERT_EQ(h.dialogs.shown().size(), 3u);
  EXPECT_EQ(h.dialogs.shown()[0].caption, "Confirmation");
  EXPECT_EQ(h.dialogs.shown()[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(h.dialogs.shown()[2].caption, "Velmora Disk Cleaner 1.3");
  EXPECT_EQ(h.dialogs.shown()[2].buttons, MessageButtons::Ok);
  EXPECT_THROW(h.app.askYesNo("Unanswered?", "Confirmation"), std::logic_error);
}

TEST_F(ApplicationTest, TasksRunInOrderAndATaskThatPostsDoesNotKeepOneRoundGoing) {
  std::vector<int> order;
  h.app.post([&] { order.push_back(1); });
  h.app.post([&] {
    order.push_back(2);
    h.app.post([&] { order.push_back(4); });
  });
  h.app.post([&] { order.push_back(3); });
  h.app.processMessages();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  h.app.processMessages();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
  // invoke on the UI thread runs at once, ahead of what is queued.
  h.app.post([&] { order.push_back(6); });
  EXPECT_TRUE(h.app.invoke([&] { order.push_back(5); }));
  h.app.processMessages();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(ApplicationTest, TasksForAFormThatIsGoneAreDropped) {
  int ran = 0;
  {
    Form form(h.app, "TFormUpdate");
    h.app.post(form.lifetime(), [&] { ++ran; });
  }
  h.app.processMessages();
  EXPECT_EQ(ran, 0);
}

}  // namespace
}  // namespace velmora::widgets
