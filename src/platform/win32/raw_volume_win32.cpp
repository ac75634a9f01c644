#include "platform/win32/raw_volume_win32.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

#include "platform/win32/critical_error_mode.h"

namespace velmora::platform {
namespace {

// Reads of a volume go past the cache, and Windows then wants the buffer aligned
// as well as the offset and length: each read lands in a page-aligned buffer of
// our own and is copied out.
constexpr std::size_t kAlignment = 4096;

class Win32RawVolume final : public RawVolume {
 public:
  explicit Win32RawVolume(HANDLE volume) : volume_(volume) {}
  ~Win32RawVolume() override { CloseHandle(volume_); }
  Win32RawVolume(const Win32RawVolume&) = delete;
  Win32RawVolume& operator=(const Win32RawVolume&) = delete;

  bool read(std::uint64_t offset, std::span<std::uint8_t> into) override {
    if (into.size() > MAXDWORD - kAlignment) return false;
    if (buffer_.size() < into.size() + kAlignment) buffer_.resize(into.size() + kAlignment);
    auto* aligned = reinterpret_cast<std::uint8_t*>(
        (reinterpret_cast<std::uintptr_t>(buffer_.data()) + kAlignment - 1) & ~(kAlignment - 1));
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD done = 0;
    win32::CriticalErrorDialogsOff quiet;
    if (!ReadFile(volume_, aligned, static_cast<DWORD>(into.size()), &done, &at) || done != into.size())
      return false;
    std::memcpy(into.data(), aligned, into.size());
    return true;
  }

  std::optional<NtfsVolumeData> ntfsVolumeData() override {
    NTFS_VOLUME_DATA_BUFFER answer{};
    DWORD returned = 0;
    if (!DeviceIoControl(volume_, FSCTL_GET_NTFS_VOLUME_DATA, nullptr, 0, &answer, sizeof answer, &returned,
                         nullptr) ||
        returned < sizeof answer)
      return std::nullopt;
    NtfsVolumeData data;
    data.serialNumber = static_cast<std::uint64_t>(answer.VolumeSerialNumber.QuadPart);
    data.totalSectors = static_cast<std::uint64_t>(answer.NumberSectors.QuadPart);
    data.bytesPerSector = answer.BytesPerSector;
    data.bytesPerCluster = answer.BytesPerCluster;
    data.bytesPerRecord = answer.BytesPerFileRecordSegment;
    data.fileTableCluster = static_cast<std::uint64_t>(answer.MftStartLcn.QuadPart);
    data.fileTableValidBytes = static_cast<std::uint64_t>(answer.MftValidDataLength.QuadPart);
    return data;
  }

 private:
  HANDLE volume_;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace

std::unique_ptr<RawVolume> openRawVolume(char letter) {
  if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return nullptr;
  const wchar_t device[] = {L'\\', L'\\', L'.', L'\\', static_cast<wchar_t>(letter), L':', L'\0'};
  win32::CriticalErrorDialogsOff quiet;
  // The volume stays open for the others that use it: it is only read here.
  HANDLE volume = CreateFileW(device, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (volume == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32RawVolume>(volume);
}

}  // namespace velmora::platform
