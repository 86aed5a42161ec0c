#!/usr/bin/env bash
# The preview and operation panels of Pictavo.exe with the preview in its panel: clicks in the
# file list show each image in the preview; Ctrl+C there gives a second process the bitmap;
# Ctrl+P with the preview focused prints it and its header to the PDF queue. "固定サイズ" clicked
# and a width of 320 typed with no page open are in Pictavo.ini after the exit, and the next
# run's page opens in that mode.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

root="$WINEPREFIX/drive_c/VktPrv"
mkdir -p "$root"
convert -size 120x90 xc:'#ff0000' "BMP3:$root/1red.bmp"
convert -size 90x120 xc:'#00ff00' "BMP3:$root/2green.bmp"
convert -size 60x60 xc:'#0000ff' "BMP3:$root/3blue.bmp"
{
  printf '[Common Information]\r\nstrCurDir=C:\\VktPrv\r\nLscFii_iModeLstViw=1\r\n'
  printf '[Application Information]\r\nbOpnSmpImg=0\r\nSopBsi_bChgDir=1\r\nSopPni_bPrvImgTab=0\r\nPoiFri_iMode=1\r\n'
  printf 'PoiPri_bHeader=1\r\nPoiPri_iMode=4\r\n'
} >"$VK_E2E_BIN/Pictavo.ini"

# vk_child FRAME CLASS TEXT: "x y w h" of the frame's first visible descendant of that class and
# text.
vk_child() { vk_e2e_children "$1" | awk -F'\t' -v c="$2" -v t="$3" '$1 == c && $3 == t { print $2; exit }'; }
# The preview's drawing area: with no page open the largest edit of the frame.
vk_preview()
{
  vk_e2e_children "$1" | awk -F'\t' '$1 == "Edit" { split($2, r, " "); if (r[3] * r[4] > best) { best = r[3] * r[4]; line = $2 } }
    END { print line }'
}
centre() { local x y w h; read -r x y w h <<<"$1"; echo "$((x + w / 2)) $((y + h / 2))"; }
# colour_at PNG X Y: the pixel as #RRGGBB.
colour_at() { convert "$1" -format "#%[hex:p{$2,$3}]" info: | cut -c1-7; }

vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
until=$((SECONDS + 20))
until [ "$(vk_e2e_items "$frame" | wc -l)" -eq 3 ]; do
  [ $SECONDS -lt $until ] || vk_e2e_fail "the list holds $(vk_e2e_items "$frame" | cut -f1 | paste -sd' ')"
  sleep 0.3
done
vk_e2e_idle "$frame" 0.5
area=$(vk_preview "$frame")
[ -n "$area" ] || vk_e2e_fail "no preview area shows"
read -r ax ay aw ah <<<"$area"

# Each click shows its image in the preview's top-left corner, at 1:1.
for entry in "1 #FF0000" "2 #00FF00" "3 #0000FF"; do
  set -- $entry
  read -r x y w h < <(vk_e2e_items "$frame" | sed -n "${1}p" | cut -f2)
  vk_e2e_click $((x + w / 2)) $((y + h / 2))
  vk_e2e_idle "$frame" 0.5
  # Under load the preview can be painted after the frame reports rest: the screen is taken
  # again for a few seconds until the image shows.
  until=$((SECONDS + 10))
  while vk_e2e_shot "picked$1"; seen=$(colour_at "$VK_E2E_OUT/picked$1.png" $((ax + 25)) $((ay + 25)))
    [ "$seen" != "$2" ]; do
    [ $SECONDS -lt $until ] || vk_e2e_fail "item $1 shows $seen in the preview, not $2"
    sleep 0.5
  done
done

# Ctrl+C with the preview's area focused: a second process reads the bitmap.
vk_e2e_click $((ax + 20)) $((ay + 20))
sleep 0.5
vk_e2e_key ctrl+c
until=$((SECONDS + 10))
until sleep 0.5 && vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" save-bitmap "$(vk_e2e_path "$VK_E2E_OUT/clipboard.bmp")"; do
  [ $SECONDS -lt $until ] || vk_e2e_fail "no bitmap on the clipboard"
done
[ "$(identify -format '%w %h' "$VK_E2E_OUT/clipboard.bmp")" = "60 60" ] ||
  vk_e2e_fail "the clipboard's bitmap is $(identify -format '%w x %h' "$VK_E2E_OUT/clipboard.bmp")"
[ "$(colour_at "$VK_E2E_OUT/clipboard.bmp" 30 30)" = "#0000FF" ] || vk_e2e_fail "the clipboard's bitmap is not blue"

# Ctrl+P there prints the preview (OK in the print dialog): its header (the path, as every run
# starts with an empty header text) above the blue square. The job is the new PDF of the shared
# queue that holds the square.
spool=/var/spool/cups-pdf/root
mark=$VK_E2E_TMP/mark
touch "$mark"
vk_e2e_key ctrl+p
vk_e2e_wait_box '印刷'
vk_e2e_shot print-dialog
vk_e2e_press "$VK_BOX" 1
blue=0
until=$((SECONDS + 90))
while [ "$blue" -le 5000 ] && [ $SECONDS -lt $until ]; do
  sleep 1
  for f in $(find "$spool" -maxdepth 1 -name '*.pdf' -newer "$mark" 2>/dev/null); do
    sleep 0.5
    pdftoppm -r 72 -png -singlefile "$f" "$VK_E2E_OUT/printed" 2>/dev/null || continue
    blue=$(convert "$VK_E2E_OUT/printed.png" -fuzz 10% -fill white +opaque '#0000FF' -fill black -opaque '#0000FF' \
      -format '%[fx:int(w*h*(1-mean))]' info:)
    [ "$blue" -le 5000 ] || break
  done
done
[ "$blue" -gt 5000 ] || vk_e2e_fail "no printed page shows the blue square"
# The header's dark text in the band above the square.
top=$(convert "$VK_E2E_OUT/printed.png" -fuzz 10% -fill black +opaque '#0000FF' -fill white -opaque '#0000FF' -trim \
  -format '%Y' info: | tr -d '+')
[ "$top" -gt 2 ] || vk_e2e_fail "the square starts at the page's top ($top)"
dark=$(convert "$VK_E2E_OUT/printed.png" -crop "x${top}+0+0" +repage -colorspace gray -threshold 70% -negate \
  -format '%[fx:int(w*h*mean)]' info:)
[ "$dark" -gt 50 ] || vk_e2e_fail "no header above the square ($dark dark pixels)"
vk_e2e_log "printed: $blue blue pixels, a header of $dark dark pixels"

# "固定サイズ", then the width typed: the focus went to the width edit, Tab leaves it.
fixed=$(vk_child "$frame" Button "固定サイズ")
[ -n "$fixed" ] || vk_e2e_fail "the operation panel shows no 固定サイズ"
vk_e2e_click $(centre "$fixed")
sleep 1
vk_e2e_key End shift+Home BackSpace 3 2 0 Tab
sleep 1
vk_e2e_shot panels
vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
[ "$(vk_e2e_ini 'Application Information' PoiFri_iMode)" = 2 ] || vk_e2e_fail "the fixed size is not stored"
[ "$(vk_e2e_ini 'Application Information' PoiFri_iWidth)" = 320 ] || vk_e2e_fail "the width 320 is not stored"

vk_e2e_start second "C:\\VktPrv\\1red.bmp"
frame=$(vk_e2e_wait_window '^Afx:' '1red\.bmp$')
vk_e2e_idle "$frame" 0.5
vk_e2e_shot page
vk_e2e_close "$frame"
vk_e2e_wait_exit "$second"
[ "$(vk_e2e_ini 'Application Information' PoiFri_iMode)" = 2 ] || vk_e2e_fail "the page left the fixed size"
vk_e2e_log "passed"
