#include <gtest/gtest.h>

#include "headless_app.h"
#include "widgets/containers.h"
#include "widgets/form.h"
#include "widgets/indicators.h"
#include "widgets/list_view.h"
#include "widgets/page_control.h"
#include "widgets/splitter.h"

namespace velmora::widgets {
namespace {

class LayoutTest : public ::testing::Test {
 protected:
  testing::HeadlessApp h;
  Form form{h.app, "TForm1"};
};

TEST_F(LayoutTest, EdgeControlsTakeTheirEdgesInCreationOrderAndClientFillsTheRest) {
  form.setFrame({0, 0, 0, 0});
  form.setSize(400, 300);
  Panel top1(form, "Top1");
  top1.setHeight(20);
  top1.setAlign(Align::Top);
  Panel bottom1(form, "Bottom1");
  bottom1.setHeight(19);
  bottom1.setAlign(Align::Bottom);
  Panel bottom2(form, "Bottom2");
  bottom2.setHeight(30);
  bottom2.setAlign(Align::Bottom);
  Panel left(form, "Left");
  left.setWidth(100);
  left.setAlign(Align::Left);
  Panel right(form, "Right");
  right.setWidth(50);
  right.setAlign(Align::Right);
  Panel client(form, "Client");
  client.setAlign(Align::Client);
  Panel fixed(form, "Fixed");
  fixed.setBounds({5, 6, 7, 8});

  EXPECT_EQ(top1.bounds(), (Rect{0, 0, 400, 20}));
  // The first bottom control created sits lowest.
  EXPECT_EQ(bottom1.bounds(), (Rect{0, 281, 400, 19}));
  EXPECT_EQ(bottom2.bounds(), (Rect{0, 251, 400, 30}));
  EXPECT_EQ(left.bounds(), (Rect{0, 20, 100, 231}));
  EXPECT_EQ(right.bounds(), (Rect{350, 20, 50, 231}));
  EXPECT_EQ(client.bounds(), (Rect{100, 20, 250, 231}));
  EXPECT_EQ(fixed.bounds(), (Rect{5, 6, 7, 8}));

  // Resizing the form moves everything along; the fixed control stays.
  form.setSize(500, 400);
  EXPECT_EQ(bottom1.bounds(), (Rect{0, 381, 500, 19}));
  EXPECT_EQ(client.bounds(), (Rect{100, 20, 350, 331}));
  EXPECT_EQ(fixed.bounds(), (Rect{5, 6, 7, 8}));
}

TEST_F(LayoutTest, HiddenControlsGiveTheirRoomBackAndChangedSizesRelayout) {
  form.setFrame({0, 0, 0, 0});
  form.setSize(300, 200);
  StatusBar status(form, "StatusBar1");
  Panel main(form, "Main");
  main.setAlign(Align::Client);
  EXPECT_EQ(status.bounds(), (Rect{0, 181, 300, 19}));
  EXPECT_EQ(main.bounds(), (Rect{0, 0, 300, 181}));

  status.setVisible(false);
  EXPECT_EQ(main.bounds(), (Rect{0, 0, 300, 200}));
  status.setVisible(true);
  status.setHeight(40);
  EXPECT_EQ(status.bounds(), (Rect{0, 160, 300, 40}));
  EXPECT_EQ(main.bounds(), (Rect{0, 0, 300, 160}));
}

TEST_F(LayoutTest, EdgeControlsKeepTheirSizeWhenTheParentIsTooSmall) {
  form.setFrame({0, 0, 0, 0});
  form.setSize(300, 200);
  Panel bottom(form, "Bottom");
  bottom.setHeight(97);
  bottom.setAlign(Align::Bottom);
  Panel client(form, "Client");
  client.setAlign(Align::Client);

  form.setSize(300, 50);
  EXPECT_EQ(bottom.height(), 97);
  EXPECT_EQ(client.height(), 0);
  form.setSize(300, 200);
  EXPECT_EQ(bottom.bounds(), (Rect{0, 103, 300, 97}));
  EXPECT_EQ(client.bounds(), (Rect{0, 0, 300, 103}));
}

TEST_F(LayoutTest, NestedContainersLayOutInsideTheirBevelAndGroupBoxFrame) {
  form.setFrame({0, 0, 0, 0});
  form.setSize(300, 200);
  Panel outer(form, "Outer");
  outer.setAlign(Align::Client);
  Panel inner(outer, "Inner");
  inner.setAlign(Align::Client);
  EXPECT_EQ(inner.bounds(), (Rect{1, 1, 298, 198}));
  outer.setBevel(Bevel::None);
  EXPECT_EQ(inner.bounds(), (Rect{0, 0, 300, 200}));

  GroupBox box(inner, "Box");
  box.setBounds({10, 10, 100, 80});
  Panel filling(box, "Filling");
  filling.setAlign(Align::Client);
  EXPECT_EQ(filling.bounds(), box.clientArea());
  EXPECT_GT(filling.top(), 10);
}

TEST_F(LayoutTest, FormKeepsTheSizeItWasDesignedInWhenTheFrameChanges) {
  Form dialog(h.app, "TFormLanguage");
  dialog.setBorderStyle(BorderStyle::Dialog);
  dialog.setClientSize(162, 92);
  dialog.setFrame({4, 30, 4, 4});
  EXPECT_EQ(dialog.clientWidth(), 162);
  EXPECT_EQ(dialog.clientHeight(), 92);
  EXPECT_EQ(dialog.width(), 170);
  EXPECT_EQ(dialog.height(), 126);

  form.setSize(703, 588);
  form.setFrame({8, 51, 8, 8});
  EXPECT_EQ(form.width(), 703);
  EXPECT_EQ(form.height(), 588);
  EXPECT_EQ(form.clientWidth(), 687);
  EXPECT_EQ(form.clientHeight(), 529);
}

TEST_F(LayoutTest, ResizeRequestRunsBeforeTheNewSizeAndMayAdjustOrRefuseIt) {
  form.setFrame({0, 0, 0, 0});
  form.setSize(400, 300);
  ListView list(form, "ListViewFiles");
  list.setAlign(Align::Client);
  int widthSeenByRequest = -1;
  int resized = 0;
  form.onCanResize = [&](int& width, int& height) {
    widthSeenByRequest = list.width();
    if (width < 200) return false;
    height = std::max(height, 150);
    return true;
  };
  form.onResize = [&] { ++resized; };

  EXPECT_TRUE(form.userResize(500, 100));
  // The request saw the controls as they were before the new size.
  EXPECT_EQ(widthSeenByRequest, 400);
  EXPECT_EQ(form.width(), 500);
  EXPECT_EQ(form.height(), 150);
  EXPECT_EQ(list.width(), 500);
  EXPECT_EQ(resized, 1);

  EXPECT_FALSE(form.userResize(100, 400));
  EXPECT_EQ(form.width(), 500);
  EXPECT_EQ(form.height(), 150);
  EXPECT_EQ(resized, 1);

  // A move alone is no resize.
  form.setPosition(10, 10);
  EXPECT_EQ(resized, 1);
}

TEST_F(LayoutTest, SplitterResizesItsNeighbourLiveWithinTheMinimumSizes) {
  form.setFrame({0, 0, 0, 0});
  form.setSize(500, 300);
  Panel left(form, "PanelFilesLeft");
  left.setWidth(209);
  left.setAlign(Align::Left);
  Splitter splitter(form, "Splitter1");
  Panel main(form, "PanelFilesMain");
  main.setAlign(Align::Client);
  int moves = 0;
  splitter.onMoved = [&] { ++moves; };

  EXPECT_EQ(splitter.neighbour(), &left);
  EXPECT_EQ(splitter.bounds(), (Rect{209, 0, 3, 300}));
  EXPECT_EQ(splitter.userDrag(41), 41);
  EXPECT_EQ(left.width(), 250);
  EXPECT_EQ(splitter.left(), 250);
  EXPECT_EQ(main.bounds(), (Rect{253, 0, 247, 300}));

  // The main panel keeps its minimum...
  EXPECT_EQ(splitter.userDrag(1000), 217);
  EXPECT_EQ(main.width(), 30);
  // ...and so does the left one.
  EXPECT_EQ(splitter.userDrag(-1000), -437);
  EXPECT_EQ(left.width(), 30);
  EXPECT_EQ(splitter.userDrag(-5), 0);
  EXPECT_EQ(moves, 3);
}

TEST_F(LayoutTest, FormsAreCentredWhereTheirPlacementSaysWhenShown) {
  h.backend().setScreenSize({1024, 768});
  Form centred(h.app, "TFormAbout");
  centred.setSize(300, 200);
  centred.setPlacement(FormPlacement::ScreenCenter);
  centred.show();
  EXPECT_EQ(centred.left(), 362);
  EXPECT_EQ(centred.top(), 284);

  Form desktop(h.app, "TFormLanguage");
  desktop.setSize(300, 200);
  desktop.setPlacement(FormPlacement::DesktopCenter);
  desktop.show();
  EXPECT_EQ(desktop.top(), (768 - 40 - 200) / 2);

  // Centred on a main form at the screen's edge, a form still stays on screen.
  form.setBounds({900, 0, 100, 100});
  h.app.post([&] { h.app.terminate(); });
  h.app.run(form);
  Form owned(h.app, "TFormMemory");
  owned.setSize(300, 200);
  owned.setPlacement(FormPlacement::OwnerCenter);
  owned.show();
  EXPECT_EQ(owned.left(), 1024 - 300);
  EXPECT_EQ(owned.top(), 0);
}

TEST_F(LayoutTest, PagesFillThePageAreaAndOnlyTheActiveOneIsVisible) {
  form.setFrame({0, 0, 0, 0});
  form.setSize(400, 300);
  PageControl pages(form, "PageControlClean");
  pages.setAlign(Align::Client);
  TabSheet files(pages, "TabSheetCleanFiles");
  TabSheet registry(pages, "TabSheetCleanReg");
  EXPECT_EQ(pages.activePage(), &files);
  EXPECT_TRUE(files.visible());
  EXPECT_FALSE(registry.visible());
  EXPECT_EQ(files.bounds(), pages.clientArea());
  EXPECT_EQ(registry.bounds(), pages.clientArea());

  pages.setPageInsets({2, 20, 3, 4});
  EXPECT_EQ(files.bounds(), (Rect{2, 20, 395, 276}));
  pages.setActivePage(registry);
  EXPECT_FALSE(files.visible());
  EXPECT_TRUE(registry.visible());
}

}  // namespace
}  // namespace velmora::widgets
