#!/usr/bin/env bash
# The main frame of a start without a saved window: tool bar, status bar, the folder tree, the
# file list, the two other panels in use naming themselves (the preview goes to a tab) and the
# empty tab area; the left columns reach the status bar.
# The frame is moved and resized with the mouse; the edge between the file list and the file
# commands is dragged from the file commands' side (the list widens, the file commands keep
# their width); a panel is hidden through the menu by its access keys (the file list takes its
# place); the frame is closed: the next start has the same rectangle and the panel still hidden.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

# Not the first run: no question, no samples.
printf '[Application Information]\r\nbOpnSmpImg=0\r\n' >"$VK_E2E_BIN/Pictavo.ini"

# vk_rect HWND: the top-level window's "x y w h".
vk_rect() { vk_e2e_windows | awk -F'\t' -v h="$1" '$1 == h { print $4 }'; }
# vk_panel KIDS CLASS [TEXT]: "x y w h" of the panel (the smallest dialog) that holds the first
# visible control of that class (and text) among the children listed.
vk_panel()
{
  awk -F'\t' -v c="$2" -v t="${3-}" '
    $1 == "#32770" { p[++n] = $2 }
    $1 == c && (t == "" || $3 == t) && found == "" { found = $2 }
    END {
      split(found, f, " ")
      for (i = 1; i <= n; i++) {
        split(p[i], r, " ")
        if (f[1] >= r[1] && f[2] >= r[2] && f[1] + f[3] <= r[1] + r[3] && f[2] + f[4] <= r[2] + r[4] &&
            (best == "" || r[3] * r[4] < area)) { best = p[i]; area = r[3] * r[4] }
      }
      print best
    }' <<<"$1"
}
# vk_colours PNG "x y w h": how many colours the screenshot's rectangle holds.
vk_colours() { set -- "$1" $2; convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -format %k info:; }

vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
sleep 1
vk_e2e_shot first-start
kids=$(vk_e2e_children "$frame")
for class in ToolbarWindow32 msctls_statusbar32 SysTabControl32 SysTreeView32 SysListView32; do
  grep -q "^$class"$'\t' <<<"$kids" || vk_e2e_fail "no visible $class"
done
# The file-command panel by its first button, the operation panel by its cut frame's group.
for name in 選択画像を開く 切り取り枠; do
  grep -q $'\t'"$name\$" <<<"$kids" || vk_e2e_fail "the panel \"$name\" does not show"
done
# The preview panel's drawing area (an edit) would be a ninth beside the operation panel's four and
# the file-command panel's four (the period and its three drop-down lists' edits).
[ "$(grep -c '^Edit'$'\t' <<<"$kids")" -eq 8 ] || vk_e2e_fail "the preview panel shows though the preview goes to a tab"
# The tab area holds no page: one colour inside its border; the tool bar shows its images.
read -r x y w h < <(grep "^SysTabControl32"$'\t' <<<"$kids" | cut -f2)
[ "$w" -gt 200 ] && [ "$h" -gt 200 ] || vk_e2e_fail "the tab area is $w x $h"
n=$(vk_colours "$VK_E2E_OUT/first-start.png" "$((x + 10)) $((y + 40)) $((w - 20)) $((h - 50))")
[ "$n" -eq 1 ] || vk_e2e_fail "the empty tab area holds $n colours"
n=$(vk_colours "$VK_E2E_OUT/first-start.png" "$(grep "^ToolbarWindow32"$'\t' <<<"$kids" | cut -f2)")
[ "$n" -gt 4 ] || vk_e2e_fail "the tool bar shows $n colours"

# Moved by its caption, resized by its bottom-right corner.
read -r x y w h < <(vk_rect "$frame")
xdotool mousemove $((x + w / 2)) $((y + 12)) mousedown 1 mousemove $((x + w / 2 - 40)) $((y + 32)) \
  mousemove $((x + w / 2 - 60)) $((y + 42)) mouseup 1
sleep 0.5
read -r x y w h < <(vk_rect "$frame")
xdotool mousemove $((x + w - 2)) $((y + h - 2)) mousedown 1 mousemove $((x + w - 52)) $((y + h - 42)) \
  mousemove $((x + w - 102)) $((y + h - 82)) mouseup 1
sleep 0.5
moved=$(vk_rect "$frame")
vk_e2e_log "frame at $moved"
[ "$moved" != "$x $y $w $h" ] || vk_e2e_fail "the frame was not resized"

# Both left columns end at the status bar; the edge between them dragged 60 to the right from
# the file commands' side widens the file list and moves the file commands along.
kids=$(vk_e2e_children "$frame")
read -r tx ty tw th < <(vk_panel "$kids" SysTreeView32)
read -r lx ly lw lh < <(vk_panel "$kids" SysListView32)
read -r cx cy cw ch < <(vk_panel "$kids" Button 選択画像を開く)
read -r _ sy _ _ < <(grep "^msctls_statusbar32"$'\t' <<<"$kids" | cut -f2)
[ $((ly + lh)) -eq "$sy" ] && [ $((cy + ch)) -eq "$sy" ] ||
  vk_e2e_fail "the file list ends at $((ly + lh)), the file commands at $((cy + ch)), the status bar begins at $sy"
xdotool mousemove $((cx + 1)) $((cy + ch / 2)) mousedown 1 mousemove $((cx + 31)) $((cy + ch / 2)) \
  mousemove $((cx + 61)) $((cy + ch / 2)) mouseup 1
sleep 1
vk_e2e_shot edge-dragged
kids=$(vk_e2e_children "$frame")
read -r _ _ lw2 _ < <(vk_panel "$kids" SysListView32)
read -r cx2 _ cw2 _ < <(vk_panel "$kids" Button 選択画像を開く)
[ "$lw2" -eq $((lw + 60)) ] && [ "$cw2" -eq "$cw" ] && [ "$cx2" -eq $((cx + 60)) ] ||
  vk_e2e_fail "after the drag the file list is $lw2 wide (was $lw), the file commands $cw2 at $cx2 (were $cw at $cx)"

# View > folder tree panel > shown: hidden.
vk_e2e_key alt+v
sleep 0.3
vk_e2e_key f
sleep 0.3
vk_e2e_key v
sleep 0.5
kids=$(vk_e2e_children "$frame")
! grep -q "^SysTreeView32"$'\t' <<<"$kids" || vk_e2e_fail "the folder tree still shows"
vk_e2e_shot tree-hidden
read -r _ ly2 _ lh2 < <(vk_panel "$kids" SysListView32)
[ "$ly2" -eq "$ty" ] && [ $((ly2 + lh2)) -eq "$sy" ] ||
  vk_e2e_fail "without the tree the file list runs from $ly2 to $((ly2 + lh2)), not from $ty to $sy"

vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
read -r x y w h <<<"$moved"
for kv in "left $x" "top $y" "right $((x + w))" "bottom $((y + h))"; do
  set -- $kv
  value=$(vk_e2e_ini 'Common Information' "rctWindow_$1")
  [ "$value" = "$2" ] || vk_e2e_fail "rctWindow_$1 is $value, not $2"
done
tree=$(vk_e2e_ini_text | grep -E '^Bar[0-9]+=101,' || true)
[[ "$tree" == *"=101,0,"* ]] || vk_e2e_fail "the bar state says of the folder tree: $tree"

vk_e2e_start second
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
sleep 1
vk_e2e_shot second-start
[ "$(vk_rect "$frame")" = "$moved" ] || vk_e2e_fail "the frame came back at $(vk_rect "$frame"), not $moved"
kids=$(vk_e2e_children "$frame")
! grep -q "^SysTreeView32"$'\t' <<<"$kids" || vk_e2e_fail "the hidden folder tree came back"
grep -q "^SysListView32"$'\t' <<<"$kids" || vk_e2e_fail "the file list did not come back"
vk_e2e_close "$frame"
vk_e2e_wait_exit "$second"
vk_e2e_log "passed"
