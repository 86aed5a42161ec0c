# A private Wine prefix made of the build's one, for a session that must not meet the programs of
# another (the end-to-end tests, the benchmarks): hard links to its program files, copies of every
# other file (Wine rewrites some, such as the registry, in place), an empty temporary folder.
# Files that other sessions' programs remove meanwhile are left out. Source it, then
#   vk_copy_prefix "$WINEPREFIX" "$dir/wine"
vk_copy_prefix()
{
  local src=$1 dst=$2 f
  mkdir -p "$dst"
  cp -a "$src"/*.reg "$src/.update-timestamp" "$src/dosdevices" "$dst/"
  cp -al "$src/drive_c" "$dst/" 2>/dev/null || true
  rm -rf "$dst"/drive_c/users/*/Temp/*
  find "$dst/drive_c" -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.sys' \
       -o -iname '*.nls' -o -iname '*.ocx' -o -iname '*.acm' -o -iname '*.cpl' -o -iname '*.tlb' \) -print0 |
    while IFS= read -r -d '' f; do
      cp --remove-destination "$src${f#"$dst"}" "$f" 2>/dev/null || rm -f "$f"
    done
}
