#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Reading the little-endian integers of on-disk structures. Every caller checks
// first that the bytes it reads lie inside the span (fits), since what it reads
// comes from a disk that may be damaged or written on purpose to mislead.
namespace velmora::ntfs {

using Bytes = std::span<const std::uint8_t>;

inline bool fits(Bytes bytes, std::size_t at, std::size_t count) {
  return at <= bytes.size() && count <= bytes.size() - at;
}

inline std::uint16_t u16(Bytes bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

inline std::uint32_t u32(Bytes bytes, std::size_t at) {
  return static_cast<std::uint32_t>(u16(bytes, at)) | static_cast<std::uint32_t>(u16(bytes, at + 2)) << 16;
}

inline std::uint64_t u64(Bytes bytes, std::size_t at) {
  return static_cast<std::uint64_t>(u32(bytes, at)) | static_cast<std::uint64_t>(u32(bytes, at + 4)) << 32;
}

// A file reference: the record number in its low 48 bits, the record's sequence
// number (how often the record has been reused) in its high 16.
inline std::uint64_t recordOf(std::uint64_t reference) { return reference & 0xFFFF'FFFF'FFFFull; }
inline std::uint16_t sequenceOf(std::uint64_t reference) {
  return static_cast<std::uint16_t>(reference >> 48);
}

}  // namespace velmora::ntfs
