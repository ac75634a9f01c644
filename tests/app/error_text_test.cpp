// The one way the program words a failure the system reported by a code.
#include <gtest/gtest.h>

#include "app/message_texts.h"
#include "fakes/fake_system_info.h"

namespace velmora::app {
namespace {

TEST(SystemErrorText, TheSystemsWordsInTheInterfaceLanguageWhenWindowsHasThemAndTheCodeAfter) {
  fakes::FakeSystemInfo system;
  MessageTexts messages;
  messages.set("StringNoErrorText", "Windows gives no description of this error.");
  messages.set("StringWindowsLanguage", "0419");
  // Russian where Windows has it, Windows' own language where it does not; a Win32 error in decimal.
  EXPECT_EQ(messages.systemError(system, 5), "Отказано в доступе. (5)");
  EXPECT_EQ(messages.systemError(system, 2), "The system cannot find the file specified. (2)");
  // An HRESULT in hexadecimal.
  EXPECT_EQ(messages.systemError(system, 0x80041315u), "The Task Scheduler service is not running. (0x80041315)");
  // No words anywhere: the language file's, never a bare code.
  EXPECT_EQ(messages.systemError(system, 0x80041316u), "Windows gives no description of this error. (0x80041316)");
}

}  // namespace
}  // namespace velmora::app
