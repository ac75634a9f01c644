#pragma once

#include "app/form_about.h"
#include "app/form_restore.h"
#include "app/language_loader.h"
#include "junk/form_settings.h"
#include "memory/form_memory.h"
#include "sysinfo/form_sys_info.h"
#include "update/form_update.h"

namespace velmora::app {

// The secondary windows as the language file names them: each window by the
// name its keys begin with ("FormMemory->..."), and the message texts the
// windows hold. The main window's language switch and the tests of every
// window's keys use the same list, so a window added here is translated and
// checked alike. A window left null (one the main window has not made yet) is
// left out.
struct SecondaryWindows {
  memory::TFormMemory* memory = nullptr;
  junk::TFormSettings* settings = nullptr;
  sysinfo::TFormSysInfo* sysInfo = nullptr;
  update::TFormUpdate* update = nullptr;
  TFormAbout* about = nullptr;
  TFormRestore* restore = nullptr;
};

// Adds the windows given, and the texts they hold, to targets.
void addSecondaryWindows(LanguageTargets& targets, const SecondaryWindows& windows);

}  // namespace velmora::app
