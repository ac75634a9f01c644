#!/bin/sh
# The program benchmark's NTFS drive, written by ntfs-3g:
#   ntfs_tree_image.sh IMAGE MOUNT FOLDERS FILES
# makes an image of FOLDERS folders (dirA/subB, a hundred per group) of FILES files
# each, every 33rd a junk file, and leaves it mounted read-only at MOUNT. An IMAGE
# made before is mounted as it is: filling one through FUSE takes minutes.
# "umount MOUNT" unmounts it.
set -eu
image=$1 mount=$2 folders=$3 files=$4
mkdir -p "$mount"
if [ -f "$image" ]; then
  ntfs-3g -o ro "$image" "$mount"
  exit 0
fi
truncate -s $((folders * files / 250 + 64))M "$image"
mkntfs -F -Q -q -c 4096 "$image" >/dev/null 2>&1
ntfs-3g "$image" "$mount"
(cd "$mount" && awk -v folders="$folders" -v files="$files" 'BEGIN {
  for (d = 0; d < folders; d++) {
    dir = "dir" int(d / 100) "/sub" (d % 100)
    print "mkdir -p " dir
    for (f = 0; f < files; f++) {
      n = d * files + f
      print ": >" dir "/file" f (n % 33 == 0 ? (n % 2 ? ".~tmp" : ".tmp") : ".dat")
    }
  }
}' | sh)
umount "$mount"
ntfs-3g -o ro "$image" "$mount"
