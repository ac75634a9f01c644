#include "realized_windows.h"

#include <algorithm>

#include "platform/win32/wide.h"
#include "screenshot.h"
#include "widgets/buttons.h"
#include "widgets/indicators.h"
#include "widgets/label.h"
#include "widgets/page_control.h"
#include "widgets/win32/win32_backend.h"

namespace velmora::forms::testing {
namespace {

using platform::win32::narrow;
using platform::win32::widen;

// Room a control needs beside its caption's text: a check box's box and gap, a
// button's frame, a status bar's borders and size grip.
constexpr int kCheckBoxRoom = 18;
constexpr int kButtonRoom = 8;
constexpr int kStatusBarRoom = 24;

HWND windowOf(const widgets::Form& form) { return reinterpret_cast<HWND>(form.peer()->nativeHandle()); }

std::wstring shotPath(const std::string& name) {
  return widgets::testing::outputFolder() + L"\\forms_" + widen(name) + L".bmp";
}

// On a page of a page control that is not the active one.
bool onHiddenPage(const widgets::Control& control) {
  for (const widgets::Control* c = control.parent(); c && c->parent(); c = c->parent())
    if (!c->visible()) return true;
  return false;
}

}  // namespace

std::string windowsPath(const std::string& linuxPath) {
  std::string path = "Z:";
  for (char c : linuxPath) path += c == '/' ? '\\' : c;
  return path;
}

RealizedWindowsTest::RealizedWindowsTest() : app(std::make_unique<widgets::win32::Win32Backend>()) {
  app.setTitle("Velmora Disk Cleaner 1.3");
}

void RealizedWindowsTest::pump() {
  for (int i = 0; i < 10; ++i) {
    app.processMessages();
    // Wine hands what a window painted to the X server a little later, while
    // the thread waits for messages.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT);
  }
}

void RealizedWindowsTest::saveShot(const widgets::Form& form, const std::string& name) {
  int colours = 0;
  const std::wstring path = shotPath(name);
  EXPECT_TRUE(widgets::testing::saveWindowBitmap(windowOf(form), path, colours)) << narrow(path);
  EXPECT_GT(colours, 8) << name << ": the capture shows a drawn window, not a blank area";
}

void RealizedWindowsTest::shoot(widgets::Form& form, const std::string& name,
                                const std::function<void()>& beforeShot) {
  form.show();
  if (beforeShot) beforeShot();
  HWND hwnd = windowOf(form);
  SetForegroundWindow(hwnd);
  RedrawWindow(hwnd, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  pump();
  saveShot(form, name);
  form.hide();
  pump();
}

void RealizedWindowsTest::expectEverythingFits(const widgets::Form& form) {
  SCOPED_TRACE(form.name());
  for (widgets::Component* component : form.components()) {
    const auto* control = dynamic_cast<const widgets::Control*>(component);
    if (control == nullptr || !control->visible() || control->parent() == nullptr || onHiddenPage(*control))
      continue;
    SCOPED_TRACE(control->name());
    const widgets::Control& parent = *control->parent();
    // A form places its controls in its client area, any other control in all
    // of itself.
    const widgets::Rect area = parent.parent() == nullptr
                                   ? parent.clientArea()
                                   : widgets::Rect{0, 0, parent.width(), parent.height()};
    EXPECT_GE(control->left(), 0);
    EXPECT_GE(control->top(), 0);
    EXPECT_LE(control->bounds().right(), area.width);
    EXPECT_LE(control->bounds().bottom(), area.height);

    const widgets::Size text = app.backend().measureText(control->font(), control->caption());
    if (dynamic_cast<const widgets::Label*>(control)) {
      // A label of several lines' height wraps its text onto them.
      const int lines = text.height > 0 ? std::max(control->height() / text.height, 1) : 1;
      EXPECT_LE(text.width, lines * control->width()) << '"' << control->caption() << '"';
    } else if (dynamic_cast<const widgets::CheckBox*>(control)) {
      EXPECT_LE(text.width + kCheckBoxRoom, control->width()) << '"' << control->caption() << '"';
    } else if (dynamic_cast<const widgets::Button*>(control)) {
      EXPECT_LE(text.width + kButtonRoom, control->width()) << '"' << control->caption() << '"';
    } else if (dynamic_cast<const widgets::StatusBar*>(control)) {
      EXPECT_LE(text.width + kStatusBarRoom, control->width()) << '"' << control->caption() << '"';
    }

    // The pages of a page control lie on top of one another by design.
    if (dynamic_cast<const widgets::PageControl*>(&parent)) continue;
    for (const widgets::Control* sibling : parent.children()) {
      if (sibling == control || !sibling->visible()) continue;
      const widgets::Rect a = control->bounds();
      const widgets::Rect b = sibling->bounds();
      const bool overlap =
          a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
      EXPECT_FALSE(overlap) << "overlaps " << sibling->name();
    }
  }
}

void RealizedWindowsTest::expectScreenShowsFreshPaint(const widgets::Form& form, const std::string& name) {
  HWND hwnd = windowOf(form);
  pump();
  widgets::testing::WindowPicture screen;
  ASSERT_TRUE(widgets::testing::captureWindow(hwnd, screen));
  RedrawWindow(hwnd, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  pump();
  widgets::testing::WindowPicture fresh;
  ASSERT_TRUE(widgets::testing::captureWindow(hwnd, fresh));
  const int different = screen.pixelsDifferentFrom(fresh);
  EXPECT_EQ(different, 0) << name << ": pixels that a fresh paint shows otherwise";
  if (different != 0) {
    widgets::testing::saveBitmap(screen, shotPath(name + "_screen"));
    widgets::testing::saveBitmap(fresh, shotPath(name + "_fresh"));
  }
}

}  // namespace velmora::forms::testing
