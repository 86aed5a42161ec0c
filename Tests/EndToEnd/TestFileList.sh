#!/usr/bin/env bash
# The file list: a start whose tree shows a folder of coloured images shows their thumbnails in
# their items' places; the details view chosen from the View menu sorts by size when the size
# column is clicked; End picks the last file and Return opens it as a page, which stays in front
# while the list keeps the keyboard; each of the five views shows every item inside the list; a
# double click on a folder makes the tree select it and the list show it.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

root="$WINEPREFIX/drive_c/VktList"
mkdir -p "$root/sub"
convert -size 300x300 xc:'#ff0000' "BMP3:$root/1red.bmp"
convert -size 20x20 xc:'#00ff00' "BMP3:$root/2green.bmp"
convert -size 100x100 xc:'#0000ff' "BMP3:$root/3blue.bmp"
convert -size 40x40 xc:'#ffff00' "BMP3:$root/sub/s.bmp"
# Narrow columns: the panel shows the size column (the third) without scrolling.
{
  printf '[Common Information]\r\nstrCurDir=C:\\VktList\r\nLscFii_iModeLstViw=1\r\n'
  for i in 1 2 3 4 5 6; do printf 'LscFii_iWidthLstCol_%d=50\r\n' "$i"; done
  printf '[Application Information]\r\nbOpnSmpImg=0\r\nSopBsi_bChgDir=1\r\n'
} >"$VK_E2E_BIN/Pictavo.ini"

vk_names() { vk_e2e_items "$1" | cut -f1 | paste -sd' '; }
# vk_expect_names FRAME NAMES: waits until the list holds these names in this order.
vk_expect_names() { vk_e2e_until_is "the list holds" "$2" vk_names "$1"; }

vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
vk_expect_names "$frame" "sub 1red.bmp 2green.bmp 3blue.bmp"
vk_e2e_idle "$frame"

# Each colour shows inside its own item's icon cell. The list's worker draws the thumbnails after
# the frame is idle: the screen is taken again until all three show (or the time is up).
vk_thumbnails_shown()
{
  local entry x y w h box bw bh
  for entry in "2 #ff0000" "3 #00ff00" "4 #0000ff"; do
    set -- $entry
    read -r x y w h < <(vk_e2e_items "$frame" | sed -n "${1}p" | cut -f2)
    box=$(vk_e2e_box "$VK_E2E_OUT/thumbnails.png" "$x $y $w $h" "$2")
    read -r bw bh <<<"$box"
    [ "${bw:-0}" -ge 15 ] && [ "${bh:-0}" -ge 15 ] || { VK_MISSING="item $1 shows $2 in a box of ${box:-nothing} (icon $x $y $w $h)"; return 1; }
  done
}
until=$((SECONDS + 60))
until vk_e2e_shot thumbnails && vk_thumbnails_shown; do
  [ $SECONDS -lt $until ] || vk_e2e_fail "$VK_MISSING"
  sleep 0.5
done

# The details view from the View menu; the size column's header clicked.
vk_e2e_key alt+v
sleep 0.3
vk_e2e_key d
read -r hx hy hw hh < <(vk_e2e_children "$frame" | awk -F'\t' '$1 == "SysHeader32" { print $2; exit }')
[ -n "${hx:-}" ] || vk_e2e_fail "no header: the details view did not show"
vk_e2e_idle "$frame"
vk_e2e_shot details
vk_e2e_click $((hx + 125)) $((hy + hh / 2))
vk_expect_names "$frame" "sub 2green.bmp 3blue.bmp 1red.bmp"
vk_e2e_idle "$frame"
vk_e2e_shot by-size

# End picks the last file, Return opens it as a page of its own.
vk_e2e_key ctrl+i
sleep 0.5
vk_e2e_key End
sleep 1
[ "$(vk_e2e_items "$frame" | tail -1 | cut -f3)" = 1 ] || vk_e2e_fail "End did not select the last item"
vk_e2e_key Return
until=$((SECONDS + 20))
until vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" tabs "$frame" 2>/dev/null | tr -d '\r' | grep -qx $'\t1red.bmp'; do
  [ $SECONDS -lt $until ] || vk_e2e_fail "no page 1red.bmp: $(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" tabs "$frame" | tr '\r\n' '  ')"
  sleep 0.3
done
vk_e2e_idle "$frame"
vk_e2e_shot opened
read -r x y w h < <(vk_e2e_area "$frame")
box=$(vk_e2e_box "$VK_E2E_OUT/opened.png" "$x $y $w $h" '#ff0000')
[ "${box%% *}" -ge 50 ] || vk_e2e_fail "the page shows red in a box of ${box:-nothing}"
# The page opened is the one in front (the release of Return does not bring "選択画像" back);
# the list keeps the keyboard, so Up walks on in it.
current=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" current "$frame" | tr -d '\r' | cut -f2)
[ "$current" = 1red.bmp ] || vk_e2e_fail "after Return the page in front is \"$current\""
focus=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" focus "$frame" | tr -d '\r' | cut -f1)
[ "$focus" = SysListView32 ] || vk_e2e_fail "after Return the keyboard is in $focus"
vk_e2e_key Up
sleep 1
[ "$(vk_e2e_items "$frame" | awk -F'\t' '$3 == 1 { print $1 }')" = 3blue.bmp ] || vk_e2e_fail "Up did not walk the list"

# Every view shows every item inside the list (the icon view once put them 32000 pixels away).
read -r lx ly lw lh < <(vk_e2e_children "$frame" | awk -F'\t' '$1 == "SysListView32" { print $2; exit }')
for mode in 0 1 2 3 4; do
  vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" command "$frame" $((0xC0EB + mode))
  sleep 1
  vk_e2e_idle "$frame" 0.3
  vk_e2e_shot "view$mode"
  n=0
  while IFS=$'\t' read -r name rect selected; do
    read -r x y w h <<<"$rect"
    n=$((n + 1))
    [ "$x" -ge "$lx" ] && [ "$y" -ge "$ly" ] && [ $((x + w)) -le $((lx + lw)) ] && [ $((y + h)) -le $((ly + lh)) ] ||
      vk_e2e_fail "view $mode shows $name at $rect, outside the list at $lx $ly $lw $lh"
    colours=$(convert "$VK_E2E_OUT/view$mode.png" -crop "${w}x${h}+${x}+${y}" +repage -format %k info:)
    [ "$colours" -gt 1 ] || vk_e2e_fail "view $mode shows nothing for $name"
  done < <(vk_e2e_items "$frame")
  [ "$n" -eq 4 ] || vk_e2e_fail "view $mode holds $n items"
done

# A double click on the folder: the tree selects it and the list shows it.
read -r x y w h < <(vk_e2e_items "$frame" | sed -n 1p | cut -f2)
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click --repeat 2 --delay 80 1
vk_expect_names "$frame" "s.bmp"
tree=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" tree "$frame" 2>/dev/null | tr -d '\r' | tail -1)
[ "$tree" = $'\tsub' ] || vk_e2e_fail "the tree selects \"$tree\", not sub"
vk_e2e_shot folder

vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
[ "$(vk_e2e_ini 'Common Information' LscFii_iModeLstViw)" = 5 ] ||
  vk_e2e_fail "the view mode kept is $(vk_e2e_ini 'Common Information' LscFii_iModeLstViw)"
vk_e2e_log "passed"
