#!/usr/bin/env bash
# Saving one page again and again, and Japanese typed into the operation panel. A 320 x 240 photo
# shown at 200 %: "ヘッダー試験" typed into the page header box stays those characters (the settings
# hold them at exit). Saved through the dialog as JPEG at quality 10, then at 95: the second file
# is as close to the photo as quality 95 makes it, not a copy of the first one's blocks. Return in
# the open type list only chooses the type; saved at the size shown the file is 640 x 480, and
# saved at its own size again afterwards the file is the photo itself: the page kept its pixels.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

dir=$VK_E2E_TMP/img
mkdir -p "$dir"
convert -seed 5 -size 320x240 plasma: -blur 0x2 -depth 8 -type TrueColor "$dir/photo.png"
printf '[Application Information]\r\nbOpnSmpImg=0\r\nSopShi_iModeSca=1\r\nSopShi_lScaNum=2\r\nSopShi_lScaDen=1\r\nPoiPri_bHeader=1\r\nPoiPri_bFooter=1\r\nSvi_amSavDir=%s\r\nSvi_iImgType=1\r\nSvi_lQltJpg=10\r\nSvi_bOrgSiz=1\r\nSvi_bChkExt=1\r\n' \
  "$(vk_e2e_path "$dir")" >"$VK_E2E_BIN/Pictavo.ini"

vk_e2e_open_image first "$dir/photo.png"
vk_e2e_click $((ax + aw / 2)) $((ay + ah / 2))
sleep 0.5

# vk_below TEXT: the centre of the first edit box below the panel's control of that text.
vk_below()
{
  vk_e2e_children "$frame" | awk -F'\t' -v t="$1" '
    $3 == t { split($2, c, " "); y = c[2] }
    $1 == "Edit" { split($2, r, " "); if (y && r[2] > y && (!best || r[2] < by)) { best = 1; by = r[2]; bx = r[1] + r[3] / 2; bh = r[4] } }
    END { if (best) print bx, by + bh / 2 }'
}

# focused_text: the text of the box that has the keyboard.
focused_text() { vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" selection "$frame" 2>/dev/null | tr -d '\r' | cut -f2-; }

# type_into X Y TEXT: TEXT typed as a person types it, a character at a time, each waited for in
# the box. xdotool puts each character on a spare key and Wine can read that key before its new
# key map under load, giving the character before: such a character (never one the box changed)
# is taken back and typed again.
type_into()
{
  local LC_ALL=C.UTF-8 text=$3 done="" c seen tries until
  vk_e2e_click "$1" "$2"
  sleep 0.3
  vk_e2e_key End shift+Home BackSpace
  while [ -n "$text" ]; do
    c=${text:0:1}
    text=${text:1}
    for tries in 1 2 3 4; do
      xdotool type --delay 100 "$c"
      until=$((SECONDS + 3))
      while seen=$(focused_text); [ "$seen" = "$done" ] && [ $SECONDS -lt $until ]; do sleep 0.2; done
      [ "$seen" != "$done$c" ] || break
      if [ "$seen" = "$done" ]; then
        vk_e2e_log "key map late: $c did not come, typed again"
        continue
      fi
      [ "${seen:0:${#done}}" = "$done" ] && [ "${#seen}" -eq $((${#done} + 1)) ] ||
        vk_e2e_fail "the box shows \"$seen\" after \"$done\" and $c"
      vk_e2e_log "key map late: $c came as ${seen: -1}, typed again"
      vk_e2e_key BackSpace
      until=$((SECONDS + 5))
      while [ "$(focused_text)" != "$done" ] && [ $SECONDS -lt $until ]; do sleep 0.2; done
    done
    [ "$seen" = "$done$c" ] || vk_e2e_fail "the box shows \"$seen\", not \"$done$c\""
    done=$done$c
  done
}

# The header: typed as a person types it.
read -r hx hy < <(vk_below '頁ヘッダー') || vk_e2e_fail "no header box"
type_into "$hx" "$hy" 'ヘッダー試験'
vk_e2e_shot header
vk_e2e_click $((ax + aw / 2)) $((ay + ah / 2))
sleep 0.5

# save NAME [STEP]: Ctrl+S, the name typed into the dialog's name box, STEP run in the dialog
# ($dialog), then "保存"; waits for the file.
save()
{
  vk_e2e_key ctrl+s
  dialog=$(vk_e2e_wait_window '#32770' '保存')
  sleep 1
  vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" set-text "$dialog" 1152 "$1" ||
    vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" set-text "$dialog" 1148 "$1" ||
    vk_e2e_fail "the save dialog has no name box"
  [ -z "${2:-}" ] || "$2"
  vk_e2e_press "$dialog" 1
  local until=$((SECONDS + VK_E2E_TIMEOUT))
  until [ -f "$dir/$1" ]; do
    [ $SECONDS -lt $until ] || vk_e2e_fail "nothing saved as $1: $(ls "$dir")"
    sleep 0.3
  done
  sleep 1
}
# dialog_click TEXT: a click on the dialog's control of that text.
dialog_click()
{
  local x y w h
  read -r x y w h < <(vk_e2e_children "$dialog" | awk -F'\t' -v t="$1" '$3 == t { print $2; exit }') ||
    vk_e2e_fail "no \"$1\" in the save dialog"
  vk_e2e_click $((x + w / 2)) $((y + h / 2))
  sleep 0.3
}
# The JPEG quality box (the dialog's last edit box) takes 95.
quality95()
{
  local x y w h
  read -r x y w h < <(vk_e2e_children "$dialog" | awk -F'\t' '$1 == "Edit" { box = $2 } END { print box }')
  vk_e2e_click $((x + w / 2)) $((y + h / 2))
  vk_e2e_key End BackSpace BackSpace BackSpace BackSpace
  xdotool type 95
  sleep 0.3
}
# The type list opened, PNG (its last type) chosen with End and Return: the dialog stays and
# nothing is saved yet.
png_by_keys()
{
  vk_e2e_last_type "$dialog"
  sleep 1
  [ -n "$(vk_e2e_find '#32770' '保存')" ] || vk_e2e_fail "Return in the type list closed the save dialog"
  [ ! -f "$dir/shown.png" ] || vk_e2e_fail "Return in the type list saved"
  vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" set-text "$dialog" 1152 shown.png ||
    vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" set-text "$dialog" 1148 shown.png
  dialog_click '表示しているサイズ'
  vk_e2e_shot shown-dialog
}
own_size() { dialog_click '表示倍率 100% のサイズ'; }

save q10.jpg
save q95.jpg quality95
psnr() { { compare -metric PSNR "$1" "$2" null: 2>&1 || true; } | cut -d' ' -f1; }
to_photo=$(psnr "$dir/q95.jpg" "$dir/photo.png")
to_q10=$(psnr "$dir/q95.jpg" "$dir/q10.jpg")
vk_e2e_log "quality 95 against the photo $to_photo dB, against quality 10 $to_q10 dB"
awk -v p="$to_photo" -v q="$to_q10" 'BEGIN { exit !(p > 40 && p > q + 6) }' ||
  vk_e2e_fail "the second save is $to_photo dB from the photo and $to_q10 dB from the first file"

save shown.png png_by_keys
[ "$(identify -format '%m %w %h' "$dir/shown.png")" = "PNG 640 480" ] ||
  vk_e2e_fail "the shown size was saved as $(identify -format '%m %w x %h' "$dir/shown.png")"
save own.png own_size
[ "$(identify -format '%w %h' "$dir/own.png")" = "320 240" ] ||
  vk_e2e_fail "the own size was saved as $(identify -format '%w x %h' "$dir/own.png")"
n=$(vk_e2e_differ "$dir/own.png" "$dir/photo.png")
[ "$n" = 0 ] || vk_e2e_fail "$n pixels of the last save differ from the photo"
vk_e2e_shot saved

vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
header=$(vk_e2e_ini 'Application Information' PoiPri_amHeader)
[ "$header" = 'ヘッダー試験' ] || vk_e2e_fail "the header typed is \"$header\""
vk_e2e_log "passed"
