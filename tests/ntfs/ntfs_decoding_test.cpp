#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ntfs/boot_sector.h"
#include "ntfs/file_record.h"
#include "ntfs/fixups.h"
#include "ntfs/runlist.h"

namespace velmora::ntfs {
namespace {

using ByteVector = std::vector<std::uint8_t>;

void put(ByteVector& bytes, std::size_t at, std::uint64_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A 1024-byte record as a volume stores it: sequence number 7 over the end of
// each 512-byte block, the original bytes in the sequence array at 0x30.
ByteVector storedRecord(ByteVector record) {
  put(record, 4, 0x30, 2);
  put(record, 6, 3, 2);
  put(record, 0x30, 7, 2);
  for (int block = 1; block <= 2; ++block) {
    record[0x30 + 2 * block] = record[block * 512 - 2];
    record[0x31 + 2 * block] = record[block * 512 - 1];
    put(record, block * 512 - 2, 7, 2);
  }
  return record;
}

TEST(Runlist, DecodesRelativeOffsetsAndSparseRunsAndRefusesWhatLeadsOffTheVolume) {
  // 0x10 clusters at 0x1000, 0x20 sparse, 8 clusters 0x800 back (at 0x800).
  const ByteVector runs{0x21, 0x10, 0x00, 0x10, 0x01, 0x20, 0x21, 0x08, 0x00, 0xF8, 0x00};
  auto extents = decodeRunlist(runs, 0, 0x10000);
  ASSERT_TRUE(extents);
  ASSERT_EQ(extents->size(), 3u);
  EXPECT_EQ((*extents)[0].lcn, 0x1000u);
  EXPECT_TRUE((*extents)[1].sparse);
  EXPECT_EQ((*extents)[1].vcn, 0x10u);
  EXPECT_EQ((*extents)[2].vcn, 0x30u);
  EXPECT_EQ((*extents)[2].lcn, 0x800u);

  EXPECT_FALSE(decodeRunlist(ByteVector{0x21, 0x10, 0x00}, 0, 0x10000)) << "runs past its bytes";
  EXPECT_FALSE(decodeRunlist(ByteVector{0x11, 0x08, 0x80, 0x00}, 0, 0x10000)) << "before cluster 0";
  EXPECT_FALSE(decodeRunlist(ByteVector{0x21, 0x10, 0x00, 0x10, 0x00}, 0, 0x1008)) << "past the volume";
  EXPECT_FALSE(decodeRunlist(ByteVector{0x20, 0x00, 0x10, 0x00}, 0, 0x10000)) << "a run of no length";
  EXPECT_FALSE(decodeRunlist(ByteVector{0x91, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00}, 0, 0x10000));
}

TEST(Fixups, RestoreEachBlockAndTellATornRecordFromAMalformedOne) {
  ByteVector record(1024, 0);
  std::memcpy(record.data(), "FILE", 4);
  record[510] = 0xAB;
  record[1023] = 0xCD;
  ByteVector stored = storedRecord(record);
  ByteVector whole = stored;
  EXPECT_EQ(applyFixups(whole), Fixups::applied);
  EXPECT_EQ(whole[510], 0xAB);
  EXPECT_EQ(whole[1023], 0xCD);

  ByteVector torn = stored;
  torn[1022] = 8;  // The second block was written by another update.
  EXPECT_EQ(applyFixups(torn), Fixups::torn);

  ByteVector wrongCount = stored;
  put(wrongCount, 6, 5, 2);
  EXPECT_EQ(applyFixups(wrongCount), Fixups::malformed);
  ByteVector arrayOutside = stored;
  put(arrayOutside, 4, 0x3FE, 2);
  EXPECT_EQ(applyFixups(arrayOutside), Fixups::malformed);
}

TEST(BootSector, AcceptsNtfsAndRefusesOtherFileSystemsAndFiguresThatDoNotAddUp) {
  ByteVector sector(512, 0);
  std::memcpy(&sector[3], "NTFS    ", 8);
  put(sector, 0x0B, 4096, 2);
  sector[0x0D] = 1;
  put(sector, 0x28, 0x100000, 8);
  put(sector, 0x30, 0x4000, 8);
  sector[0x40] = 0xF6;  // Records of 2^10 bytes: smaller than a sector.
  put(sector, 0x1FE, 0xAA55, 2);
  EXPECT_FALSE(decodeBootSector(sector)) << "a record smaller than a sector";
  sector[0x40] = 0xF4;  // 2^12.
  ASSERT_TRUE(decodeBootSector(sector));

  ByteVector beyond = sector;
  put(beyond, 0x30, 0x100000, 8);
  EXPECT_FALSE(decodeBootSector(beyond)) << "a table past the volume's end";
  ByteVector fat = sector;
  std::memcpy(&fat[3], "MSDOS5.0", 8);
  EXPECT_FALSE(decodeBootSector(fat));
}

TEST(FileRecord, TakesLongNamesSizesAndTimesAndRefusesAttributesPastTheRecord) {
  ByteVector record(1024, 0);
  std::memcpy(record.data(), "FILE", 4);
  put(record, 0x10, 3, 2);      // Sequence number.
  put(record, 0x14, 0x38, 2);   // First attribute.
  put(record, 0x16, 0x01, 2);   // In use, a file.
  put(record, 0x18, 0x200, 4);  // Bytes in use.
  std::size_t at = 0x38;
  // Standard information: last write and the hidden attribute.
  put(record, at, 0x10, 4), put(record, at + 4, 0x60, 4), put(record, at + 0x10, 0x48, 4),
      put(record, at + 0x14, 0x18, 2);
  put(record, at + 0x18 + 8, 0x01D0'0000'0000'0000, 8), put(record, at + 0x18 + 0x20, 0x2, 4);
  at += 0x60;
  // A Win32 name "ab" in record 5, then its DOS alias.
  for (int space : {1, 2}) {
    put(record, at, 0x30, 4), put(record, at + 4, 0x60, 4), put(record, at + 0x10, 0x46, 4),
        put(record, at + 0x14, 0x18, 2);
    put(record, at + 0x18, 0x0005'0000'0000'0005, 8);
    record[at + 0x18 + 0x40] = 2, record[at + 0x18 + 0x41] = static_cast<std::uint8_t>(space);
    put(record, at + 0x18 + 0x42, space == 1 ? 'a' : 'A', 2),
        put(record, at + 0x18 + 0x44, space == 1 ? 'b' : 'B', 2);
    at += 0x60;
  }
  // Non-resident data of 5000 bytes in 2 clusters at cluster 0x40.
  put(record, at, 0x80, 4), put(record, at + 4, 0x48, 4), record[at + 8] = 1, put(record, at + 0x18, 1, 8);
  put(record, at + 0x20, 0x40, 2), put(record, at + 0x28, 8192, 8), put(record, at + 0x30, 5000, 8);
  put(record, at + 0x38, 5000, 8), record[at + 0x40] = 0x11, record[at + 0x41] = 2, record[at + 0x42] = 0x40;
  at += 0x48;
  put(record, at, 0xFFFFFFFF, 4);

  ByteVector stored = storedRecord(record);
  FileRecord decoded;
  ASSERT_EQ(decodeRecord(stored, {0x1000, false}, decoded), RecordState::decoded);
  EXPECT_EQ(decoded.sequence, 3);
  EXPECT_EQ(decoded.attributes, 0x2u);
  EXPECT_EQ(decoded.lastWriteTime, 0x01D0'0000'0000'0000u);
  ASSERT_EQ(decoded.names.size(), 2u);
  EXPECT_EQ(decoded.names[0].name, u"ab");
  EXPECT_EQ(decoded.names[1].space, NameSpace::dos);
  EXPECT_EQ(decoded.names[0].parent, 0x0005'0000'0000'0005u);
  ASSERT_TRUE(decoded.data);
  EXPECT_EQ(decoded.data->size, 5000u);
  EXPECT_EQ(decoded.data->extents.at(0).lcn, 0x40u);

  ByteVector outside = record;
  put(outside, 0x38 + 4, 0x400, 4);  // The first attribute claims more than the record.
  ByteVector stale = storedRecord(outside);
  EXPECT_EQ(decodeRecord(stale, {0x1000, false}, decoded), RecordState::malformed);
  ByteVector longName = record;
  longName[0x98 + 0x18 + 0x40] = 200;  // A name longer than its attribute.
  stale = storedRecord(longName);
  EXPECT_EQ(decodeRecord(stale, {0x1000, false}, decoded), RecordState::malformed);
  stale = storedRecord(record);
  EXPECT_EQ(decodeRecord(stale, {0x41, false}, decoded), RecordState::malformed) << "data beyond the volume";
}

}  // namespace
}  // namespace velmora::ntfs
