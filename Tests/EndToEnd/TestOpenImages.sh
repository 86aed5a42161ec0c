#!/usr/bin/env bash
# Images opened from the command line into tabbed pages: three files in a folder with a Japanese
# name make three tabs (the first current, all three in the recent files), a 4000 x 2000 red and
# blue image is fitted into its page keeping its ratio, a 64 x 32 one shows at 1:1 after Ctrl+B
# and Right. With the clipboard monitor on, a bitmap copied by another process becomes the page
# "新規_1", about which the close asks.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

printf '[Application Information]\r\nbOpnSmpImg=0\r\nPoiFri_bClbMon=1\r\n' >"$VK_E2E_BIN/Pictavo.ini"
dir=$VK_E2E_TMP/表
mkdir -p "$dir"
convert -size 2000x2000 xc:red xc:blue +append "$dir/wide.png"
convert -size 32x32 xc:lime xc:yellow +append "$dir/small.bmp"
convert -size 20x20 xc:magenta "$dir/third.png"

vk_e2e_start first "$(vk_e2e_path "$dir/wide.png")" "$(vk_e2e_path "$dir/small.bmp")" \
  "$(vk_e2e_path "$dir/third.png")"
frame=$(vk_e2e_wait_window '^Afx:' 'wide\.png$')
sleep 2
vk_e2e_shot three-tabs
[ "$(vk_e2e_title "$frame")" = "Pictavo - $(vk_e2e_path "$dir/wide.png")" ] || vk_e2e_fail "the title is $(vk_e2e_title "$frame")"
area=$(vk_e2e_area "$frame")
[ -n "$area" ] || vk_e2e_fail "no drawing area shows"
read -r rw rh < <(vk_e2e_box "$VK_E2E_OUT/three-tabs.png" "$area" '#FF0000')
read -r bw bh < <(vk_e2e_box "$VK_E2E_OUT/three-tabs.png" "$area" '#0000FF')
vk_e2e_log "fitted: red $rw x $rh, blue $bw x $bh in $area"
read -r ax ay aw ah <<<"$area"
[ $((rw + bw)) -ge $((aw - 12)) ] || vk_e2e_fail "the image is not fitted to the width: $((rw + bw)) of $aw"
for d in $((rw - rh)) $((bw - bh)) $((rh - bh)); do
  [ "${d#-}" -le 1 ] || vk_e2e_fail "the halves lost the ratio: red $rw x $rh, blue $bw x $bh"
done

# Ctrl+B puts the focus on the tabs, Right selects the next one: 64 x 32 at 1:1.
vk_e2e_key ctrl+b
sleep 0.3
vk_e2e_key Right
vk_e2e_wait_window '^Afx:' 'small\.bmp$' >/dev/null
sleep 1
vk_e2e_shot second-tab
area=$(vk_e2e_area "$frame")
for colour in '#00FF00' '#FFFF00'; do
  box=$(vk_e2e_box "$VK_E2E_OUT/second-tab.png" "$area" "$colour")
  [ "$box" = "32 32" ] || vk_e2e_fail "$colour shows as $box, not 32 x 32"
done

# Another program copies a bitmap: a page of its own.
vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" copy-bitmap >/dev/null 2>&1 || vk_e2e_fail "the bitmap was not copied"
vk_e2e_wait_window '^Afx:' '新規_1$' >/dev/null
sleep 1
vk_e2e_shot pasted
area=$(vk_e2e_area "$frame")
[ "$(vk_e2e_box "$VK_E2E_OUT/pasted.png" "$area" '#FF0000')" = "16 16" ] || vk_e2e_fail "the copied bitmap does not show"

vk_e2e_close "$frame"
# The pasted page was never saved: its question, answered "いいえ".
vk_e2e_wait_box
vk_e2e_expect_text "新規_1 を保存しますか？"
vk_e2e_press "$VK_BOX" 7
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
vk_e2e_ini_text >"$VK_E2E_OUT/ini.txt"
for name in wide.png small.bmp third.png; do
  grep -q "表.$name\$" "$VK_E2E_OUT/ini.txt" || vk_e2e_fail "$name is not among the recent files"
done
