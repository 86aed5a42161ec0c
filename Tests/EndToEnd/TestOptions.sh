#!/usr/bin/env bash
# The options dialog as a person uses it: opened from the Tools menu with OK and Apply off until
# a change; "パネル設定" thumbnails 64 wide applied narrow the file list's thumbnails; "表示設定"
# "指定" 50 % applied makes the next page open at half size; a new user
# directory typed on "基本設定" is made with its "Dat" folder by OK; Pictavo.ini keeps the values
# and the dialog's rectangle, where the next run shows it again.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

dir=$VK_E2E_TMP/img
mkdir -p "$dir"
convert -size 400x300 xc:'#0000FF' "$dir/blue.png"
# The file list shows a folder of two squares as thumbnails.
list="$WINEPREFIX/drive_c/VktOptions"
rm -rf "$list"
mkdir -p "$list"
convert -size 300x300 xc:'#ff0000' "BMP3:$list/red.bmp"
convert -size 300x300 xc:'#ff0000' "BMP3:$list/red2.bmp"
# A later run: no first-run question, no samples; the list's folder as the last run left it.
printf '[Common Information]\r\nstrCurDir=C:\\VktOptions\r\nLscFii_iModeLstViw=1\r\n' >"$VK_E2E_BIN/Pictavo.ini"
printf '[Application Information]\r\nbOpnSmpImg=0\r\nSopBsi_bChgDir=1\r\n' >>"$VK_E2E_BIN/Pictavo.ini"

win() { vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" "$@" | tr -d '\r'; }

# vk_open_options: the dialog from the menu; its hwnd in $dialog.
vk_open_options()
{
  vk_e2e_key alt+t
  sleep 0.4
  vk_e2e_key o
  dialog=$(vk_e2e_wait_window '#32770' '^オプション設定$')
  sleep 1
}

# vk_page KEY: a page brought to the front from the tabs' context menu (b, n or s).
vk_page()
{
  local tab x y w h
  tab=$(win tabs "$dialog" | head -1)
  read -r x y w h <<<"$tab"
  xdotool mousemove $((x + 20)) $((y + 8)) click 3
  vk_e2e_wait_line '#32768' '' >/dev/null
  sleep 0.3
  vk_e2e_key "$1"
  sleep 0.5
}

# vk_click_item CLASS TEXT: a click on the dialog's shown control of that class and text.
vk_click_item()
{
  local x y w h
  read -r x y w h < <(vk_e2e_children "$dialog" | awk -F'\t' -v c="$1" -v t="$2" '$1 == c && $3 == t { print $2; exit }')
  [ -n "${h:-}" ] || vk_e2e_fail "no $1 \"$2\" shows"
  vk_e2e_click $((x + w / 2)) $((y + h / 2))
  sleep 0.4
}

# vk_red_box NAME: the width and height of the red in the first item's cell of screenshot NAME.
vk_red_box()
{
  local x y w h
  read -r x y w h < <(vk_e2e_items "$frame" | sed -n 1p | cut -f2)
  [ -n "${h:-}" ] || vk_e2e_fail "the list shows no item"
  vk_e2e_box "$VK_E2E_OUT/$1.png" "$x $y $w $h" '#ff0000'
}

# vk_press ID: a click on one of the dialog's buttons.
vk_press() { vk_e2e_click $(win button "$dialog" "$1"); sleep 0.5; }

# vk_enabled ID: 1 when the dialog's button is enabled (its text drawn black, not grey).
vk_enabled()
{
  local x y
  read -r x y < <(win button "$dialog" "$1")
  vk_e2e_shot enabled
  [ "$(convert "$VK_E2E_OUT/enabled.png" -crop "30x8+$((x - 15))+$((y - 4))" +repage -fill white +opaque black \
    -format '%[fx:minima.r == 0 ? 1 : 0]' info:)" = 1 ] && echo 1 || echo 0
}

# vk_becomes STATES ID...: waits (10 s at most) until the buttons' vk_enabled states read STATES.
vk_becomes()
{
  local want=$1 got id until=$((SECONDS + 10))
  shift
  while got=; for id in "$@"; do got+=$(vk_enabled "$id"); done; [ "$got" != "$want" ] && [ $SECONDS -lt $until ]; do
    sleep 0.3
  done
  [ "$got" = "$want" ]
}

vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo')
until=$((SECONDS + 20))
until [ "$(vk_e2e_items "$frame" | cut -f1 | paste -sd' ')" = "red.bmp red2.bmp" ]; do
  [ $SECONDS -lt $until ] || vk_e2e_fail "the list does not show the two squares"
  sleep 0.3
done
# The thumbnails come from a worker: wait until the first one is painted.
until=$((SECONDS + 20))
while :; do
  vk_e2e_idle "$frame"
  vk_e2e_shot thumbnails-100
  wide=$(vk_red_box thumbnails-100)
  [ "$(cut -d' ' -f1 <<<"$wide")" -ge 96 ] 2>/dev/null || [ $SECONDS -ge $until ] && break
  sleep 0.5
done
vk_e2e_log "a thumbnail shows at $wide"
vk_open_options
vk_e2e_shot options-basic
[ "$(vk_enabled 1)$(vk_enabled 17684)" = 00 ] || vk_e2e_fail "OK or Apply is enabled before a change"

# ---- The panel page: thumbnails 64 wide, applied ----
vk_page n
vk_e2e_shot options-panel
read -r x y w h < <(vk_e2e_children "$dialog" | awk -F'\t' '$1 == "Edit" { print $2; exit }')
vk_e2e_click $((x + w / 2)) $((y + h / 2))
vk_e2e_key End shift+Home
xdotool type --delay 20 "64"
vk_e2e_key Tab
sleep 0.3
vk_press 17684
vk_becomes 0 17684 || vk_e2e_fail "Apply stays on after applying the panel page"

# ---- The display page: the given scale, 50 %, applied ----
vk_page s
vk_e2e_shot options-display
vk_click_item Button "指定"
vk_e2e_key Tab End shift+Home
xdotool type --delay 20 "50"
vk_e2e_key Tab
sleep 0.3
vk_becomes 11 1 17684 || vk_e2e_fail "OK and Apply stay off after a change"
vk_press 17684
vk_becomes 0 17684 || vk_e2e_fail "Apply stays on after applying"
vk_e2e_shot options-applied
vk_press 2
vk_e2e_no_window '#32770' '^オプション設定$' 1

# The list's thumbnails are 64 wide now.
vk_e2e_idle "$frame"
vk_e2e_shot thumbnails-64
narrow=$(vk_red_box thumbnails-64)
vk_e2e_log "a thumbnail shows at $narrow after the change"
# Each square fills its cell inside the cell's frame: 100 wide before, 64 now.
read -r ww wh <<<"$wide"
read -r nw nh <<<"$narrow"
[ "${ww:-0}" -ge 96 ] && [ "${nw:-0}" -ge 60 ] && [ "${nw:-99}" -le 64 ] ||
  vk_e2e_fail "a thumbnail shows at $narrow, not 64 wide ($wide before)"

# The next page opens at half its size.
vk_e2e_key ctrl+o
opener=$(vk_e2e_wait_window '#32770' '.')
sleep 0.5
xdotool type --delay 20 "$(vk_e2e_path "$dir/blue.png")"
vk_e2e_key Return
vk_e2e_wait_window '^Afx:' 'blue\.png$' >/dev/null
sleep 1.5
vk_e2e_shot half
area=$(vk_e2e_area "$frame")
[ -n "$area" ] || vk_e2e_fail "no drawing area shows"
size=$(vk_e2e_box "$VK_E2E_OUT/half.png" "$area" '#0000FF')
vk_e2e_log "the page shows the picture at $size"
[ "$size" = "200 150" ] || vk_e2e_fail "the page shows the picture at $size, not at half size"

# ---- The basic page: a new user directory, made with "Dat" by OK ----
vk_open_options
vk_page b
vk_e2e_shot options-basic-again
read -r x y w h < <(vk_e2e_children "$dialog" | awk -F'\t' '$1 == "Edit" { print $2; exit }')
vk_e2e_click $((x + w / 2)) $((y + h / 2))
vk_e2e_key End shift+Home
xdotool type --delay 20 "$(vk_e2e_path "$VK_E2E_TMP")\\newusr"
vk_press 1
vk_e2e_no_window '#32770' '^オプション設定$' 1
[ -d "$VK_E2E_TMP/newusr/Dat" ] || vk_e2e_fail "the new user directory was not made with its Dat folder"

# ---- The dialog moved by its caption keeps its place in this run and the next ----
vk_open_options
read -r x y w h < <(vk_e2e_windows | awk -F'\t' -v h="$dialog" '$1 == h { print $4 }')
xdotool mousemove $((x + 120)) $((y + 10)) mousedown 1
sleep 0.3
xdotool mousemove $((x + 150)) $((y + 40))
sleep 0.3
xdotool mousemove $((x + 180)) $((y + 70)) mouseup 1
sleep 0.5
moved=$(vk_e2e_windows | awk -F'\t' -v h="$dialog" '$1 == h { print $4 }')
vk_e2e_log "the dialog went from $x $y to $moved"
[ "$moved" != "$x $y $w $h" ] || vk_e2e_fail "the dialog did not move"
vk_press 2
vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
for pair in "Common Information:LscFii_iWidthTmnImg:64" "Application Information:SopShi_iModeSca:1" "Application Information:SopShi_lScaNum:1" \
  "Application Information:SopShi_lScaDen:2" "Common Information:strUsrDir:$(vk_e2e_path "$VK_E2E_TMP")\\newusr"; do
  IFS=: read -r section key value <<<"$pair"
  got=$(vk_e2e_ini "$section" "$key")
  [ "$got" = "$value" ] || vk_e2e_fail "$key is $got, not $value"
done
read -r mx my mw mh <<<"$moved"
[ "$(vk_e2e_ini 'Application Information' rctDlgSetOpt_left)" = "$mx" ] &&
  [ "$(vk_e2e_ini 'Application Information' rctDlgSetOpt_bottom)" = "$((my + mh))" ] ||
  vk_e2e_fail "the dialog's rectangle was not written"

vk_e2e_start second
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo')
sleep 2
vk_open_options
again=$(vk_e2e_windows | awk -F'\t' -v h="$dialog" '$1 == h { print $4 }')
[ "$again" = "$moved" ] || vk_e2e_fail "the next run shows the dialog at $again, not at $moved"
vk_press 2
vk_e2e_close "$frame"
vk_e2e_wait_exit "$second"
vk_e2e_log "passed"
