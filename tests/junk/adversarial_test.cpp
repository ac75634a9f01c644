// The adversarial suite, natively: the cases Wine cannot make, or not in a
// bounded time, against the fake. The cases Wine can make run there
// (win32/adversarial_win32_test.cpp); a folder replaced by a junction between the
// scan and Delete is in file_deletion_test.cpp and, under Wine, in
// win32/junk_scan_win32_test.cpp.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "adversarial_support.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_text_encoding.h"
#include "fakes/fake_text_files.h"
#include "junk/junk_name_rules.h"
#include "junk/settings_lists.h"
#include "platform/profile_file.h"

namespace velmora::junk {
namespace {

bool isTmp(const std::string& path) { return path.ends_with(".tmp"); }

// Under Wine every path goes through Linux, whose paths end at 4096 bytes.
TEST(Adversarial, ATreeTenThousandLevelsDeep) {
  fakes::FakeFileSystem files;
  std::string bottom = "C:\\deep";
  for (int i = 0; i < 10000; ++i) bottom += "\\d";
  files.addFile(bottom + "\\bottom.tmp");
  files.addFile(bottom + "\\keep.dat");
  DeleteHarness harness;
  const DeleteHarness::Outcome outcome = harness.run(files, "C:\\deep", isTmp);
  EXPECT_EQ(outcome.deleted, 1);
  EXPECT_EQ(outcome.before, outcome.after);
  EXPECT_EQ(harness.rows(), (std::vector<std::pair<std::string, bool>>{{bottom + "\\keep.dat", false}}));
}

// Making two hundred thousand files under Wine takes minutes.
TEST(Adversarial, AFolderOfTwoHundredThousandFiles) {
  fakes::FakeFileSystem files;
  for (int i = 0; i < 200000; ++i)
    files.addFile("C:\\many\\f" + std::to_string(i) + (i % 2 ? ".tmp" : ".dat"));
  DeleteHarness harness;
  const DeleteHarness::Outcome outcome = harness.run(files, "C:\\many", isTmp);
  EXPECT_EQ(outcome.deleted, 100000);
  EXPECT_EQ(outcome.before, outcome.after);
  ASSERT_EQ(harness.results.count(), 100000);
  EXPECT_FALSE(harness.results.checked(0));
}

// Text files hold whatever a disk or another program put there: a catalogue line of
// a megabyte, random bytes, NUL characters. They are read without harm and what
// can be read of them still is; these need no file tree.
TEST(Adversarial, HostileTextFilesAreReadWithoutHarm) {
  fakes::FakeTextEncoding encoding;
  fakes::FakeTextFiles texts(encoding);
  std::mt19937 random(11);
  std::string noise(64 * 1024, '\0');
  for (char& c : noise) c = static_cast<char>(random());

  texts.put("C:\\P\\data\\junk.dat", std::string(1 << 20, 'x') + "|huge\r\n*.tmp|Temporary\r\n" + noise);
  DeleteHarness harness;
  widgets::ListView catalogue{harness.form, "ListViewJunk"};
  catalogue.addColumn("Pattern", 100);
  ASSERT_TRUE(loadCatalogue(texts, "C:\\P\\data\\junk.dat", catalogue));
  ASSERT_GE(catalogue.count(), 2);
  EXPECT_EQ(catalogue.rowCaption(1), "*.tmp");
  std::vector<std::string> patterns;
  for (int row = 0; row < catalogue.count(); ++row) patterns.push_back(catalogue.rowCaption(row));
  const JunkPatterns rules(patterns);
  EXPECT_TRUE(rules.matches("a.tmp"));
  EXPECT_FALSE(rules.matches("a.doc"));

  // A settings file of random bytes takes a new key and keeps its other lines.
  texts.put("C:\\P\\Velmora.ini", noise + "\r\n[Main]\r\nWidth=5\r\n" + noise);
  platform::ProfileFile settings(texts, "C:\\P\\Velmora.ini");
  ASSERT_TRUE(settings.writeString("Options", "Language", "English"));
  EXPECT_EQ(settings.readString("Options", "Language", ""), "English");
  EXPECT_EQ(settings.readString("Main", "Width", ""), "5");

  // NUL characters inside a language file end nothing: the keys after them read.
  texts.put("C:\\P\\language\\Nul.ini", std::string("[Texts]\r\nA=one\0two\r\n\0\0\r\nB=three\r\n", 31));
  const platform::ProfileSnapshot language(texts, "C:\\P\\language\\Nul.ini");
  EXPECT_EQ(language.readString("Texts", "B", "?"), "three");
  EXPECT_TRUE(language.readString("Texts", "A", "?").starts_with("one"));
}

}  // namespace
}  // namespace velmora::junk
