#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "widgets/application.h"
#include "widgets/form.h"

namespace velmora::forms::testing {

// A Linux path as Wine shows it, on drive Z:.
std::string windowsPath(const std::string& linuxPath);

// Windows realized under Wine with the real backend and fonts: pictures of them,
// and the checks that only real fonts and a real screen can make.
class RealizedWindowsTest : public ::testing::Test {
 protected:
  RealizedWindowsTest();

  // Runs the messages waiting, and gives Wine time to hand what the windows
  // painted to the X server.
  void pump();

  // Saves what the screen shows of a visible form as forms_<name>.bmp.
  void saveShot(const widgets::Form& form, const std::string& name);
  // Shows the form, saves what the screen shows of it, and hides it again;
  // beforeShot runs once the form is shown (it may change the page).
  void shoot(widgets::Form& form, const std::string& name, const std::function<void()>& beforeShot = {});

  // Realizes the form, then: it has the DPI of the display, every caption fits
  // its control, every control lies inside its parent, no two controls side by
  // side overlap, and every control's window and list column is where and as
  // wide as its object says, in the display's pixels. Controls on a page that is
  // not shown are passed over: they take their places when their page is shown.
  void expectEverythingFits(widgets::Form& form);

  // What the screen shows of a visible form is what painting it afresh shows:
  // nothing was left over from what it showed before. On a difference both
  // pictures are saved, as forms_<name>_screen.bmp and forms_<name>_fresh.bmp.
  void expectScreenShowsFreshPaint(const widgets::Form& form, const std::string& name);

  widgets::Application app;
};

}  // namespace velmora::forms::testing
