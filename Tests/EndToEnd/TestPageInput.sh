#!/usr/bin/env bash
# The mouse and keys on the pages and in the panels, with 14 pages open: two turns of the wheel
# towards the user with the right button held enlarge the page by 10 % each, two turns away
# bring it back, and no menu follows the release; 150 % given in the scale dialog (Ctrl+A and the
# number typed in its percent box) shows the image at 150 % and the dialog opens with it again; a
# tab dragged while the strip is scrolled along is moved where it is dropped; Ctrl+A in
# the file-type box selects the pattern typed there and keeps the focus, so does it in the cut
# frame's width box, while in the file list it goes back to the page.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

dir="$WINEPREFIX/drive_c/VktIn"
mkdir -p "$dir"
convert -size 200x150 xc:red "BMP3:$dir/red.bmp"
args=("C:\\VktIn\\red.bmp")
for i in $(seq 1 13); do
  name=$(printf 'tab%02d.bmp' "$i")
  convert -size 120x90 xc:"rgb($((i * 15)),120,60)" "BMP3:$dir/$name"
  args+=("C:\\VktIn\\$name")
done
printf '[Common Information]\r\nstrCurDir=C:\\VktIn\r\n[Application Information]\r\nbOpnSmpImg=0\r\nSopBsi_bChgDir=1\r\nPoiFri_iMode=2\r\n' \
  >"$VK_E2E_BIN/Pictavo.ini"

win() { vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" "$@" 2>/dev/null | tr -d '\r'; }
# The tab strip's lines (titles or rectangles), one a tab.
tab_lines() { win "$1" "$frame" | grep $'^\t' | tr -d '\t'; }
red_box() { vk_e2e_shot "$1"; vk_e2e_box "$VK_E2E_OUT/$1.png" "$area" '#FF0000'; }

vk_e2e_start first "${args[@]}"
frame=$(vk_e2e_wait_window '^Afx:' 'red\.bmp$')
until=$((SECONDS + 60))
until [ "$(tab_lines tabs | wc -l)" -eq 14 ]; do
  [ $SECONDS -lt $until ] || vk_e2e_fail "the tabs are $(tab_lines tabs | paste -sd' ')"
  sleep 0.5
done
vk_e2e_idle "$frame"
area=$(vk_e2e_area "$frame")
[ -n "$area" ] || vk_e2e_fail "no drawing area shows"
read -r ax ay aw ah <<<"$area"

# ---- The wheel with the right button held ----
read -r w0 h0 < <(red_box zoom-start)
[ "$w0 $h0" = "200 150" ] || vk_e2e_fail "the page shows the image at $w0 x $h0"
xdotool mousemove $((ax + 100)) $((ay + 80)) mousedown 3
sleep 0.3
for i in 1 2; do xdotool click 5; sleep 0.3; done
xdotool mouseup 3
vk_e2e_idle "$frame" 0.5
read -r w1 h1 < <(red_box zoom-in)
vk_e2e_log "right button and two turns: $w1 x $h1"
[ "$w1" -ge 238 ] && [ "$w1" -le 246 ] || vk_e2e_fail "the image is $w1 x $h1, not about 242 x 182"
[ -z "$(vk_e2e_find '^#32768$' '')" ] || vk_e2e_fail "a menu showed after the zoom"
xdotool mousedown 3
sleep 0.3
for i in 1 2; do xdotool click 4; sleep 0.3; done
xdotool mouseup 3
vk_e2e_idle "$frame" 0.5
read -r w2 h2 < <(red_box zoom-out)
[ "$w2" -lt "$w1" ] && [ "$w2" -ge 190 ] || vk_e2e_fail "turned away the image is $w2 x $h2"
[ -z "$(vk_e2e_find '^#32768$' '')" ] || vk_e2e_fail "a menu showed after the zoom back"

# ---- The scale dialog remembers the scale given ----
vk_e2e_key alt+i a
vk_e2e_wait_box '倍率指定'
vk_e2e_key ctrl+a 1 5 0
vk_e2e_press "$VK_BOX" 1
vk_e2e_idle "$frame" 0.5
read -r w3 h3 < <(red_box scale-150)
[ "$w3 $h3" = "300 225" ] || vk_e2e_fail "at 150 % the image is $w3 x $h3"
vk_e2e_key alt+i a
vk_e2e_wait_box '倍率指定'
vk_e2e_shot scale-dialog
given=$(win selection "$VK_BOX" | cut -f2)
[ "$given" = 150.0 ] || vk_e2e_fail "the scale dialog's percent box holds \"$given\", not the 150 given last"
vk_e2e_press "$VK_BOX" 2

# ---- A tab dragged in a scrolled strip ----
updown=$(vk_e2e_children "$frame" | awk -F'\t' '$1 == "msctls_updown32" { print $2; exit }')
[ -n "$updown" ] || vk_e2e_fail "the tab strip shows no arrows"
read -r ux uy uw uh <<<"$updown"
for i in 1 2 3; do vk_e2e_click $((ux + uw * 3 / 4)) $((uy + uh / 2)); sleep 0.3; done
rects=$(tab_lines tab-rects)
[ "$(head -1 <<<"$rects")" = - ] || vk_e2e_fail "the strip did not scroll: $(head -3 <<<"$rects" | paste -sd,)"
shown=$(awk '$0 != "-" { print NR - 1; exit }' <<<"$rects")
from=$((shown + 1))
to=$((shown + 3))
before=$(tab_lines tabs | paste -sd' ')
read -r fx fy fw fh < <(sed -n "$((from + 1))p" <<<"$rects")
read -r tx ty tw th < <(sed -n "$((to + 1))p" <<<"$rects")
vk_e2e_shot drag-start
xdotool mousemove $((fx + fw / 2)) $((fy + fh / 2)) mousedown 1
sleep 0.2
xdotool mousemove $((fx + fw / 2 + 10)) $((fy + fh / 2))
sleep 0.1
xdotool mousemove $((tx + tw / 2)) $((ty + th / 2)) mouseup 1
vk_e2e_idle "$frame" 0.5
vk_e2e_shot dragged
after=$(tab_lines tabs | paste -sd' ')
wanted=$(awk -v f="$from" -v t="$to" '{ n = split($0, a, " "); m = a[f + 1]
  for (i = f + 1; i < t + 1; i++) a[i] = a[i + 1]; a[t + 1] = m
  for (i = 1; i <= n; i++) printf "%s%s", a[i], (i < n ? " " : "\n") }' <<<"$before")
vk_e2e_log "tab $from dropped on tab $to: $after"
[ "$after" = "$wanted" ] || vk_e2e_fail "the tabs are \"$after\", not \"$wanted\""

# ---- Ctrl+A in the file-type box and elsewhere ----
box=$(win combos "$frame" | awk -F'\t' '$1 != "" && $2 == "すべての画像ファイル" { print $1; exit }')
[ -n "$box" ] || vk_e2e_fail "no file-type box shows"
read -r bx by bw bh _ <<<"$box"
vk_e2e_click $((bx + bw / 3)) $((by + bh / 2))
sleep 0.3
vk_e2e_key End shift+Home BackSpace
xdotool type '*.bmp'
vk_e2e_key ctrl+a
sleep 0.5
selection=$(win selection "$frame")
[ "$selection" = $'0 5\t*.bmp' ] || vk_e2e_fail "after Ctrl+A the focused box holds \"$selection\""
[ "$(win focus "$frame")" = $'Edit\tComboBox' ] || vk_e2e_fail "Ctrl+A took the focus to $(win focus "$frame")"
# The same in the cut frame's width box (fixed size).
width=$(vk_e2e_children "$frame" | awk -F'\t' '
  $1 == "Static" && $3 == "横" { split($2, s, " ") }
  $1 == "Edit" && s[2] != "" { split($2, r, " "); if (r[1] > s[1] && r[2] - s[2] < 10 && s[2] - r[2] < 10) { print $2; exit } }')
[ -n "$width" ] || vk_e2e_fail "no cut-frame width box shows"
read -r wx wy ww wh <<<"$width"
vk_e2e_click $((wx + ww / 2)) $((wy + wh / 2))
sleep 0.3
vk_e2e_key End
vk_e2e_key ctrl+a
sleep 0.5
selection=$(win selection "$frame")
text=$(cut -f2 <<<"$selection")
[ -n "$text" ] && [ "$(cut -f1 <<<"$selection")" = "0 ${#text}" ] ||
  vk_e2e_fail "after Ctrl+A the width box holds \"$selection\""
vk_e2e_key Escape ctrl+i
sleep 0.5
[ "$(win focus "$frame" | cut -f1)" = SysListView32 ] || vk_e2e_fail "Ctrl+I took the focus to $(win focus "$frame")"
vk_e2e_key ctrl+a
sleep 0.5
[ "$(win focus "$frame")" = $'Edit\t#32770' ] || vk_e2e_fail "Ctrl+A in the list took the focus to $(win focus "$frame")"

vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
vk_e2e_log "passed"
