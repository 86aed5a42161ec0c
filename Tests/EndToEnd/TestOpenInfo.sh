#!/usr/bin/env bash
# Open information across runs. A start with "-ik" and a Shift-JIS file of three rows opens their
# images: the locked row's page locked, the red and blue image turned a quarter clockwise (red
# above blue). The exit writes Pictavo.csv with the three rows in tab order; the next start, told
# to, opens them again with their turn and lock. A recent file deleted meanwhile, chosen from the
# File menu, gives "ファイルが見つかりません。" and leaves the recent files. The pages written from the File
# menu into a name typed in the save dialog hold the three rows.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

printf '[Application Information]\r\nbOpnSmpImg=0\r\n' >"$VK_E2E_BIN/Pictavo.ini"
dir=$VK_E2E_TMP/表
mkdir -p "$dir"
convert -size 120x120 xc:red xc:blue +append "$dir/wide.png"
convert -size 32x32 xc:lime xc:yellow +append "$dir/small.bmp"
convert -size 20x20 xc:magenta "$dir/third.png"
header='//*** (Version 1.02) *** 画像のフルパス名,頁ロック,回転,左右反転,上下反転,枠線モード,枠線表示,頁設定の値,'\
'横に合わせる,横,縦,用紙方向,印刷時の余白（左）,印刷時の余白（上）,印刷時の余白（右）,印刷時の余白（下）,'\
'枠線（左）,枠線（上）,枠線（右）,枠線（下）'
# Rows: path, lock, rotation, then the record's defaults.
rest=,0,0,3,0,0,1,1,1,3,0,0,0,0,0,0,0,0
printf '%s\r\n' "$header" "\"$(vk_e2e_path "$dir/wide.png")\",0,90$rest" \
  "\"$(vk_e2e_path "$dir/small.bmp")\",1,0$rest" "\"$(vk_e2e_path "$dir/third.png")\",0,0$rest" |
  iconv -f UTF-8 -t CP932 >"$VK_E2E_TMP/open.csv"
csv=$VK_E2E_BIN/Vkt/Pictavo.csv

# vk_tabs FRAME: the titles of the frame's tab control with the most tabs, one a line.
vk_tabs()
{
  vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" tabs "$1" 2>/dev/null | tr -d '\r' |
    awk '/^\t/ { t[n] = t[n] substr($0, 2) "\n"; c[n]++; next } { n++ }
         END { for (i in c) if (c[i] > best) { best = c[i]; k = i } printf "%s", t[k] }'
}

# vk_wait_tabs FRAME: waits until the tabs are the three images' in the rows' order; the titles in
# $tabs.
vk_wait_tabs()
{
  local until=$((SECONDS + VK_E2E_TIMEOUT))
  while tabs=$(vk_tabs "$1"); [ "$tabs" != $'wide.png\nsmall.bmp\nthird.png' ]; do
    [ $SECONDS -lt $until ] || vk_e2e_fail "the tabs are: $(tr '\n' ';' <<<"$tabs")"
    sleep 0.3
  done
}

# ---- "-ik": the rows open, the locked one locked, the first one turned and current ----
vk_e2e_start first -ik "$(vk_e2e_path "$VK_E2E_TMP/open.csv")"
frame=$(vk_e2e_wait_window '^Afx:' 'wide\.png$')
vk_wait_tabs "$frame"
sleep 1
vk_e2e_shot turned
area=$(vk_e2e_area "$frame")
[ -n "$area" ] || vk_e2e_fail "no drawing area shows"
read -r rx ry rw rh < <(vk_e2e_box "$VK_E2E_OUT/turned.png" "$area" '#FF0000' '%X %Y %w %h')
read -r bx by bw bh < <(vk_e2e_box "$VK_E2E_OUT/turned.png" "$area" '#0000FF' '%X %Y %w %h')
vk_e2e_log "turned: red $rw x $rh at $rx $ry, blue $bw x $bh at $bx $by"
[ "$rx" = "$bx" ] && [ "$rw" = "$bw" ] && [ "$by" -ge $((ry + rh - 1)) ] ||
  vk_e2e_fail "red and blue do not stand one above the other"
vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"

# ---- The exit's file: the header, the three rows in tab order, Shift-JIS with CR LF ----
# vk_rows NAME: checks the exit's file (kept as NAME): path, lock and rotation of each row.
vk_rows()
{
  local written got expected
  [ -f "$csv" ] || vk_e2e_fail "the exit wrote no Pictavo.csv"
  cp "$csv" "$VK_E2E_OUT/$1"
  [ "$(grep -c $'\r$' "$csv")" = 4 ] && [ "$(wc -l <"$csv")" = 4 ] || vk_e2e_fail "$1 holds no 4 CR LF lines"
  written=$(iconv -f CP932 -t UTF-8 "$csv" | tr -d '\r')
  [ "$(head -1 <<<"$written")" = "$header" ] || vk_e2e_fail "the header is $(head -1 <<<"$written")"
  expected=$(printf '"%s",%s\n' "$(vk_e2e_path "$dir/wide.png")" '0,90.000000' \
    "$(vk_e2e_path "$dir/small.bmp")" '1,0.000000' "$(vk_e2e_path "$dir/third.png")" '0,0.000000')
  got=$(tail -n +2 <<<"$written" | cut -d, -f1-3)
  [ "$got" = "$expected" ] || vk_e2e_fail "the rows of $1 are: $got"
}
vk_rows first.csv

# ---- A start told to open the last pages: the three tabs again ----
ini=$VK_E2E_BIN/Pictavo.ini
# The number of third.png among the recent files: its access key in the File menu.
recent=$(vk_e2e_ini_text | sed -n '/^\[Recent File List\]/,/^\[/s/^File\([0-9]\)=.*third\.png$/\1/p')
[ -n "$recent" ] || vk_e2e_fail "third.png is not among the recent files"
if grep -q '^SopBsi_bOpnOpd=' "$ini"; then
  LC_ALL=C sed -i 's/^SopBsi_bOpnOpd=.*/SopBsi_bOpnOpd=1\r/' "$ini"
else
  LC_ALL=C sed -i 's/^\[Application Information\]\r$/&\nSopBsi_bOpnOpd=1\r/' "$ini"
fi
[ "$(vk_e2e_ini 'Application Information' SopBsi_bOpnOpd)" = 1 ] || vk_e2e_fail "the setting was not written"
vk_e2e_start second
frame=$(vk_e2e_wait_window '^Afx:' 'wide\.png$')
vk_wait_tabs "$frame"
vk_e2e_log "tabs: $(tr '\n' ';' <<<"$tabs")"
vk_e2e_shot restored

# ---- The pages written through the File menu into a file typed in the save dialog ----
typed=$VK_E2E_TMP/typed.csv
vk_e2e_key alt+f
sleep 0.3
vk_e2e_key w
dialog=$(vk_e2e_wait_window '#32770' '.')
sleep 0.5
vk_e2e_shot save-dialog
# The name box selects the proposed base name; the whole text is selected to be typed over.
xdotool key End shift+Home
xdotool type --delay 20 "$(vk_e2e_path "$typed")"
vk_e2e_key Return
until=$((SECONDS + VK_E2E_TIMEOUT))
while [ ! -s "$typed" ]; do
  [ $SECONDS -lt $until ] || vk_e2e_fail "the typed file was not written"
  sleep 0.3
done
sleep 0.5
[ "$(iconv -f CP932 -t UTF-8 "$typed" | tr -d '\r' | tail -n +2 | cut -d, -f1 | tr '\n' ';')" = \
  "\"$(vk_e2e_path "$dir/wide.png")\";\"$(vk_e2e_path "$dir/small.bmp")\";\"$(vk_e2e_path "$dir/third.png")\";" ] ||
  vk_e2e_fail "the typed file holds: $(iconv -f CP932 -t UTF-8 "$typed" | tr -d '\r')"

# ---- The recent file deleted, chosen from the menu: the message, and it leaves the list ----
rm "$dir/third.png"
vk_e2e_key alt+f
sleep 0.3
vk_e2e_key "$recent"
vk_e2e_wait_box
vk_e2e_expect_text "ファイルが見つかりません。\n\n$(vk_e2e_path "$dir/third.png")"
vk_e2e_shot not-found
vk_e2e_press "$VK_BOX" 1
vk_e2e_close "$frame"
vk_e2e_wait_exit "$second"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
# The restored pages kept their turn and lock (opened locked, as the setting is by default).
vk_rows second.csv
list=$(vk_e2e_ini_text | sed -n '/^\[Recent File List\]/,/^\[/p')
! grep -q 'third\.png$' <<<"$list" || vk_e2e_fail "the deleted file is still a recent file"
grep -q 'wide\.png$' <<<"$list" && grep -q 'small\.bmp$' <<<"$list" || vk_e2e_fail "the other recent files went"
vk_e2e_log "passed"
