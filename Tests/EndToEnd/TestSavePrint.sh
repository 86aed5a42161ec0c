#!/usr/bin/env bash
# Saving and printing pages as a person does: a 16 x 16 red image pasted by another process
# becomes a page, saved by the File menu's save and its dialog as PNG under a name with 表: the
# file holds the pixels and the tab takes the name. A turned page asks before its tab closes;
# "実行" in the print dialog gives a PDF page of a four-colour image, its header in the stored
# font Nimbus Sans, a face without TrueType outlines that the printer driver cannot take (the
# program died in the driver); Alt+F4 with a pasted page never saved asks too, and the frame
# stays on "キャンセル".
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

dir=$VK_E2E_TMP/img
mkdir -p "$dir"
# The job takes the file's name as its title, and cups-pdf names its PDF after that.
job=VkE2ePrt$$
convert -size 40x20 xc:red xc:lime +append \( -size 40x20 xc:blue xc:black +append \) -append "$dir/$job.png"
# The header font: a LOGFONTA of "Nimbus Sans", 40 pixels high, and 4 bytes, in hexadecimal.
nimbus=D8FFFFFF0000000000000000000000009001000000000000000000004E696D6275732053616E7300000000000000000000000000000000000000000000000000
printf '[Application Information]\r\nbOpnSmpImg=0\r\nSopShi_iModeSca=1\r\nSopShi_lScaNum=1\r\nSopShi_lScaDen=1\r\nPoiPri_bOmtDlgPrt=0\r\nPoiPri_iMode=4\r\nPoiPri_bHeader=1\r\nPoiPri_amLogFontHdr=%s\r\n' \
  "$nimbus" >"$VK_E2E_BIN/Pictavo.ini"

vk_tabs() { vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" tabs "$frame" | tr -d '\r' | grep $'^\t' | tr -d '\t' | paste -sd' '; }

# paste: the other process's red image pasted into a new page, its drawing area focused.
paste_red()
{
  vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" copy-bitmap || vk_e2e_fail "no bitmap put on the clipboard"
  vk_e2e_click $((ax + aw / 2)) $((ay + ah / 2))
  sleep 0.5
  vk_e2e_key ctrl+v
  sleep 2
  vk_e2e_click $((ax + aw / 2)) $((ay + ah / 2))
  sleep 0.5
}

vk_e2e_open_image first "$dir/$job.png"
paste_red
[ "$(vk_tabs | wc -w)" = 2 ] || vk_e2e_fail "the paste made no page: tabs $(vk_tabs)"

# ファイル(&F), 保存(&S)...: the save dialog, the name typed and PNG chosen.
vk_e2e_key alt+f
sleep 0.5
vk_e2e_key s
dialog=$(vk_e2e_wait_window '#32770' '保存')
sleep 1
vk_e2e_shot save-dialog
target=$dir/表.png
# The name box: the folder typed and entered, then the name.
vk_name()
{
  vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" set-text "$dialog" 1152 "$1" ||
    vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" set-text "$dialog" 1148 "$1" ||
    vk_e2e_fail "the save dialog has no name box"
}
vk_name "$(vk_e2e_path "$dir")"
vk_e2e_key Return
sleep 1
vk_name 表.png
# The format box (the lowest list, below the system's): PNG chosen by the keyboard.
vk_e2e_last_type "$dialog"
vk_e2e_shot save-dialog-png
vk_e2e_press "$dialog" 1
sleep 2
[ -f "$target" ] || vk_e2e_fail "nothing saved as $target: $(ls "$dir")"
[ "$(identify -format '%m %w %h' "$target")" = "PNG 16 16" ] ||
  vk_e2e_fail "the saved file is $(identify -format '%m %w x %h' "$target")"
[ "$(convert "$target" -format '%[fx:minima.r] %[fx:maxima.g] %[fx:maxima.b]' info:)" = "1 0 0" ] ||
  vk_e2e_fail "the saved file is not all red"
[ "$(vk_tabs)" = "$job.png 表.png" ] || vk_e2e_fail "the tabs are: $(vk_tabs)"
ls "$dir" | grep -q -v -e "^$job.png\$" -e '^表.png$' && vk_e2e_fail "left beside the file: $(ls "$dir")"

# 画像(&I), 90度回転(&1), then ファイル(&F), 閉じる(&C): the page asks about its change;
# "キャンセル" keeps it, "いいえ" closes it unsaved.
vk_e2e_key alt+i
sleep 0.5
vk_e2e_key 1
sleep 1
for answer in 2 7; do
  vk_e2e_key alt+f
  sleep 0.5
  vk_e2e_key c
  vk_e2e_wait_box
  vk_e2e_expect_text "表.png を保存しますか？"
  [ "$answer" = 2 ] && vk_e2e_shot save-question
  vk_e2e_press "$VK_BOX" "$answer"
  sleep 1
done
[ "$(vk_tabs)" = "$job.png" ] || vk_e2e_fail "after キャンセル and いいえ the tabs are: $(vk_tabs)"
[ "$(identify -format '%w %h' "$target")" = "16 16" ] || vk_e2e_fail "the unsaved turn reached the file"

# The four-colour page: Ctrl+P, the print dialog, "実行".
vk_e2e_click $((ax + aw / 2)) $((ay + ah / 2))
sleep 0.5
vk_e2e_key ctrl+p
dialog=$(vk_e2e_wait_window '#32770' '^印刷$')
sleep 1
vk_e2e_shot print-dialog
vk_e2e_press "$dialog" 1
pdf=$(python3 -c "
import sys; sys.path.insert(0, '$VK_E2E_DIR/../Support'); import VktPdf
print(VktPdf.wait_for_pdf('$VK_PDF_DIR', '$job') or '')")
[ -n "$pdf" ] || vk_e2e_fail "no PDF of the job $job in $VK_PDF_DIR"
pdftoppm -r 20 -png "$pdf" "$VK_E2E_OUT/printed"
rm -f "$pdf"
page=$(ls "$VK_E2E_OUT"/printed*.png)
[ "$(wc -l <<<"$page")" = 1 ] || vk_e2e_fail "the PDF has $(wc -l <<<"$page") pages"
for colour in '#FF0000' '#00FF00' '#0000FF'; do
  n=$(convert "$page" -fuzz 20% -fill white +opaque "$colour" -fill black -opaque "$colour" -format '%[fx:int(w*h*(1-mean))]' info:)
  [ "$n" -gt 100 ] || vk_e2e_fail "the printed page shows $n pixels of $colour"
done
n=$(convert "$page" -crop 100%x12%+0+0 +repage -threshold 50% -negate -format '%[fx:int(w*h*mean)]' info:)
[ "$n" -gt 5 ] || vk_e2e_fail "the printed page has no header (its top shows $n dark pixels)"

# ファイル(&F), 一括印刷(&B)...: the batch dialog shows; "閉じる" prints nothing.
vk_e2e_key alt+f
sleep 0.5
vk_e2e_key b
dialog=$(vk_e2e_wait_window '#32770' '^一括印刷$')
sleep 1
vk_e2e_shot batch-dialog
vk_e2e_press "$dialog" 2

# Alt+F4 with a pasted page never saved: its question; "キャンセル" keeps the frame, "いいえ" ends.
paste_red
vk_e2e_key alt+F4
vk_e2e_wait_box
vk_e2e_expect_text "新規_2 を保存しますか？"
vk_e2e_press "$VK_BOX" 2
sleep 1
vk_e2e_running "$first" || vk_e2e_fail "the program ended on キャンセル"
[ "$(vk_tabs | wc -w)" = 2 ] || vk_e2e_fail "after キャンセル the tabs are: $(vk_tabs)"
vk_e2e_key alt+F4
vk_e2e_wait_box
vk_e2e_press "$VK_BOX" 7
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
vk_e2e_log "passed"
