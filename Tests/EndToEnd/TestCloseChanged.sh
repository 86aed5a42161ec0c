#!/usr/bin/env bash
# Closing with a changed page among others. The exit asks about the changed page before any page
# closes: "キャンセル" keeps every page, the current one and the program, and the open-information
# file written first names all three. "保存しないですべて閉じる" then closes them without a
# question; the panels, the tree's frame and the tool bar paint as a fresh paint draws them, also
# once a page is opened again, and the exit without a changed page asks nothing.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

printf '[Application Information]\r\nbOpnSmpImg=0\r\n' >"$VK_E2E_BIN/Pictavo.ini"
dir=$VK_E2E_TMP/pics
mkdir -p "$dir"
convert -size 120x80 xc:'#C00000' "$dir/a.png"
convert -size 120x80 xc:'#00A000' "$dir/b.png"
convert -size 120x80 xc:'#0000C0' "$dir/c.png"
csv=$VK_E2E_BIN/Vkt/Pictavo.csv

vk_e2e_start first "$(vk_e2e_path "$dir/a.png")" "$(vk_e2e_path "$dir/b.png")" "$(vk_e2e_path "$dir/c.png")"
frame=$(vk_e2e_wait_window '^Afx:' 'a\.png$')
vk_e2e_idle "$frame"
[ "$(vk_e2e_tabs "$frame")" = "a.png b.png c.png" ] || vk_e2e_fail "the tabs are: $(vk_e2e_tabs "$frame")"

# The second page, turned by 画像(&I), 90度回転(&1): changed.
vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" command "$frame" 51170
vk_e2e_wait_window '^Afx:' 'b\.png$' >/dev/null
vk_e2e_key alt+i
sleep 0.5
vk_e2e_key 1
vk_e2e_idle "$frame"

# Alt+F4: the question comes before any page closes; "キャンセル" leaves everything as it was.
vk_e2e_key alt+F4
vk_e2e_wait_box
vk_e2e_expect_text "b.png を保存しますか？"
[ "$(vk_e2e_tabs "$frame")" = "a.png b.png c.png" ] || vk_e2e_fail "pages closed before the question: $(vk_e2e_tabs "$frame")"
vk_e2e_press "$VK_BOX" 2
vk_e2e_idle "$frame"
vk_e2e_running "$first" || vk_e2e_fail "the program ended after キャンセル"
[ "$(vk_e2e_tabs "$frame")" = "a.png b.png c.png" ] || vk_e2e_fail "after キャンセル the tabs are: $(vk_e2e_tabs "$frame")"
[[ "$(vk_e2e_title "$frame")" == *'b.png' ]] || vk_e2e_fail "the current page is now $(vk_e2e_title "$frame")"
rows=$(grep -c '\.png"' "$csv" || true)
[ "$rows" = 3 ] || vk_e2e_fail "Pictavo.csv holds $rows pages: $(cat "$csv")"
vk_e2e_shot pages

# vk_left NAME: screenshot NAME, and NAME-fresh after every window of the frame was painted
# again; the tool bar, the tree, the file list and the file-command panel must look the same
# in both and show something.
vk_left()
{
  local kids rect n
  vk_e2e_idle "$frame"
  vk_e2e_shot "$1"
  vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" repaint "$frame" || vk_e2e_fail "the frame was not painted again"
  vk_e2e_idle "$frame"
  vk_e2e_shot "$1-fresh"
  kids=$(vk_e2e_children "$frame")
  for part in ToolbarWindow32 SysTreeView32 SysListView32 command-panel; do
    if [ "$part" = command-panel ]; then
      # The panel of the button "選択画像を開く": the dialog window just before it.
      rect=$(awk -F'\t' '$1 == "#32770" { last = $2 } $3 == "選択画像を開く" { print last; exit }' <<<"$kids")
    else
      rect=$(grep "^$part"$'\t' <<<"$kids" | head -n 1 | cut -f2)
    fi
    [ -n "$rect" ] || vk_e2e_fail "$1: no $part shows"
    set -- "$1" $rect
    convert "$VK_E2E_OUT/$1.png" -crop "${4}x${5}+${2}+${3}" +repage "$VK_E2E_OUT/$1-$part.png"
    convert "$VK_E2E_OUT/$1-fresh.png" -crop "${4}x${5}+${2}+${3}" +repage "$VK_E2E_OUT/$1-fresh-$part.png"
    n=$(vk_e2e_differ "$VK_E2E_OUT/$1-$part.png" "$VK_E2E_OUT/$1-fresh-$part.png")
    [ "$n" = 0 ] || vk_e2e_fail "$1: $part differs from a fresh paint in $n pixels"
    n=$(convert "$VK_E2E_OUT/$1-$part.png" -format %k info:)
    [ "$n" -gt 3 ] || vk_e2e_fail "$1: $part shows $n colours"
  done
}

# ファイル(&F), 保存しないですべて閉じる(&E): no question, no page left, the panels whole.
vk_e2e_key alt+f
sleep 0.5
vk_e2e_key e
vk_e2e_no_window '#32770' '^Pictavo$' 2
[ -z "$(vk_e2e_tabs "$frame")" ] || vk_e2e_fail "left after closing all: $(vk_e2e_tabs "$frame")"
vk_left closed

# A page again from the recent files (ファイル(&F), the first entry): the panels still whole.
vk_e2e_key alt+f
sleep 0.5
vk_e2e_key 1
vk_e2e_wait_window '^Afx:' '\.png$' >/dev/null
vk_left reopened

# Nothing changed: the exit asks nothing and writes the settings.
vk_e2e_key alt+F4
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
[ "$(vk_e2e_ini 'Common Information' rctWindow_left)" != "(none)" ] || vk_e2e_fail "no settings were written"
vk_e2e_log "passed"
