#!/usr/bin/env bash
# The file-command panel of Pictavo.exe in one run: an interval of 200 typed and "リスト" show the
# list's images one after another until Escape stops them; the default tool run over an open page
# starts the program the prefix binds to its file type with the page's path, a listed tool gets
# that path quoted as its parameter; the PNG file type leaves the .png files and the folders in the
# list, patterns typed and Enter apply and stay in the box; three folders picked in the tree follow
# the start folder in the history that Pictavo.ini keeps after the exit; the favourites' browser
# opens at the current folder and renames nothing.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

root="$WINEPREFIX/drive_c/VktCmd"
page="2 green&緑.bmp"
mkdir -p "$root/alpha" "$root/beta" "$root/表ソ"
convert -size 80x60 xc:'#ff0000' "$root/1red.png"
convert -size 80x60 xc:'#00ff00' "BMP3:$root/$page"
convert -size 80x60 xc:'#0000ff' "$root/3blue.png"
convert -size 80x60 xc:'#ffff00' "$root/4yellow.jpg"
{
  printf '[Common Information]\r\nstrCurDir=C:\\VktCmd\r\nLscFii_iModeLstViw=1\r\n'
  printf '[Application Information]\r\nbOpnSmpImg=0\r\nSopBsi_bChgDir=1\r\n'
  printf 'PciEti_iCurPathName=1\r\nPciEti_amPathName_1=C:\\VktTool\\VktTool.exe\r\n'
} >"$VK_E2E_BIN/Pictavo.ini"

# The stand-in tool, also the program the session's prefix opens bitmap files with.
tool="$WINEPREFIX/drive_c/VktTool"
mkdir -p "$tool"
cp "$VK_BUILD/tests/VktTool.exe" "$tool/"
vk_e2e_wine reg add 'HKLM\Software\Classes\.bmp' /ve /t REG_SZ /d VktImage /f >/dev/null 2>&1
vk_e2e_wine reg add 'HKLM\Software\Classes\VktImage\shell\open\command' /ve /t REG_SZ \
  /d '"C:\VktTool\VktTool.exe" "%1"' /f >/dev/null 2>&1

# vk_click_child FRAME CLASS TEXT [N]: clicks the frame's Nth (default first) visible descendant
# of that class and text.
vk_click_child()
{
  local x y w h
  read -r x y w h < <(vk_e2e_children "$1" |
    awk -F'\t' -v c="$2" -v t="$3" -v n="${4:-1}" '$1 == c && $3 == t && ++seen == n { print $2; exit }')
  [ -n "${h:-}" ] || vk_e2e_fail "no $2 \"$3\" shows"
  vk_e2e_click $((x + w / 2)) $((y + h / 2))
}
# vk_pick FRAME SHOWN LINE: the combo box that shows SHOWN dropped down by its arrow, its line
# LINE clicked.
vk_pick()
{
  local combos combo line x y w h lh drop dx dy dw dh
  combos=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" combos "$1" | tr -d '\r')
  combo=$(awk -F'\t' -v s="$2" '$1 != "" && $2 == s { print $1; exit }' <<<"$combos")
  [ -n "$combo" ] || vk_e2e_fail "no combo box shows \"$2\""
  line=$(awk -F'\t' -v at="$combo" -v want="$3" '
    $1 != "" { inside = ($1 == at); n = 0; next } inside { if ($2 == want) { print n; exit } n++ }' <<<"$combos")
  [ -n "$line" ] || vk_e2e_fail "the combo box showing \"$2\" has no line \"$3\""
  read -r x y w h lh <<<"$combo"
  vk_e2e_click $((x + w - 8)) $((y + h / 2))
  read -r dx dy dw dh < <(vk_e2e_wait_line '^ComboLBox$' '' 10 | cut -f4)
  vk_e2e_click $((dx + dw / 2)) $((dy + 1 + line * lh + lh / 2))
}
# vk_selected FRAME: the name of the file list's selected item.
vk_selected() { vk_e2e_items "$1" | awk -F'\t' '$3 == 1 { print $1; exit }'; }
vk_names() { vk_e2e_items "$1" | cut -f1 | sort | paste -sd'|'; }
# vk_wait_names FRAME NAMES: waits until the list holds exactly those names (sorted, "|" between).
vk_wait_names() { vk_e2e_until_is "the list holds" "$2" vk_names "$1"; }
# vk_tree_key FRAME KEY PATH: the tree takes the focus (Ctrl+F; each selection sends it to the
# file list) and the key; waits until the tree selects PATH (its texts below the drive, "/" between).
vk_tree_path() { vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" tree "$1" 2>/dev/null | tr -d '\r' | sed -n '5,$p' | tr -d '\t' | paste -sd/; }
vk_tree_key()
{
  vk_e2e_key ctrl+f
  sleep 0.3
  vk_e2e_key "$2"
  vk_e2e_until_is "the tree selects" "$3" vk_tree_path "$1"
}
# vk_tool_line N: line N of what the tool wrote, as UTF-8, once it is there.
vk_tool_line()
{
  local until=$((SECONDS + 20))
  until [ "$(wc -l <"$tool/VktTool.txt" 2>/dev/null || echo 0)" -ge "$1" ]; do
    [ $SECONDS -lt $until ] || vk_e2e_fail "the tool was not started a ${1}. time"
    sleep 0.3
  done
  iconv -f CP932 -t UTF-8 "$tool/VktTool.txt" | tr -d '\r' | sed -n "${1}p"
}

vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
vk_wait_names "$frame" "1red.png|$page|3blue.png|4yellow.jpg|alpha|beta|表ソ"
vk_e2e_idle "$frame" 0.5
vk_e2e_shot start

# The interval typed (Tab leaves the edit), then "リスト": the list's selection walks through it.
read -r x y w h < <(vk_e2e_children "$frame" | awk -F'\t' '$1 == "Static" && $3 == "表示間隔" { getline; print $2; exit }')
vk_e2e_click $((x + w / 2)) $((y + h / 2))
vk_e2e_key End shift+Home BackSpace 2 0 0 Tab
vk_click_child "$frame" Button "リスト"
seen=""
until=$((SECONDS + 20))
while [ "$(grep -c . <<<"$seen")" -lt 4 ]; do
  [ $SECONDS -lt $until ] || vk_e2e_fail "the display showed only: $(paste -sd' ' <<<"$seen")"
  name=$(vk_selected "$frame")
  [ -z "$name" ] || grep -qxF "$name" <<<"$seen" || seen+="$name"$'\n'
done
vk_e2e_shot showing
vk_e2e_log "shown one after another: $(grep . <<<"$seen" | paste -sd'|')"
# The images only: a folder shows no picture.
! grep -qxE 'alpha|beta|表ソ' <<<"$seen" || vk_e2e_fail "the display showed a folder: $(paste -sd' ' <<<"$seen")"
# Escape stops it: the selection and the window stay as they are.
vk_e2e_key Escape
until=$((SECONDS + 20))
while :; do
  stopped=$(vk_selected "$frame")
  sleep 1.2
  [ "$(vk_selected "$frame")" != "$stopped" ] || break
  [ $SECONDS -lt $until ] || vk_e2e_fail "the display goes on after Escape"
done
vk_e2e_shot stopped
sleep 1
vk_e2e_shot still
[ "$(vk_e2e_differ "$VK_E2E_OUT/stopped.png" "$VK_E2E_OUT/still.png")" = 0 ] || vk_e2e_fail "the window changes after Escape"

# The bitmap opened (Return on its item); the default tool, the tool combo's first line, run over
# its page starts the program the prefix opens bitmaps with; then the listed tool is picked and run.
read -r x y w h < <(vk_e2e_items "$frame" | awk -F'\t' -v p="$page" '$1 == p { print $2 }')
vk_e2e_click $((x + w / 2)) $((y + h / 2))
vk_e2e_key Return
vk_e2e_wait_window '^Afx:' 'green&緑\.bmp$' >/dev/null
vk_e2e_idle "$frame" 0.3
vk_click_child "$frame" Button "実行" 2
expect="\"C:\\VktTool\\VktTool.exe\" \"C:\\VktCmd\\$page\""
[ "$(vk_tool_line 1)" = "$expect" ] || vk_e2e_fail "the default tool got: $(vk_tool_line 1)"
vk_pick "$frame" 既定の外部ツール VktTool.exe
vk_click_child "$frame" Button "実行" 2
vk_e2e_log "the listed tool got: $(vk_tool_line 2)"
[[ "$(vk_tool_line 2)" == *'VktTool.exe'*" \"C:\\VktCmd\\$page\"" ]] || vk_e2e_fail "the listed tool got: $(vk_tool_line 2)"
vk_e2e_shot tools

# The PNG line of the file-type combo.
vk_pick "$frame" すべての画像ファイル PNG
vk_wait_names "$frame" "1red.png|3blue.png|alpha|beta|表ソ"
vk_e2e_shot png

# Patterns typed into the file-type box and Enter: the list follows and the box keeps the text.
read -r x y w h lh < <(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" combos "$frame" | tr -d '\r' |
  awk -F'\t' '$1 != "" && $2 == "PNG" { print $1; exit }')
[ -n "${h:-}" ] || vk_e2e_fail "no file-type box shows PNG"
vk_e2e_click $((x + w / 2 - 10)) $((y + h / 2))
vk_e2e_key End shift+Home
xdotool type --delay 30 '*.jpg;*.png'
vk_e2e_key Return
vk_wait_names "$frame" "1red.png|3blue.png|4yellow.jpg|alpha|beta|表ソ"
vk_e2e_idle "$frame" 0.5
shown=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" combos "$frame" | tr -d '\r' |
  awk -F'\t' -v at="$x $y $w $h $lh" '$1 == at { print $2; exit }')
[ "$shown" = '*.jpg;*.png' ] || vk_e2e_fail "the file-type box shows \"$shown\" after Enter"
vk_e2e_shot typed

# Three folders picked in the tree by keys: Right expands the start folder, Right enters its first
# folder, Down goes on.
vk_e2e_key ctrl+f
sleep 0.3
vk_e2e_key Right
vk_tree_key "$frame" Right VktCmd/alpha
vk_tree_key "$frame" Down VktCmd/beta
vk_tree_key "$frame" Down VktCmd/表ソ
vk_e2e_shot picked

# "お気に入り", then "追加...": the folder browser opens at the current folder, and F2 on its
# selection renames nothing.
vk_click_child "$frame" Button "お気に入り"
sleep 0.5
vk_click_child "$frame" Button "追加..." 1
browser=$(vk_e2e_wait_window '^#32770$' '^フォルダーの参照$')
until=$((SECONDS + 20))
until [ "$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" tree "$browser" 2>/dev/null | tr -d '\r' | tail -1)" = $'\t表ソ' ]; do
  [ $SECONDS -lt $until ] || vk_e2e_fail "the browser selects \"$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" tree "$browser" | tr -d '\r' | tail -1)\""
  sleep 0.3
done
vk_e2e_key F2
sleep 1
vk_e2e_shot browser
! vk_e2e_children "$browser" | grep -q '^Edit' || vk_e2e_fail "F2 starts renaming the folder"
vk_e2e_press "$browser" 2

vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
[ "$(vk_e2e_ini 'Application Information' PciAii_iPerInd)" = 200 ] ||
  vk_e2e_fail "the interval stored is $(vk_e2e_ini 'Application Information' PciAii_iPerInd)"
# The history in the order of the selections: the folder the tree started in, then the three.
n=0
for folder in 'C:\VktCmd' 'C:\VktCmd\alpha' 'C:\VktCmd\beta' 'C:\VktCmd\表ソ' '(none)'; do
  n=$((n + 1))
  value=$(vk_e2e_ini 'Application Information' "PciFpi_amPathName_1_$n")
  [ "$value" = "$folder" ] || vk_e2e_fail "history entry $n is $value, not $folder"
done
for kv in "iCurPathName_1 4" "iIdxPathName_1 3"; do
  set -- $kv
  [ "$(vk_e2e_ini 'Application Information' "PciFpi_$1")" = "$2" ] ||
    vk_e2e_fail "PciFpi_$1 is $(vk_e2e_ini 'Application Information' "PciFpi_$1"), not $2"
done
vk_e2e_log "passed"
