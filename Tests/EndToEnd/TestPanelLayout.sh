#!/usr/bin/env bash
# The panels' layout as the user changes it: the left column's edge dragged far to the right,
# then the file commands' outer edge pushed further, the frame maximised and restored, the
# preview shown as a panel of its own: after each, every panel lies inside the frame's client
# area, apart from the other panels and from the page area, and shows its controls whole; the
# drags stop where the panels would no longer fit, and a maximise keeps the widths given.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin
printf '[Application Information]\r\nbOpnSmpImg=0\r\n' >"$VK_E2E_BIN/Pictavo.ini"

# vk_check NAME: the frame's panels (every "#32770" child but the view, which holds the tabs)
# inside the client area between the tool bar and the status bar, apart from each other and from
# the view; each control's rectangle inside the panel it lies in. Prints the panels' widths.
vk_check()
{
  vk_e2e_idle "$frame" 0.3
  vk_e2e_shot "$1"
  local kids verdict
  kids=$(vk_e2e_children "$frame")
  verdict=$(awk -F'\t' '
    function inside(a, b) { return a[1] >= b[1] && a[2] >= b[2] && a[1] + a[3] <= b[1] + b[3] && a[2] + a[4] <= b[2] + b[4] }
    function apart(a, b) { return a[1] + a[3] <= b[1] || b[1] + b[3] <= a[1] || a[2] + a[4] <= b[2] || b[2] + b[4] <= a[2] }
    { split($2, r, " "); cls[NR] = $1; for (k = 1; k <= 4; k++) R[NR, k] = r[k] }
    $1 == "ToolbarWindow32" && !tool { tool = NR }
    $1 == "msctls_statusbar32" { status = NR }
    $1 == "SysTabControl32" { tabs = NR }
    END {
      for (k = 1; k <= 4; k++) { s[k] = R[status, k]; t[k] = R[tabs, k]; b[k] = R[tool, k] }
      client[1] = s[1]; client[2] = b[2] + b[4]; client[3] = s[3]; client[4] = s[2] - client[2]
      n = 0
      for (i = 1; i <= NR; i++) {
        if (cls[i] != "#32770") continue
        for (k = 1; k <= 4; k++) p[k] = R[i, k]
        if (inside(t, p)) { for (k = 1; k <= 4; k++) view[k] = p[k]; continue }
        n++; for (k = 1; k <= 4; k++) P[n, k] = p[k]
      }
      for (i = 1; i <= n; i++) {
        for (k = 1; k <= 4; k++) p[k] = P[i, k]
        widths = widths (i > 1 ? " " : "") p[3]
        if (!inside(p, client)) { print "the panel at " p[1] " " p[2] " " p[3] " " p[4] " lies outside the client area"; exit }
        if (!apart(p, view)) { print "the panel at " p[1] " " p[2] " " p[3] " " p[4] " meets the page area at " view[1] " " view[2] " " view[3] " " view[4]; exit }
        for (j = i + 1; j <= n; j++) {
          for (k = 1; k <= 4; k++) q[k] = P[j, k]
          if (!apart(p, q)) { print "the panels at " p[1] " " p[2] " and " q[1] " " q[2] " meet"; exit }
        }
      }
      for (c = 1; c <= NR; c += 1) {
        if (cls[c] != "Button" && cls[c] != "ComboBox") continue
        for (k = 1; k <= 4; k++) a[k] = R[c, k]
        for (i = 1; i <= n; i++) {
          if (a[1] < P[i, 1] || a[2] < P[i, 2] || a[1] >= P[i, 1] + P[i, 3] || a[2] >= P[i, 2] + P[i, 4]) continue
          for (k = 1; k <= 4; k++) p[k] = P[i, k]
          if (!inside(a, p)) { print "a " cls[c] " at " a[1] " " a[2] " " a[3] " " a[4] " is cut by its panel at " p[1] " " p[2] " " p[3] " " p[4]; exit }
        }
      }
      print "ok " widths
    }' <<<"$kids")
  [ "${verdict%% *}" = ok ] || vk_e2e_fail "$1: $verdict"
  VK_WIDTHS=${verdict#ok }
}
vk_panel_of() { vk_e2e_children "$frame" | awk -F'\t' -v c="$1" '$1 == c { print $2; exit }'; }
# vk_drag X Y TO: a press at X Y moved to TO on the same line in steps, released.
vk_drag() { xdotool mousemove "$1" "$2" mousedown 1 mousemove $(($1 + 40)) "$2" mousemove $((($1 + $3) / 2)) "$2" mousemove "$3" "$2" mouseup 1; sleep 1; }

vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
vk_check start
read -r sx _ sw _ < <(vk_panel_of msctls_statusbar32)
room=$((sw - sw / 4))

# The left column's inner edge to x = 540: it widens until the two sides take three quarters of
# the client width.
read -r lx ly lw lh < <(vk_panel_of SysListView32)
vk_drag $((lx + lw + 2)) $((ly + 40)) 540
vk_check column-widened
read -r lx2 _ lw2 _ < <(vk_panel_of SysListView32)
[ "$lw2" -gt "$lw" ] || vk_e2e_fail "the drag did not widen the file list ($lw2, was $lw)"
# The file commands' outer edge pushed far on: the side stays within its room.
vk_drag $((lx2 + lw2 + 6)) $((ly + 40)) $((sx + sw - 100))
vk_check edge-pushed
widened=$VK_WIDTHS
read -r px _ pw _ < <(vk_panel_of SysTabControl32)
[ $((px - sx)) -le $((room + 4)) ] || vk_e2e_fail "the left side reaches $((px - sx)), past its room of $room"

# A maximise and a restore keep the panels' widths.
read -r x y w h < <(vk_e2e_windows | awk -F'\t' -v f="$frame" '$1 == f { print $4 }')
xdotool mousemove $((x + w / 2)) $((y + 10)) click --repeat 2 --delay 80 1
sleep 2
vk_check maximised
[ "$VK_WIDTHS" = "$widened" ] || vk_e2e_fail "maximised the panels are $VK_WIDTHS wide, not $widened"
xdotool mousemove 640 8 click --repeat 2 --delay 80 1
sleep 2
vk_check restored
[ "$VK_WIDTHS" = "$widened" ] || vk_e2e_fail "restored the panels are $VK_WIDTHS wide, not $widened"
vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"

# The preview as a panel (shown from the View menu): a column of its own at the left; the
# others keep their room and nothing is cut.
sed -i 's/^SopPni_bPrvImgTab=.*/SopPni_bPrvImgTab=0\r/' "$VK_E2E_BIN/Pictavo.ini"
vk_e2e_start second
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
vk_e2e_idle "$frame"
vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" command "$frame" $((0xC0D8))
sleep 1
vk_check preview-panel
[ "$(wc -w <<<"$VK_WIDTHS")" -eq 5 ] || vk_e2e_fail "with the preview panel shown the panels are $VK_WIDTHS wide"
vk_e2e_close "$frame"
vk_e2e_wait_exit "$second"
vk_e2e_log "passed"
