#!/usr/bin/env bash
# The preview and operation panels of Pictavo.exe with the preview in its panel: both show beside
# the file list; "固定サイズ" clicked and a width of 320 typed with no page open are in
# Pictavo.ini after the exit, and the next run's page opens in that mode.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

dir=$VK_E2E_TMP/img
mkdir -p "$dir"
convert -size 200x120 xc:red "$dir/red.png"

# vk_child FRAME CLASS TEXT: "x y w h" of the frame's first visible descendant of that class
# whose text is TEXT (UTF-8).
vk_child()
{
  vk_e2e_children "$1" |
    awk -F'\t' -v c="$2" -v t="$3" '$1 == c && $3 == t { print $2; exit }'
}
centre() { local x y w h; read -r x y w h <<<"$1"; echo "$((x + w / 2)) $((y + h / 2))"; }

printf '[Application Information]\r\nbOpnSmpImg=0\r\nSopPni_bPrvImgTab=0\r\nPoiFri_iMode=1\r\n' >"$VK_E2E_BIN/Pictavo.ini"
vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' 'Pictavo')
sleep 2
vk_e2e_shot panels

fixed=$(vk_child "$frame" Button "固定サイズ")
[ -n "$fixed" ] || vk_e2e_fail "the operation panel shows no 固定サイズ"
vk_e2e_click $(centre "$fixed")
sleep 1
# The focus went to the width edit: its text replaced, then Tab leaves it.
vk_e2e_key End shift+Home BackSpace 3 2 0 Tab
sleep 1
vk_e2e_shot typed
vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$(vk_e2e_ini 'Application Information' PoiFri_iMode)" = 2 ] || vk_e2e_fail "the fixed size is not stored"
[ "$(vk_e2e_ini 'Application Information' PoiFri_iWidth)" = 320 ] || vk_e2e_fail "the width 320 is not stored"

vk_e2e_start second "$(vk_e2e_path "$dir/red.png")"
frame=$(vk_e2e_wait_window '^Afx:' 'red\.png$')
sleep 2
vk_e2e_shot page
vk_e2e_close "$frame"
vk_e2e_wait_exit "$second"
[ "$(vk_e2e_ini 'Application Information' PoiFri_iMode)" = 2 ] || vk_e2e_fail "the page left the fixed size"
vk_e2e_log "passed"
