#!/usr/bin/env bash
# The folder tree: a start whose settings ask for the folder they keep shows it selected; the
# arrows walk it with the keyboard kept in the tree; Down, Right and Return move and expand (a link to its own parent one level per expansion); back and
# forward from the View menu bring the selections back; the next start shows the folder selected
# last.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

# Folders on the session's own C: (the Unix root is never expanded): names with trail bytes, one
# named like an image, a link to its own parent.
root="$WINEPREFIX/drive_c/VktTree"
mkdir -p "$root/alpha/beta" "$root/a.jpg" "$root/loop" "$root/表/ソ"
ln -s .. "$root/loop/up"
printf '[Common Information]\r\nstrCurDir=C:\\VktTree\\alpha\r\n[Application Information]\r\nbOpnSmpImg=0\r\nSopBsi_bChgDir=1\r\n' \
  >"$VK_E2E_BIN/Pictavo.ini"

# vk_tree FRAME: the tree's item count, then the texts from its root to its selection.
vk_tree() { vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" tree "$1" 2>/dev/null | tr -d '\r'; }
# vk_path FRAME: the selection's texts below the drive, joined by "/".
vk_path() { vk_tree "$1" | sed -n '5,$p' | tr -d '\t' | paste -sd/; }
vk_count() { vk_tree "$1" | head -1; }
# vk_expect_path FRAME PATH: waits until the selection is PATH.
vk_expect_path() { vk_e2e_until_is "the tree selects" "$2" vk_path "$1"; }
# vk_tree_key FRAME KEY: the tree takes the focus (Ctrl+F; each selection sends it to the file
# list), then the key.
vk_tree_key()
{
  vk_e2e_key ctrl+f
  sleep 0.3
  vk_e2e_key "$2"
  sleep 0.5
}

vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
vk_expect_path "$frame" "VktTree/alpha"
[ "$(vk_tree "$frame" | sed -n 4p)" = $'\t (C:)' ] || vk_e2e_fail "the folder is not under C:: $(vk_tree "$frame")"
sleep 0.5
vk_e2e_shot start
# The tree shows its folders: icons and text, more than a few colours.
read -r x y w h < <(vk_e2e_children "$frame" | awk -F'\t' '$1 == "SysTreeView32" { print $2; exit }')
[ "${w:-0}" -gt 100 ] && [ "${h:-0}" -gt 100 ] || vk_e2e_fail "the tree is ${w:-0} x ${h:-0}"
n=$(convert "$VK_E2E_OUT/start.png" -crop "${w}x${h}+${x}+${y}" +repage -format %k info:)
[ "$n" -gt 8 ] || vk_e2e_fail "the tree shows $n colours"

# The arrow keys walk the tree: each folder they reach fills the file list, and the keyboard
# stays in the tree for the next one.
vk_e2e_key ctrl+f
sleep 0.3
vk_e2e_key Down
vk_expect_path "$frame" "VktTree/loop"
vk_e2e_key Down
vk_expect_path "$frame" "VktTree/表"
focus=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" focus "$frame" | tr -d '\r' | cut -f1)
[ "$focus" = SysTreeView32 ] || vk_e2e_fail "after two arrows the keyboard is in $focus"
vk_e2e_shot walked
vk_e2e_key Up
vk_expect_path "$frame" "VktTree/loop"
vk_e2e_key Up
vk_expect_path "$frame" "VktTree/alpha"

# Down to the next folder; Right expands it and a second Right enters it; Return expands that.
vk_tree_key "$frame" Down
vk_expect_path "$frame" "VktTree/loop"
before=$(vk_count "$frame")
vk_tree_key "$frame" Right
[ "$(vk_count "$frame")" -eq $((before + 1)) ] || vk_e2e_fail "Right did not expand loop: $(vk_count "$frame") items"
vk_tree_key "$frame" Right
vk_expect_path "$frame" "VktTree/loop/up"
vk_tree_key "$frame" Return
[ "$(vk_count "$frame")" -eq $((before + 1 + 4)) ] ||
  vk_e2e_fail "Return did not show the four folders of the link's target: $(vk_count "$frame") items"
vk_e2e_shot keys
vk_tree_key "$frame" Return
[ "$(vk_count "$frame")" -eq $((before + 5)) ] || vk_e2e_fail "a second Return changed the items"

# Back twice and forward once, from the View menu (access keys).
for step in "b VktTree/loop" "b VktTree/alpha" "n VktTree/loop"; do
  set -- $step
  vk_e2e_key alt+v
  sleep 0.3
  vk_e2e_key "$1"
  vk_expect_path "$frame" "$2"
done
vk_e2e_shot history

vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
[ "$(vk_e2e_ini 'Common Information' strCurDir)" = 'C:\VktTree\loop' ] ||
  vk_e2e_fail "strCurDir is $(vk_e2e_ini 'Common Information' strCurDir)"

vk_e2e_start second
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
vk_expect_path "$frame" "VktTree/loop"
vk_e2e_shot second-start
vk_e2e_close "$frame"
vk_e2e_wait_exit "$second"
vk_e2e_log "passed"
