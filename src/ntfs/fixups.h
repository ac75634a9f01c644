#pragma once

#include <cstdint>
#include <span>

namespace velmora::ntfs {

// What applying a record's update-sequence fixups found.
enum class Fixups {
  applied,    // Every 512-byte block ended in the sequence number; the record is whole.
  torn,       // A block did not: the record was being written while it was read.
  malformed,  // The header's sequence array does not fit the record.
};

// NTFS writes the update sequence number over the last two bytes of each 512-byte
// block of a multi-sector structure (file records, index blocks) and keeps the
// bytes it replaced in the sequence array; a block whose last two bytes differ was
// not written with the others. Restores the replaced bytes of every block whose
// check holds, and reports torn when any does not (the rest is still restored, so
// that a caller may read a torn record's names as a hint, never as the truth).
Fixups applyFixups(std::span<std::uint8_t> record);

}  // namespace velmora::ntfs
