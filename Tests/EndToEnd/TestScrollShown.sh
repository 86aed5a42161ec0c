#!/usr/bin/env bash
# A photo zoomed in, its cut frame shown, scrolled by the arrow keys and the wheel: the drawing
# area then shows, pixel for pixel, what it shows once the frame has been painted whole again.
# The same after zooming back out to about 60 %.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

dir=$VK_E2E_TMP/img
mkdir -p "$dir"
convert -size 900x700 -seed 4 plasma:fractal "$dir/photo.png"
printf '[Application Information]\r\nbOpnSmpImg=0\r\nPoiFri_iMode=1\r\n' >"$VK_E2E_BIN/Pictavo.ini"
vk_e2e_open_image first "$dir/photo.png"
# The frame switch: 画像(&I), 切り取り枠の表示切り替え(&F).
vk_e2e_key alt+i
sleep 0.5
vk_e2e_key f
sleep 1

# expect_as_repainted NAME: the area scrolled against the area painted whole.
expect_as_repainted()
{
  sleep 1
  vk_e2e_shot "$1"
  vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" repaint "$frame" || vk_e2e_fail "the frame cannot be repainted"
  sleep 2
  vk_e2e_shot "$1-repainted"
  local differ
  vk_e2e_area_of "$1"
  vk_e2e_area_of "$1-repainted"
  differ=$(vk_e2e_differ "$VK_E2E_OUT/$1-area.png" "$VK_E2E_OUT/$1-repainted-area.png")
  vk_e2e_log "$1: $differ pixels differ"
  [ "$differ" = 0 ] || vk_e2e_fail "$1: $differ pixels differ from the area painted whole"
}

for _ in $(seq 20); do
  vk_e2e_key plus
  sleep 0.2
done
for key in Right Right Down Left Down Right Up Down; do
  vk_e2e_key "$key"
  sleep 0.3
done
xdotool mousemove $((ax + aw / 2)) $((ay + ah / 2)) click 5 click 5 click 4
expect_as_repainted zoomed

for _ in $(seq 15); do
  vk_e2e_key minus
  sleep 0.2
done
for key in Right Right Left Right; do
  vk_e2e_key "$key"
  sleep 0.3
done
expect_as_repainted reduced
vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
