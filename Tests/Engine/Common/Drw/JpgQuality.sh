#!/usr/bin/env bash
# ImageMagick's reading of the JPEG files that TestEngDrw wrote with a quality: each file qNN.jpg or
# prmNN.jpg in the folder given must read as quality NN, within 2.
set -euo pipefail
dir=$1
identify=${VK_IDENTIFY:-identify}
shopt -s nullglob
files=("$dir"/*.jpg)
[ ${#files[@]} -gt 0 ] || { echo "no JPEG files in $dir"; exit 1; }
status=0
for f in "${files[@]}"; do
  name=$(basename "$f" .jpg)
  want=${name//[!0-9]/}
  got=$("$identify" -regard-warnings -format %Q "$f") || { echo "$name: not readable"; status=1; continue; }
  if [ $(( got > want ? got - want : want - got )) -gt 2 ]; then
    echo "$name: quality $got, asked for $want"
    status=1
  fi
done
[ $status -eq 0 ] && echo "${#files[@]} files read back at the quality asked for"
exit $status
