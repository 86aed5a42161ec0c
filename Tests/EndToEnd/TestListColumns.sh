#!/usr/bin/env bash
# The file list's details view across runs: a start in the details view shows every stored column
# at its stored width, and the exit writes the widths shown; a width typed in the options' panel
# page for a column applies (a click on the column list's empty space before "適用" included) and
# is kept, and Escape with the keyboard on the dialog's tabs closes it; a later start with shown
# columns stored 0 wide shows them at the default width.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

root="$WINEPREFIX/drive_c/VktCols"
mkdir -p "$root"
convert -size 30x30 xc:'#ff0000' "BMP3:$root/a.bmp"
convert -size 30x30 xc:'#00ff00' "BMP3:$root/b.bmp"
# A later run that left the list in the details view (its widths never written).
{
  printf '[Common Information]\r\nstrCurDir=C:\\VktCols\r\nLscFii_iModeLstViw=5\r\n'
  printf '[Application Information]\r\nbOpnSmpImg=0\r\nSopBsi_bChgDir=1\r\n'
} >"$VK_E2E_BIN/Pictavo.ini"

win() { vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" "$@" | tr -d '\r'; }
# The details view's columns as "title width" pairs in the order shown, on one line.
vk_columns() { win columns "$1" | tr '\t' ' ' | paste -sd',' | sed 's/,/, /g'; }
# vk_expect_columns FRAME COLUMNS: waits until the list shows these columns.
vk_expect_columns() { vk_e2e_until_is "the list shows the columns" "$2" vk_columns "$1"; }
# The ini's six column widths on one line.
vk_ini_widths()
{
  local i out=
  for i in 1 2 3 4 5 6; do out+="$(vk_e2e_ini 'Common Information' "LscFii_iWidthLstCol_$i") "; done
  echo "${out% }"
}
# The modified time's column is as wide as a time at its default width: the run's own figure.
vk_time_width() { win columns "$1" | awk -F'\t' '$1 == "更新日時" { print $2 }'; }

# ---- The first start: every column at its stored (default) width ----
vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
until=$((SECONDS + 20))
until [ -n "$(vk_time_width "$frame")" ]; do
  [ $SECONDS -lt $until ] || vk_e2e_fail "the list shows no details view"
  sleep 0.3
done
time=$(vk_time_width "$frame")
[ "$time" -ge 120 ] || vk_e2e_fail "the modified time's column is $time wide"
vk_expect_columns "$frame" "名前 120, 種類 120, サイズ 120, 更新日時 $time"
vk_e2e_idle "$frame"
vk_e2e_shot details

# ---- The panel page: 80 typed for "更新日時", the list's empty space clicked, applied ----
vk_e2e_key alt+t
sleep 0.4
vk_e2e_key o
dialog=$(vk_e2e_wait_window '#32770' '^オプション設定$')
sleep 1
read -r x y w h < <(win tabs "$dialog" | head -1)
xdotool mousemove $((x + 20)) $((y + 8)) click 3
vk_e2e_wait_line '#32768' '' >/dev/null
sleep 0.3
vk_e2e_key n
sleep 0.5
read -r lx ly lw lh < <(vk_e2e_children "$dialog" | awk -F'\t' '$1 == "SysListView32" { print $2; exit }')
[ -n "${lh:-}" ] || vk_e2e_fail "the panel page shows no column list"
line=$(win items "$dialog" | awk -F'\t' '$1 == "更新日時" { print $2 }')
read -r ix iy iw ih <<<"$line"
[ -n "${ih:-}" ] || vk_e2e_fail "the column list holds no 更新日時"
vk_e2e_click $((ix + 40)) $((iy + ih / 2))
sleep 0.4
# The width box: the page's edit on the row of its label, the lowest one.
read -r ex ey ew eh < <(vk_e2e_children "$dialog" | awk -F'\t' '$1 == "Edit" { split($2, r, " "); if (r[2] > y) { y = r[2]; box = $2 } } END { print box }')
vk_e2e_click $((ex + ew / 2)) $((ey + eh / 2))
vk_e2e_key End shift+Home
xdotool type --delay 20 "80"
sleep 0.3
vk_e2e_click $((lx + lw / 2)) $((ly + lh - 6))
sleep 0.5
vk_e2e_shot typed
vk_e2e_click $(win button "$dialog" 17684)
sleep 1
vk_e2e_shot applied
box=$(vk_e2e_find '#32770' '^Pictavo$')
if [ -n "$box" ]; then
  text=$(win text "$(cut -f1 <<<"$box")" | paste -sd' ')
  vk_e2e_fail "Apply said \"$text\""
fi
vk_expect_columns "$frame" "名前 120, 種類 120, サイズ 120, 更新日時 80"
# The "パネル設定" tab clicked, so the tab strip has the keyboard: Escape closes the dialog.
read -r x y w h < <(win tab-rects "$dialog" | sed -n 3p | tr -d '\t')
[ -n "${h:-}" ] || vk_e2e_fail "the dialog shows no second tab"
vk_e2e_click $((x + w / 2)) $((y + h / 2))
sleep 0.5
[ "$(win focus "$dialog" | cut -f1)" = SysTabControl32 ] || vk_e2e_fail "the keyboard is in $(win focus "$dialog")"
vk_e2e_key Escape
until=$((SECONDS + 10))
while [ -n "$(vk_e2e_find '#32770' '^オプション設定$')" ]; do
  [ $SECONDS -lt $until ] || vk_e2e_fail "Escape on the tabs left the dialog open"
  sleep 0.3
done
vk_e2e_idle "$frame"
vk_e2e_shot details-80

# ---- The exit writes the widths shown ----
vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
widths=$(vk_ini_widths)
[ "$widths" = "120 120 120 80 120 120" ] || vk_e2e_fail "the ini keeps the widths $widths"

# ---- The next start shows them; shown columns stored 0 wide take the default width ----
# vk_run_showing NAME COLUMNS: a start that shows these columns, then its exit.
vk_run_showing()
{
  vk_e2e_start "$1"
  local pid=${!1} frame
  frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
  vk_expect_columns "$frame" "$2"
  vk_e2e_idle "$frame"
  vk_e2e_close "$frame"
  vk_e2e_wait_exit "$pid"
}
vk_run_showing second "名前 120, 種類 120, サイズ 120, 更新日時 80"
ini="$VK_E2E_BIN/Pictavo.ini"
for i in 1 2 3; do sed -i -e "s/^LscFii_iWidthLstCol_$i=[0-9]*/LscFii_iWidthLstCol_$i=0/" "$ini"; done
[ "$(vk_ini_widths)" = "0 0 0 80 120 120" ] || vk_e2e_fail "the ini was not damaged: $(vk_ini_widths)"
vk_run_showing third "名前 120, 種類 120, サイズ 120, 更新日時 80"
widths=$(vk_ini_widths)
[ "$widths" = "120 120 120 80 120 120" ] || vk_e2e_fail "the third run wrote the widths $widths"
vk_e2e_log "passed"
