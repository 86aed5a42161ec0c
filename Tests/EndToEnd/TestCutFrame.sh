#!/usr/bin/env bash
# The cut frame on an image page: a 1200 x 800 image of four colours in free mode shows, after
# the menu's frame switch, an inverted outline at 0.8 of the visible image, centred; dragging its
# right edge moves that edge with the pointer; a right drag to the right selects the next tab and
# one to the left the previous tab. With the default settings (fixed ratio from the page set-up)
# the frame has the ratio of A4 landscape and, after a portrait page set-up chosen in the
# dialog, that of A4 portrait.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

dir=$VK_E2E_TMP/img
mkdir -p "$dir"
# Red, lime / blue, black: the inverting pen shows cyan, magenta / yellow, white.
convert \( -size 600x400 xc:red xc:lime +append \) \( -size 600x400 xc:blue xc:black +append \) -append \
  "$dir/four.png"
convert -size 300x200 xc:gray50 "$dir/other.png"

# vk_frame_box PNG "x y w h": the outline's bounding box inside the rectangle ("x y w h" in it),
# from the colours the inverting pen gives over red, lime and blue.
vk_frame_box()
{
  local png=$1 rect=$2 c x y w h l=99999 t=99999 r=-1 b=-1
  for c in '#00FFFF' '#FF00FF' '#FFFF00'; do
    read -r x y w h < <(vk_e2e_box "$png" "$rect" "$c" '%X %Y %w %h') || continue
    [ -n "$w" ] && [ "$w" -gt 0 ] || continue
    ((x < l)) && l=$x
    ((y < t)) && t=$y
    ((x + w > r)) && r=$((x + w))
    ((y + h > b)) && b=$((y + h))
  done
  [ "$r" -ge 0 ] || return 1
  echo "$l $t $((r - l)) $((b - t))"
}

# vk_image_box PNG "x y w h": the image's bounding box inside the rectangle, from its red, lime
# and blue quarters.
vk_image_box()
{
  local png=$1 rect=$2 x y w h lw bh
  read -r x y w h < <(vk_e2e_box "$png" "$rect" '#FF0000' '%X %Y %w %h')
  read -r _ _ lw _ < <(vk_e2e_box "$png" "$rect" '#00FF00' '%X %Y %w %h')
  read -r _ _ _ bh < <(vk_e2e_box "$png" "$rect" '#0000FF' '%X %Y %w %h')
  echo "$x $y $((w + lw)) $((h + bh))"
}

near() { local d=$(($1 - $2)); [ "${d#-}" -le "$3" ]; }

# The menu's frame switch, 画像(&I) and 切り取り枠の表示切り替え(&F); then a screenshot NAME.
frame_switch()
{
  vk_e2e_key alt+i
  sleep 0.5
  vk_e2e_key f
  sleep 1
  vk_e2e_shot "$1"
}

# expect_ratio NAME RATIO: the frame of screenshot NAME has that ratio within 1 %.
expect_ratio()
{
  local fx fy fw fh ratio
  read -r fx fy fw fh < <(vk_frame_box "$VK_E2E_OUT/$1.png" "$area") || vk_e2e_fail "no frame in $1"
  ratio=$(awk -v w="$fw" -v h="$fh" 'BEGIN { printf "%.4f", w / h }')
  vk_e2e_log "$1 frame $fw x $fh ($ratio)"
  awk -v r="$ratio" -v e="$2" 'BEGIN { exit !(r > e * 0.99 && r < e * 1.01) }' ||
    vk_e2e_fail "the frame's ratio $ratio in $1 is not $2"
}

# ---- Free mode ----
printf '[Application Information]\r\nbOpnSmpImg=0\r\nPoiFri_iMode=1\r\n' >"$VK_E2E_BIN/Pictavo.ini"
vk_e2e_start first "$(vk_e2e_path "$dir/four.png")" "$(vk_e2e_path "$dir/other.png")"
frame=$(vk_e2e_wait_window '^Afx:' 'four\.png$')
sleep 2
area=$(vk_e2e_area "$frame")
[ -n "$area" ] || vk_e2e_fail "no drawing area shows"
read -r ax ay aw ah <<<"$area"
vk_e2e_shot before
read -r ix iy iw ih < <(vk_image_box "$VK_E2E_OUT/before.png" "$area")
vk_e2e_log "image $ix $iy $iw x $ih in $area"
[ "$iw" -gt 100 ] && [ "$ih" -gt 60 ] || vk_e2e_fail "the image does not show ($iw x $ih)"

frame_switch frame
box=$(vk_frame_box "$VK_E2E_OUT/frame.png" "$area") || vk_e2e_fail "no frame shows"
read -r fx fy fw fh <<<"$box"
vk_e2e_log "frame $fx $fy $fw x $fh"
for pair in "$fw $((iw * 8 / 10))" "$fh $((ih * 8 / 10))" "$((2 * fx + fw)) $((2 * ix + iw))" \
  "$((2 * fy + fh)) $((2 * iy + ih))"; do
  # Centres are compared doubled: one pixel of each is two.
  near $pair 2 || vk_e2e_fail "the frame $box is not 0.8 of the image $ix $iy $iw $ih, centred"
done

# The right edge dragged 40 pixels to the right follows the pointer.
px=$((ax + fx + fw - 1)) py=$((ay + fy + fh / 2))
xdotool mousemove "$px" "$py" mousedown 1
sleep 0.3
xdotool mousemove $((px + 20)) "$py"
sleep 0.2
xdotool mousemove $((px + 40)) "$py"
sleep 0.3
xdotool mouseup 1
sleep 0.5
vk_e2e_shot dragged
box=$(vk_frame_box "$VK_E2E_OUT/dragged.png" "$area") || vk_e2e_fail "the frame went with the drag"
read -r gx gy gw gh <<<"$box"
vk_e2e_log "dragged $gx $gy $gw x $gh"
near "$gx" "$fx" 0 && near "$gw" $((fw + 40)) 1 && near "$gh" "$fh" 0 ||
  vk_e2e_fail "the right edge did not follow: $fx $fy $fw $fh to $box"

# Right drags of 160 pixels through the middle of the area: to the right the next tab, to the
# left the previous one.
right_drag()
{
  local y=$((ay + ah / 2)) mid=$((ax + aw / 2))
  xdotool mousemove $((mid - $1 * 80)) "$y" mousedown 3 mousemove "$mid" "$y"
  sleep 0.2
  xdotool mousemove $((mid + $1 * 80)) "$y" mouseup 3
}
right_drag 1
vk_e2e_wait_window '^Afx:' 'other\.png$' 10 >/dev/null
right_drag -1
vk_e2e_wait_window '^Afx:' 'four\.png$' 10 >/dev/null
sleep 1
vk_e2e_shot gestures
vk_frame_box "$VK_E2E_OUT/gestures.png" "$area" >/dev/null || vk_e2e_fail "the frame is not shown again"

vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"

# ---- The defaults: fixed ratio from the page set-up ----
printf '[Application Information]\r\nbOpnSmpImg=0\r\n' >"$VK_E2E_BIN/Pictavo.ini"
vk_e2e_start second "$(vk_e2e_path "$dir/four.png")"
frame=$(vk_e2e_wait_window '^Afx:' 'four\.png$')
sleep 2
area=$(vk_e2e_area "$frame")
frame_switch landscape
expect_ratio landscape 1.4142 # A4 landscape, all of it printable

# The page set-up: 頁レイアウトの設定(&U) in the file menu, portrait, OK.
vk_e2e_key alt+f
sleep 0.5
vk_e2e_key u
line=$(vk_e2e_wait_line '#32770' '.')
dialog=$(cut -f1 <<<"$line")
vk_e2e_shot page-setup
point=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" button "$dialog" 1056 2>/dev/null | tr -d '\r') ||
  vk_e2e_fail "the page set-up dialog has no portrait button"
vk_e2e_click $point
sleep 0.3
vk_e2e_press "$dialog" 1
sleep 1
vk_e2e_shot portrait
expect_ratio portrait 0.7071

vk_e2e_close "$frame"
vk_e2e_wait_exit "$second"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
[ "$(vk_e2e_ini 'Application Information' PoiPri_iOrientation)" = 4 ] || vk_e2e_fail "the orientation is not kept"
vk_e2e_log "passed"
