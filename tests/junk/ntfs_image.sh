#!/bin/sh
# A test drive written by ntfs-3g, for comparing a read of the file table with a
# walk of the folders.
#
#   ntfs_image.sh make IMAGE MOUNT RECORDS [mkntfs options]
#     makes a 48 MiB NTFS image, fills it through a read-write ntfs-3g mount,
#     writes to RECORDS the record numbers of a file and of a folder to tear, and
#     leaves the image mounted read-only at MOUNT.
#   ntfs_image.sh tear IMAGE COPY RECORD...
#     copies IMAGE to COPY with the update-sequence check of each RECORD broken,
#     as if the record were read while being written.
#   ntfs_image.sh unmount MOUNT
set -eu

record_offset() {  # image record -> byte offset of the record's first block end
  cluster=$(od -An -tu1 -j13 -N1 "$1" | tr -d ' ')
  sector=$(od -An -tu2 -j11 -N2 "$1" | tr -d ' ')
  table=$(od -An -tu8 -j48 -N8 "$1" | tr -d ' ')
  size=$(od -An -td1 -j64 -N1 "$1" | tr -d ' ')
  if [ "$size" -lt 0 ]; then size=$((1 << -size)); else size=$((size * cluster * sector)); fi
  echo $((table * cluster * sector + $2 * size + 510))
}

case $1 in
make)
  image=$2 mount=$3 records=$4
  shift 4
  truncate -s 48M "$image"
  mkntfs -F -Q -q "$@" "$image" >/dev/null 2>&1
  mkdir -p "$mount"
  ntfs-3g "$image" "$mount"
  # A failure on the way leaves nothing mounted over the test's folder.
  trap 'cd /; umount "$mount" 2>/dev/null || true' EXIT
  cd "$mount"
  mkdir -p Documents/Reports "Documents/Música" "日本語" "Keep Out/inner" '$Recycle.Bin/S-1-5-21' Temp Links Empty
  for name in Apple.tmp apple2.~doc _under.tmp Zeta.txt "éclair.tmp" "Éa.bak" "résumé.d^t" 'x.e$e' data.ba~ \
      Thumbs.db thumbs.db report.TMP noext a.b "Ärger.tmp" "ß.tmp" "Ω.tmp" "日本語.tmp" broken.lnk; do
    printf 'junk' >"Temp/$name"
    printf 'x' >"Documents/Música/$name"
  done
  i=0
  while [ $i -lt 300 ]; do printf '%s' "$i" >"Temp/file$i.tmp"; i=$((i + 1)); done
  long=$(printf '%0200d' 0 | tr 0 L)
  head -c 70000 /dev/zero >"Documents/$long.tmp"
  head -c 5000 /dev/zero >Documents/big.tmp
  # Written before 1980: no DOS time, so not a file the scans take.
  printf 'old' >Temp/old.tmp
  touch -d 1975-06-01 Temp/old.tmp
  printf 'kept' >"Keep Out/inner/kept.tmp"
  printf 'binned' >'$Recycle.Bin/S-1-5-21/$R0001.tmp'
  printf 'jp' >"日本語/ファイル.~tmp"
  ln Documents/big.tmp Temp/big-link.tmp
  # A file with so many long names that its record needs extension records.
  i=0
  while [ $i -lt 40 ]; do ln Documents/big.tmp "Documents/Reports/name-$i-$long.~bk"; i=$((i + 1)); done
  # A junction to C:\windows, written as NTFS stores it.
  mkdir Links/junction
  setfattr -h -n system.ntfs_reparse_data -v 0x030000a03c00000000001c001e0014005c003f003f005c0043003a005c00770069006e0064006f0077007300000043003a005c00770069006e0064006f00770073000000 Links/junction
  printf '%s %s %s %s\n' "$(stat -c %i Temp/file7.tmp)" "$(stat -c %i Temp)" "$(stat -c %i Documents/Música)" "$(stat -c %i Documents)" >"$records"
  cd /
  umount "$mount"
  trap - EXIT
  ntfs-3g -o ro "$image" "$mount"
  ;;
tear)
  cp "$2" "$3"
  copy=$3
  shift 3
  for record in "$@"; do
    printf '\356\356' | dd of="$copy" bs=1 seek="$(record_offset "$copy" "$record")" conv=notrunc status=none
  done
  ;;
unmount)
  umount "$2"
  ;;
esac
