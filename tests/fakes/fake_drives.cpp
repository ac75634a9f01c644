#include "fakes/fake_drives.h"

#include <algorithm>
#include <stdexcept>

namespace velmora::fakes {
namespace {

// The index 0-25 of a drive letter in either case, or nothing.
std::optional<std::size_t> letterIndex(char letter) {
  if (letter >= 'A' && letter <= 'Z') return static_cast<std::size_t>(letter - 'A');
  if (letter >= 'a' && letter <= 'z') return static_cast<std::size_t>(letter - 'a');
  return std::nullopt;
}

// A volume's bytes, read as a whole.
class FakeRawVolume final : public platform::RawVolume {
 public:
  FakeRawVolume(std::shared_ptr<const std::vector<std::uint8_t>> bytes,
                std::optional<platform::NtfsVolumeData> data)
      : bytes_(std::move(bytes)), data_(data) {}

  bool read(std::uint64_t offset, std::span<std::uint8_t> into) override {
    const std::uint64_t sector = data_ ? data_->bytesPerSector : 512;
    if (offset % sector != 0 || into.size() % sector != 0 || offset > bytes_->size() ||
        into.size() > bytes_->size() - offset)
      return false;
    std::copy_n(bytes_->begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
    return true;
  }
  std::optional<platform::NtfsVolumeData> ntfsVolumeData() override { return data_; }

 private:
  std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
  std::optional<platform::NtfsVolumeData> data_;
};

}  // namespace

std::unique_ptr<platform::RawVolume> FakeDrives::openVolume(char letter) {
  const std::optional<FakeDrive> drive = driveOf(std::string{letter, ':', '\\'});
  if (!drive || !drive->ready || !drive->rawVolume) return nullptr;
  return std::make_unique<FakeRawVolume>(drive->rawVolume, drive->ntfsVolumeData);
}

void FakeDrives::addDrive(char letter, const FakeDrive& drive) {
  std::optional<std::size_t> index = letterIndex(letter);
  if (!index) throw std::invalid_argument("not a drive letter");
  std::lock_guard lock(mutex_);
  drives_[*index] = drive;
}

void FakeDrives::removeDrive(char letter) {
  std::optional<std::size_t> index = letterIndex(letter);
  if (!index) return;
  std::lock_guard lock(mutex_);
  drives_[*index].reset();
}

std::optional<FakeDrive> FakeDrives::driveOf(std::string_view root) const {
  if (root.size() != 3 || root[1] != ':' || root[2] != '\\') return std::nullopt;
  std::optional<std::size_t> index = letterIndex(root[0]);
  if (!index) return std::nullopt;
  std::lock_guard lock(mutex_);
  return drives_[*index];
}

std::uint32_t FakeDrives::getLogicalDrives() {
  std::lock_guard lock(mutex_);
  std::uint32_t mask = 0;
  for (std::size_t i = 0; i < drives_.size(); ++i)
    if (drives_[i]) mask |= 1u << i;
  return mask;
}

platform::DriveType FakeDrives::getDriveType(std::string_view root) {
  std::optional<FakeDrive> drive = driveOf(root);
  return drive ? drive->type : platform::DriveType::noRootDirectory;
}

bool FakeDrives::rootExists(std::string_view root) {
  std::optional<FakeDrive> drive = driveOf(root);
  return drive && drive->ready;
}

std::optional<platform::DiskSpace> FakeDrives::getDiskFreeSpace(std::string_view root) {
  std::optional<FakeDrive> drive = driveOf(root);
  if (!drive || !drive->ready) return std::nullopt;
  return drive->space;
}

std::optional<platform::VolumeInformation> FakeDrives::getVolumeInformation(std::string_view root) {
  std::optional<FakeDrive> drive = driveOf(root);
  if (!drive || !drive->ready) return std::nullopt;
  return drive->volume;
}

std::optional<std::string> FakeDrives::getNetworkName(std::string_view root) {
  std::optional<FakeDrive> drive = driveOf(root);
  if (!drive || drive->type != platform::DriveType::remote || drive->networkName.empty()) return std::nullopt;
  return drive->networkName;
}

}  // namespace velmora::fakes
