#include "fakes/fake_file_system.h"
#include "file_system_world.h"

namespace velmora::contract {
namespace {

// The contract's ground for the in-memory fake: drive C: with the throwaway folder.
class FakeWorld final : public FileSystemWorld {
 public:
  FakeWorld() { files_.addFolder(folder()); }

  platform::FileSystem& files() override { return files_; }
  std::string folder() const override { return "C:\\velmora-contract\\"; }
  std::string missingDriveRoot() const override { return "Q:\\"; }

  void makeFolder(const std::string& path) override { files_.addFolder(path); }
  void makeFile(const std::string& path, std::uint64_t size) override { files_.addFile(path, size); }
  void setAttributes(const std::string& path, std::uint32_t attributes) override {
    files_.setAttributes(path, attributes);
  }
  void setLastWriteTime(const std::string& path, std::uint64_t fileTime) override {
    files_.setLastWriteTime(path, fileTime);
  }

  std::unique_ptr<Hold> holdOpen(const std::string& path) override {
    class FakeHold final : public Hold {
     public:
      FakeHold(fakes::FakeFileSystem& files, std::string path) : files_(files), path_(std::move(path)) {
        files_.setHeldOpen(path_, true);
      }
      ~FakeHold() override {
        if (files_.contains(path_)) files_.setHeldOpen(path_, false);
      }

     private:
      fakes::FakeFileSystem& files_;
      std::string path_;
    };
    return std::make_unique<FakeHold>(files_, path);
  }

  void makeFolderLink(const std::string& link, const std::string& target) override {
    files_.addFolderLink(link, target);
  }
  bool makeUnlistable(const std::string& path) override {
    files_.setListable(path, false);
    return true;
  }

  bool exists(const std::string& path) const override { return files_.contains(path); }

 private:
  fakes::FakeFileSystem files_;
};

}  // namespace

std::unique_ptr<FileSystemWorld> makeFileSystemWorld() { return std::make_unique<FakeWorld>(); }

}  // namespace velmora::contract
