#!/usr/bin/env bash
# The frame around printing, with three pages printed without the print dialog: after a print,
# after the print preview and after the batch print (一括印刷) of the three, the frame looks
# pixel for pixel as it does once every window of it has been painted again, its panels, tool
# bar and status bar showing something. The preview keeps the page's title and status line
# while it shows, and once it is closed the frame is as it was before it.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

dir=$VK_E2E_TMP/img
mkdir -p "$dir"
# Each job takes its file's name as its title, and cups-pdf names its PDF after that.
job=VkPrtFrm$$
convert -size 120x80 xc:'#C00000' "$dir/${job}a.png"
convert -size 120x80 xc:'#00A000' "$dir/${job}b.png"
convert -size 120x80 xc:'#0000C0' "$dir/${job}c.png"
printf '[Application Information]\r\nbOpnSmpImg=0\r\nPoiPri_bOmtDlgPrt=1\r\nPoiPri_iMode=4\r\n' >"$VK_E2E_BIN/Pictavo.ini"

vk_e2e_start first "$(vk_e2e_path "$dir/${job}a.png")" "$(vk_e2e_path "$dir/${job}b.png")" "$(vk_e2e_path "$dir/${job}c.png")"
frame=$(vk_e2e_wait_window '^Afx:' 'a\.png$')
vk_e2e_idle "$frame"
title=$(vk_e2e_title "$frame")
read -r fx fy fw fh < <(vk_e2e_windows | awk -F'\t' -v h="$frame" '$1 == h { print $4 }')

# vk_printed NAME: waits for the PDF of the job NAME (a file's name) and removes it.
vk_printed()
{
  local pdf
  pdf=$(python3 -c "
import sys; sys.path.insert(0, '$VK_E2E_DIR/../Support'); import VktPdf
print(VktPdf.wait_for_pdf('$VK_PDF_DIR', '$1') or '')")
  [ -n "$pdf" ] || vk_e2e_fail "no PDF of the job $1 in $VK_PDF_DIR"
  rm -f "$pdf"
}

# vk_frame_of NAME: the frame's rectangle of screenshot NAME cut out as NAME-frame.
vk_frame_of() { convert "$VK_E2E_OUT/$1.png" -crop "${fw}x${fh}+${fx}+${fy}" +repage "$VK_E2E_OUT/$1-frame.png"; }

# vk_as_fresh NAME: screenshot NAME, and NAME-fresh after every window of the frame was painted
# again; the frames must not differ, and each panel, the tool bar and the status bar show more
# than their face.
vk_as_fresh()
{
  local kids rect n part
  vk_e2e_idle "$frame"
  vk_e2e_shot "$1"
  vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" repaint "$frame" || vk_e2e_fail "the frame was not painted again"
  vk_e2e_idle "$frame"
  vk_e2e_shot "$1-fresh"
  vk_frame_of "$1"
  vk_frame_of "$1-fresh"
  n=$(vk_e2e_differ "$VK_E2E_OUT/$1-frame.png" "$VK_E2E_OUT/$1-fresh-frame.png")
  [ "$n" = 0 ] || vk_e2e_fail "$1: the frame differs from a fresh paint in $n pixels"
  kids=$(vk_e2e_children "$frame")
  for part in ToolbarWindow32 SysTreeView32 SysListView32 msctls_statusbar32 command-panel operation-panel; do
    case $part in
      # The panels of the buttons "選択画像を開く" and "一括印刷...": the dialog windows just before them.
      command-panel) rect=$(awk -F'\t' '$1 == "#32770" { last = $2 } $3 == "選択画像を開く" { print last; exit }' <<<"$kids") ;;
      operation-panel) rect=$(awk -F'\t' '$1 == "#32770" { last = $2 } $3 == "一括印刷..." { print last; exit }' <<<"$kids") ;;
      *) rect=$(grep "^$part"$'\t' <<<"$kids" | head -n 1 | cut -f2) ;;
    esac
    [ -n "$rect" ] || vk_e2e_fail "$1: no $part shows"
    read -r px py pw ph <<<"$rect"
    n=$(convert "$VK_E2E_OUT/$1.png" -crop "${pw}x${ph}+${px}+${py}" +repage -format %k info:)
    [ "$n" -gt 3 ] || vk_e2e_fail "$1: $part shows $n colours"
  done
}

# A page printed by Ctrl+P.
vk_e2e_key ctrl+p
vk_printed "${job}a.png"
vk_as_fresh printed

# The preview (ファイル(&F), 印刷プレビュー(&V)): the title and the page's status line stay; the
# frame after it is as before it.
vk_e2e_key alt+f
sleep 0.5
vk_e2e_key v
until=$((SECONDS + VK_E2E_TIMEOUT))
until vk_e2e_children "$frame" | grep -q $'\t閉じる(&C)$'; do
  [ $SECONDS -lt $until ] || vk_e2e_fail "no preview shows"
  sleep 0.3
done
vk_e2e_idle "$frame"
vk_e2e_shot preview
[ "$(vk_e2e_title "$frame")" = "$title" ] || vk_e2e_fail "the preview's frame is titled: $(vk_e2e_title "$frame")"
read -r sx sy sw sh < <(vk_e2e_children "$frame" | awk -F'\t' '$1 == "msctls_statusbar32" { print $2; exit }')
# The page's status pane: the status bar's right half.
for shot in printed preview; do
  convert "$VK_E2E_OUT/$shot.png" -crop "$((sw / 2))x${sh}+$((sx + sw / 2))+${sy}" +repage "$VK_E2E_OUT/$shot-status.png"
done
n=$(vk_e2e_differ "$VK_E2E_OUT/printed-status.png" "$VK_E2E_OUT/preview-status.png")
[ "$n" = 0 ] || vk_e2e_fail "the preview's status line differs from the page's in $n pixels"
vk_e2e_key Escape
vk_e2e_idle "$frame"
[ "$(vk_e2e_title "$frame")" = "$title" ] || vk_e2e_fail "after the preview the frame is titled: $(vk_e2e_title "$frame")"
vk_e2e_shot previewed
vk_frame_of previewed
n=$(vk_e2e_differ "$VK_E2E_OUT/printed-fresh-frame.png" "$VK_E2E_OUT/previewed-frame.png")
[ "$n" = 0 ] || vk_e2e_fail "after the preview the frame differs from before it in $n pixels"
vk_as_fresh previewed

# ファイル(&F), 一括印刷(&B)..., "実行": the three pages, then the frame whole again.
vk_e2e_key alt+f
sleep 0.5
vk_e2e_key b
dialog=$(vk_e2e_wait_window '#32770' '^一括印刷$')
sleep 1
vk_e2e_press "$dialog" 1
for page in a b c; do vk_printed "$job$page.png"; done
vk_as_fresh batch
[ "$(vk_e2e_title "$frame")" = "$title" ] || vk_e2e_fail "after the batch the frame is titled: $(vk_e2e_title "$frame")"

vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
vk_e2e_log "passed"
