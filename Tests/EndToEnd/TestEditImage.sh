#!/usr/bin/env bash
# Changing a page's image: a 64 x 32 image, red left and blue right, shown at 100 %. The menu's
# 90 degree turn stacks the halves (red on top); Ctrl+Z shows the first screenshot's drawing area
# again exactly; the convert-size dialog at 50 % (its stored percentage), confirmed with "実行",
# gives 32 x 16; the frame switched on (free mode) and Ctrl+X crop the page to the frame, and a
# second process reads exactly the frame's pixels from the clipboard. From the operation panel's
# 枠表示 Ctrl+C copies the page's image; in the file-command panel's interval box the Edit
# menu selects all and pastes, and the box keeps the keyboard.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

dir=$VK_E2E_TMP/img
mkdir -p "$dir"
convert -size 32x32 xc:red xc:blue +append "$dir/halves.png"
printf '[Application Information]\r\nbOpnSmpImg=0\r\nPoiFri_iMode=1\r\nSopShi_iModeSca=1\r\nSopShi_lScaNum=1\r\nSopShi_lScaDen=1\r\nCnvSzi_iTypSca=1\r\nCnvSzi_dScale=0.5\r\n' \
  >"$VK_E2E_BIN/Pictavo.ini"

# expect_box NAME COLOUR "x y w h": that colour's box in the drawing area of screenshot NAME.
expect_box()
{
  local box
  box=$(vk_e2e_box "$VK_E2E_OUT/$1.png" "$area" "$2" '%X %Y %w %h')
  [ "$box" = "$3" ] || vk_e2e_fail "$1: $2 covers \"$box\", not \"$3\""
}

# frame_box NAME: the box of the frame's inverted outline in screenshot NAME ($l $t $r $b in the
# drawing area).
frame_box()
{
  local c x y w h
  l=99999 t=99999 r=-1 b=-1
  for c in '#00FFFF' '#FFFF00'; do
    read -r x y w h < <(vk_e2e_box "$VK_E2E_OUT/$1.png" "$area" "$c" '%X %Y %w %h')
    ((x < l)) && l=$x
    ((y < t)) && t=$y
    ((x + w > r)) && r=$((x + w))
    ((y + h > b)) && b=$((y + h))
  done
  [ "$r" -gt "$l" ] && [ "$b" -gt "$t" ] || vk_e2e_fail "$1: no frame shows"
}

vk_e2e_open_image first "$dir/halves.png"
# A click on the image gives its drawing area the focus, as the changes will.
vk_e2e_click $((ax + aw / 2)) $((ay + ah / 2))
sleep 1
vk_e2e_shot first
read -r ix iy _ _ < <(vk_e2e_box "$VK_E2E_OUT/first.png" "$area" '#FF0000' '%X %Y %w %h')
expect_box first '#FF0000' "$ix $iy 32 32"
expect_box first '#0000FF' "$((ix + 32)) $iy 32 32"

# 画像(&I), 90度回転(&1): the left half on top.
vk_e2e_key alt+i
sleep 0.5
vk_e2e_key 1
sleep 1.5
vk_e2e_shot turned
expect_box turned '#FF0000' "$ix $iy 32 32"
expect_box turned '#0000FF' "$ix $((iy + 32)) 32 32"

# Ctrl+Z: the drawing area as it first was, pixel for pixel.
vk_e2e_key ctrl+z
sleep 1.5
vk_e2e_shot undone
vk_e2e_area_of first
vk_e2e_area_of undone
n=$(vk_e2e_differ "$VK_E2E_OUT/first-area.png" "$VK_E2E_OUT/undone-area.png")
[ "$n" = 0 ] || vk_e2e_fail "after undo $n pixels of the drawing area differ from the first screenshot"

# 画像(&I), サイズ変換(&C)...: the dialog starts at the stored 50 %; "実行".
vk_e2e_key alt+i
sleep 0.5
vk_e2e_key c
vk_e2e_wait_box 'サイズ変換'
vk_e2e_shot convert-dialog
vk_e2e_press "$VK_BOX" 1
sleep 1.5
vk_e2e_shot converted
expect_box converted '#FF0000' "$ix $iy 16 16"
expect_box converted '#0000FF' "$((ix + 16)) $iy 16 16"

# 画像(&I), 切り取り枠の表示切り替え(&F): the inverted outline; its box is the frame.
vk_e2e_key alt+i
sleep 0.5
vk_e2e_key f
sleep 1.5
vk_e2e_shot framed
frame_box framed
vk_e2e_log "frame $l $t to $r $b, image at $ix $iy"
# The frame's pixels as the converted page showed them.
convert "$VK_E2E_OUT/converted.png" -crop "$((r - l))x$((b - t))+$((ax + l))+$((ay + t))" +repage \
  "$VK_E2E_OUT/expected.png"

# Ctrl+X: the page is the frame's part, and the clipboard holds it.
vk_e2e_key ctrl+x
sleep 1.5
vk_e2e_shot cut
vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" save-bitmap "$(vk_e2e_path "$VK_E2E_OUT/clipboard.bmp")" ||
  vk_e2e_fail "no bitmap on the clipboard"
[ "$(identify -format '%w %h' "$VK_E2E_OUT/clipboard.bmp")" = "$((r - l)) $((b - t))" ] ||
  vk_e2e_fail "the clipboard's bitmap is $(identify -format '%w x %h' "$VK_E2E_OUT/clipboard.bmp")"
n=$(vk_e2e_differ "$VK_E2E_OUT/expected.png" "$VK_E2E_OUT/clipboard.bmp")
[ "$n" = 0 ] || vk_e2e_fail "$n pixels of the clipboard's bitmap differ from the frame's"
convert "$VK_E2E_OUT/cut.png" -crop "$((r - l))x$((b - t))+$((ax + ix))+$((ay + iy))" +repage "$VK_E2E_OUT/cut-page.png"
n=$(vk_e2e_differ "$VK_E2E_OUT/expected.png" "$VK_E2E_OUT/cut-page.png")
[ "$n" = 0 ] || vk_e2e_fail "$n pixels of the cut page differ from the frame's"

# The keyboard on the operation panel's 枠表示, clicked to show the frame again (over the whole
# page now): the Edit menu is the page's, and Ctrl+C copies the page's image, not the box's value.
box=$(vk_e2e_children "$frame" | awk -F'\t' '$1 == "Button" && $3 == "枠表示" { print $2; exit }')
[ -n "$box" ] || vk_e2e_fail "no 枠表示 in the operation panel"
read -r bx by bw bh <<<"$box"
vk_e2e_click $((bx + 6)) $((by + bh / 2))
sleep 1
focus=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" focus "$frame" | tr -d '\r' | cut -f1)
[ "$focus" = Button ] || vk_e2e_fail "after the click the keyboard is in $focus"
vk_e2e_shot framed-again
frame_box framed-again
convert "$VK_E2E_OUT/cut.png" -crop "$((r - l))x$((b - t))+$((ax + l))+$((ay + t))" +repage "$VK_E2E_OUT/expected-again.png"
vk_e2e_key alt+e
sleep 1
vk_e2e_shot edit-menu-from-button
vk_e2e_key Escape Escape
sleep 0.5
vk_e2e_key ctrl+c
sleep 1
vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" save-bitmap "$(vk_e2e_path "$VK_E2E_OUT/clipboard-button.bmp")" ||
  vk_e2e_fail "Ctrl+C on 枠表示 put no bitmap on the clipboard"
n=$(vk_e2e_differ "$VK_E2E_OUT/expected-again.png" "$VK_E2E_OUT/clipboard-button.bmp")
[ "$n" = 0 ] || vk_e2e_fail "$n pixels of the bitmap Ctrl+C on 枠表示 copied differ from the frame's"

# The file-command panel's 表示間隔: 編集(&E), すべて選択(&A) selects its text; Ctrl+C copies it;
# typed over, selected again and 編集(&E), 貼り付け(&P): the copied text is back, and what is
# typed next goes into the box too.
# The box is the edit on the line of its label.
box=$(vk_e2e_children "$frame" | awk -F'\t' '
  $3 == "表示間隔" { split($2, r, " "); lx = r[1]; ly = r[2] }
  $1 == "Edit" && lx { split($2, e, " "); if (e[1] > lx && e[2] > ly - 10 && e[2] < ly + 10) { print $2; exit } }')
[ -n "$box" ] || vk_e2e_fail "no interval box in the file-command panel"
read -r ex ey ew eh <<<"$box"
vk_e2e_click $((ex + 2)) $((ey + eh / 2))
sleep 0.5
selection() { vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" selection "$frame" | tr -d '\r'; }
interval=$(selection | cut -f2)
vk_e2e_key alt+e
sleep 0.5
vk_e2e_key a
sleep 0.5
[ "$(selection)" = "0 ${#interval}"$'\t'"$interval" ] || vk_e2e_fail "select all left \"$(selection)\""
vk_e2e_key ctrl+c 5
sleep 0.5
[ "$(selection | cut -f2)" = 5 ] || vk_e2e_fail "typed over, the box holds \"$(selection)\""
for key in a p; do
  vk_e2e_key alt+e
  sleep 0.5
  vk_e2e_key "$key"
  sleep 0.5
done
vk_e2e_key 0
sleep 0.5
[ "$(selection | cut -f2)" = "${interval}0" ] || vk_e2e_fail "pasted and typed on, the box holds \"$(selection)\""

vk_e2e_close "$frame"
# A question about the changed page, should there be one, is answered "いいえ".
sleep 2
line=$(vk_e2e_find '#32770' '^Pictavo$')
[ -z "$line" ] || vk_e2e_press "$(cut -f1 <<<"$line")" 7
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
vk_e2e_log "passed"
