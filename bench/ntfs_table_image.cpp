// Writes the file-table benchmark's NTFS volume straight to a file, in seconds
// rather than the half hour a fill through a mount takes:
//   bench_ntfs_table_image IMAGE FOLDERS
// FOLDERS folders (dirA\subB, a hundred per group) of a hundred files each, every
// 33rd a junk file by name. 9,900 folders make a table of 1,000,015 records. The
// volume holds what a reader of its table reads (no folder indexes): it can be
// read from its table only, never walked.
#include <cstdio>
#include <fstream>
#include <string>

#include "fakes/ntfs_image.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_ntfs_table_image IMAGE FOLDERS\n");
    return 2;
  }
  constexpr int kFilesPerFolder = 100;
  const int folders = std::stoi(argv[2]);
  velmora::fakes::NtfsImage image;
  std::uint32_t top = 0;
  int junk = 0;
  for (int d = 0; d < folders; ++d) {
    if (d % 100 == 0)
      top = image.addFolder(velmora::fakes::NtfsImage::kRoot, "dir" + std::to_string(d / 100));
    const std::uint32_t folder = image.addFolder(top, "sub" + std::to_string(d % 100));
    for (int f = 0; f < kFilesPerFolder; ++f) {
      const int n = d * kFilesPerFolder + f;
      const bool isJunk = n % 33 == 0;
      junk += isJunk;
      image.addFile(folder, "file" + std::to_string(f) + (isJunk ? (n % 2 ? ".~tmp" : ".tmp") : ".dat"), 7);
    }
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  image.write([&out](std::span<const std::uint8_t> piece) {
    out.write(reinterpret_cast<const char*>(piece.data()), static_cast<std::streamsize>(piece.size()));
  });
  out.close();
  if (!out) {
    std::fprintf(stderr, "could not write %s\n", argv[1]);
    return 1;
  }
  std::printf("image: %d folders, %d files (%d junk), %.0f MiB\n", folders + (folders + 99) / 100,
              folders * kFilesPerFolder, junk, image.sizeBytes() / 1048576.0);
  return 0;
}
