#include "fakes/fake_text_encoding.h"
#include "fakes/fake_text_files.h"
#include "text_files_world.h"

namespace velmora::contract {
namespace {

class FakeTextFilesWorld final : public TextFilesWorld {
 public:
  platform::TextFiles& files() override { return files_; }
  const platform::TextEncoding& encoding() override { return encoding_; }

  std::string path(std::string_view name) override { return "C:\\Scratch\\" + std::string(name); }

  // The fake has no folders: a file in a missing folder is one that is not there
  // and cannot be created.
  std::string pathInMissingFolder(std::string_view name) override {
    std::string path = "C:\\Missing\\" + std::string(name);
    files_.setUnwritable(path);
    return path;
  }

  void plant(const std::string& path, std::string_view bytes) override { files_.put(path, bytes); }
  std::optional<std::string> stored(const std::string& path) override { return files_.bytes(path); }
  void holdOpenForReading(const std::string& path) override { files_.setUnwritable(path); }
  void holdOpenExclusively(const std::string& path) override {
    files_.setUnwritable(path);
    files_.setUnreadable(path);
  }

 private:
  fakes::FakeTextEncoding encoding_;
  fakes::FakeTextFiles files_{encoding_};
};

}  // namespace

std::unique_ptr<TextFilesWorld> makeTextFilesWorld() { return std::make_unique<FakeTextFilesWorld>(); }

}  // namespace velmora::contract
