#include "app/language_loader.h"

#include <gtest/gtest.h>

#include <set>

#include "app/language_keys.h"
#include "fakes/fake_text_encoding.h"
#include "fakes/fake_text_files.h"
#include "widgets/application.h"
#include "widgets/buttons.h"
#include "widgets/headless_backend.h"
#include "widgets/list_view.h"
#include "widgets/menu.h"

namespace velmora::app {
namespace {

// A main window and one secondary window with a few captioned controls of every
// kind the keys address.
class LanguageLoaderTest : public ::testing::Test {
 protected:
  LanguageLoaderTest() {
    list.addColumn("Filename", 350);
    list.addColumn("Size, Kb", 80);
    memory.setCaption("Free Memory");
    targets.mainForm = &main;
    targets.windows = {{"FormMemory", &memory}};
    targets.messages = &messages;
    targets.windowTexts = {{"FormUpdate->StringCheckingForUpdates", &checking}};
  }

  void apply(std::string_view contents) {
    files.put("C:\\P\\language\\Test.ini", contents);
    unresolved = applyLanguageFile(platform::ProfileFile(files, "C:\\P\\language\\Test.ini"), targets);
  }

  fakes::FakeTextEncoding encoding;
  fakes::FakeTextFiles files{encoding};
  widgets::Application app{std::make_unique<widgets::HeadlessBackend>()};
  widgets::Form main{app, "TForm1"};
  widgets::MainMenu menu{main, "MainMenu1"};
  widgets::MenuItem file{menu, "MFile", "File"};
  widgets::Button search{main, "ButtonSearchFiles"};
  widgets::ListView list{main, "ListViewFiles"};
  widgets::Form memory{app, "TFormMemory"};
  widgets::Button clean{memory, "ButtonClean"};
  MessageTexts messages;
  std::string checking;
  LanguageTargets targets;
  std::vector<std::string> unresolved;
};

TEST_F(LanguageLoaderTest, EveryKindOfKeyReachesItsTarget) {
  search.setCaption("Search");
  apply(
      "[Interface]\r\n"
      "MFile->Caption=Файл\r\n"
      "ButtonSearchFiles->Caption=Поиск\r\n"
      "ListViewFiles->Column[1]->Caption=Размер\r\n"
      "StringFoundFiles=\"Найдено: \"\r\n"
      "FormMemory->Caption=Память\r\n"
      "FormMemory->ButtonClean->Caption=Очистить\r\n"
      "FormUpdate->StringCheckingForUpdates=Проверка...\r\n");
  EXPECT_EQ(file.caption(), "Файл");
  EXPECT_EQ(search.caption(), "Поиск");
  EXPECT_EQ(list.column(0).caption, "Filename");
  EXPECT_EQ(list.column(1).caption, "Размер");
  EXPECT_EQ(messages["StringFoundFiles"], "Найдено: ");
  EXPECT_EQ(memory.caption(), "Память");
  EXPECT_EQ(clean.caption(), "Очистить");
  // FormUpdate is not among this test's windows, so its text stays unset.
  EXPECT_EQ(checking, "");
}

TEST_F(LanguageLoaderTest, MissingFileOrKeyKeepsTheTextAndAnEmptyValueEmptiesIt) {
  search.setCaption("Search");
  messages.set("StringStop", "Stop");
  unresolved = applyLanguageFile(platform::ProfileFile(files, "C:\\P\\language\\None.ini"), targets);
  EXPECT_EQ(search.caption(), "Search");
  EXPECT_EQ(messages["StringStop"], "Stop");
  EXPECT_EQ(messages["StringSearch"], "");  // messages start empty and stay so

  apply("[Interface]\r\nButtonSearchFiles->Caption=\r\nbuttonsearchfiles->caption=ignored\r\n");
  EXPECT_EQ(search.caption(), "");
  EXPECT_EQ(messages["StringStop"], "Stop");
}

TEST_F(LanguageLoaderTest, AFileOverOneMebibyteIsRefusedAsUnreadable) {
  search.setCaption("Search");
  const std::string keys = "[Interface]\r\nButtonSearchFiles->Caption=Поиск\r\n";
  const std::string comment = "; " + std::string(98, 'x') + "\r\n";
  std::string padded = keys;
  while (padded.size() <= platform::kMaxProfileFileSize) padded += comment;
  apply(padded);
  EXPECT_EQ(search.caption(), "Search");
  // Just within the limit it is read.
  apply(padded.substr(0, platform::kMaxProfileFileSize));
  EXPECT_EQ(search.caption(), "Поиск");
}

TEST_F(LanguageLoaderTest, KeysWithoutATargetAreReported) {
  apply("[Interface]\r\n");
  const std::set<std::string> missing(unresolved.begin(), unresolved.end());
  EXPECT_FALSE(missing.contains("MFile->Caption"));
  EXPECT_FALSE(missing.contains("StringMuiCache"));
  EXPECT_TRUE(missing.contains("MExit->Caption"));
  EXPECT_TRUE(missing.contains("FormSysInfo->LabelCPU->Caption"));
}

// Both shipped language files hold every key the loader reads, each once.
TEST(ShippedLanguageFiles, HoldEveryKeyWithAText) {
  fakes::FakeTextEncoding encoding;
  fakes::FakeTextFiles files(encoding);
  for (const char* language : {"English", "Russian"}) {
    // The shipped files are read from the source tree through the real bytes.
    std::string path = std::string(VELMORA_LANGUAGE_DIR) + "/" + language + ".ini";
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr) << path;
    std::string bytes;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
    files.put("C:\\lang.ini", bytes);
    platform::ProfileFile file(files, "C:\\lang.ini");
    std::set<std::string_view> seen;
    for (std::string_view key : languageKeys()) {
      EXPECT_TRUE(seen.insert(key).second) << "read twice: " << key;
      EXPECT_NE(file.readString("Interface", key, "\x01missing"), "\x01missing") << language << ": " << key;
      EXPECT_NE(file.readString("Interface", key, ""), "") << language << ": empty " << key;
    }
    EXPECT_EQ(seen.size(), languageKeys().size());
  }
}

}  // namespace
}  // namespace velmora::app
