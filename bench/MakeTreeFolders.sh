#!/usr/bin/env bash
# The folder tree benchmark's folders under $1: a chain 8 deep whose every level holds 200
# folders (the next link of the chain and 199 others), the chain's last folder 2,000 subfolders.
set -euo pipefail
dir=$1
rm -rf "$dir"
path=$dir
for level in 1 2 3 4 5 6 7 8; do
  mkdir -p "$path/c$level"
  mkdir "$path"/s{001..199}
  path=$path/c$level
done
mkdir "$path"/d{0000..1999}
touch "$dir/done"
