#!/usr/bin/env bash
# The docked panels of Pictavo.exe keep out of each other's and the page's way: on a first run's
# frame the edge between the left column and the file commands is dragged from the file commands'
# side far to the right (the column widens, the file commands are pushed along), then the list's
# own edge further still (the drag stops where the page keeps its least width); the frame is
# maximised and restored (the column keeps its width). The next run shows the preview as a panel
# in a column of its own beside the others. After each step every panel lies inside the frame,
# apart from the page and the other panels, and shows its controls whole.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

printf '[Application Information]\r\nbOpnSmpImg=0\r\n' >"$VK_E2E_BIN/Pictavo.ini"

# vk_panel_rect KIDS NAME: "x y w h" of the panel titled NAME among the children listed.
vk_panel_rect() { awk -F'\t' -v t="$2" '$1 == "#32770" && $3 == t { print $2; exit }' <<<"$1"; }

# vk_layout FRAME STEP: every shown panel inside the frame's client width (the status bar's),
# apart from the page (the view that holds the tab control) and from each other, each control
# that begins in a panel ending inside it. Fails naming what is wrong; a screenshot is taken as STEP.
vk_layout()
{
  local kids problems
  kids=$(vk_e2e_children "$1")
  vk_e2e_shot "$2"
  problems=$(awk -F'\t' '
    BEGIN {
      split("フォルダツリー パネル|ファイルリスト パネル|プレビュー パネル|ファイルコマンド パネル|操作 パネル", names, "|")
      for (i in names) panel[names[i]] = 1
    }
    { split($2, r, " "); x[NR] = r[1]; y[NR] = r[2]; w[NR] = r[3]; h[NR] = r[4]; cls[NR] = $1; txt[NR] = $3 }
    $1 == "#32770" && ($3 in panel) { p[++np] = NR }
    $1 == "#32770" && !($3 in panel) { views[++nv] = NR }
    $1 == "SysTabControl32" && !tab { tab = NR }
    $1 == "msctls_statusbar32" && !status { status = NR }
    function overlap(a, b) {
      return x[a] < x[b] + w[b] && x[b] < x[a] + w[a] && y[a] < y[b] + h[b] && y[b] < y[a] + h[a]
    }
    END {
      # The page area: the view (a form) that holds the tab control.
      for (i = 1; i <= nv; i++) {
        v = views[i]
        if (tab && x[tab] >= x[v] && x[tab] < x[v] + w[v] && y[tab] >= y[v] && y[tab] < y[v] + h[v]) page = v
      }
      if (!page || !status || np == 0) { print "no page, status bar or panel"; exit }
      left = x[status]; right = x[status] + w[status]
      for (i = 1; i <= np; i++) {
        a = p[i]
        if (x[a] < left || x[a] + w[a] > right) print txt[a] " runs from " x[a] " to " x[a] + w[a] ", the frame from " left " to " right
        if (overlap(a, page)) print txt[a] " lies under the page (" x[page] " " y[page] " " w[page] " " h[page] ")"
        for (j = i + 1; j <= np; j++) if (overlap(a, p[j])) print txt[a] " and " txt[p[j]] " overlap"
      }
      for (n = 1; n <= NR; n++) {
        if (cls[n] == "#32770" || cls[n] ~ /^Afx/) continue
        best = 0
        for (i = 1; i <= np; i++) {
          a = p[i]
          if (x[n] >= x[a] && x[n] < x[a] + w[a] && y[n] >= y[a] && y[n] < y[a] + h[a]) best = a
        }
        if (best && (x[n] + w[n] > x[best] + w[best] || y[n] + h[n] > y[best] + h[best]))
          print cls[n] " \"" txt[n] "\" at " x[n] " " y[n] " " w[n] " " h[n] " is cut by " txt[best] " (" x[best] " " y[best] " " w[best] " " h[best] ")"
      }
      if (w[page] < 40) print "the page is " w[page] " wide"
    }' <<<"$kids")
  [ -z "$problems" ] || vk_e2e_fail "$2: $(paste -sd';' <<<"$problems")"
  VK_KIDS=$kids
}

# vk_drag X Y DX: a press at (X, Y) dragged DX across in steps, then released.
vk_drag()
{
  vk_e2e_step "drag $1 $2 by $3"
  xdotool mousemove "$1" "$2" mousedown 1 mousemove $(($1 + $3 / 4)) "$2" mousemove $(($1 + $3 / 2)) "$2" \
    mousemove $(($1 + $3)) "$2" sleep 0.3 mouseup 1
  sleep 1
}

vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
vk_e2e_idle "$frame" 0.5
vk_layout "$frame" first-start
read -r lx ly lw lh < <(vk_panel_rect "$VK_KIDS" 'ファイルリスト パネル')
read -r cx cy cw ch < <(vk_panel_rect "$VK_KIDS" 'ファイルコマンド パネル')

# The file commands' left edge 215 to the right: the list's column widens by as much and the
# file commands keep their width beside it.
vk_drag $((cx + 1)) $((cy + ch / 2)) 215
vk_e2e_idle "$frame" 0.3
vk_layout "$frame" pushed
read -r _ _ lw2 _ < <(vk_panel_rect "$VK_KIDS" 'ファイルリスト パネル')
read -r cx2 _ cw2 _ < <(vk_panel_rect "$VK_KIDS" 'ファイルコマンド パネル')
[ "$lw2" -eq $((lw + 215)) ] && [ "$cw2" -eq "$cw" ] && [ "$cx2" -eq $((cx + 215)) ] ||
  vk_e2e_fail "the list is $lw2 wide (was $lw), the file commands $cw2 at $cx2 (were $cw at $cx)"

# The list's right edge far to the right: it stops where the page keeps its least width.
read -r lx ly lw lh < <(vk_panel_rect "$VK_KIDS" 'ファイルリスト パネル')
vk_drag $((lx + lw - 1)) $((ly + lh / 2)) 600
vk_e2e_idle "$frame" 0.3
vk_layout "$frame" stopped
read -r _ _ wide _ < <(vk_panel_rect "$VK_KIDS" 'ファイルリスト パネル')
[ "$wide" -gt "$lw" ] || vk_e2e_fail "the list did not widen ($wide, was $lw)"
read -r _ _ pw _ < <(grep '^SysTabControl32'$'\t' <<<"$VK_KIDS" | head -1 | cut -f2)
[ "$pw" -lt 100 ] || vk_e2e_fail "the page's tabs are still $pw wide"

# Maximised and restored, the list keeps its width.
for step in "3 maximised" "9 restored"; do
  set -- $step
  vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" show "$frame" "$1"
  sleep 1
  vk_e2e_idle "$frame" 0.3
  vk_layout "$frame" "$2"
  read -r _ _ now _ < <(vk_panel_rect "$VK_KIDS" 'ファイルリスト パネル')
  [ "$now" -eq "$wide" ] || vk_e2e_fail "$2, the list is $now wide, not $wide"
done
vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"

# The next run with the preview as a panel, shown in a column of its own at the left edge (as
# it comes when the options turn it into a panel): the wide list's column gives way first.
ini=$VK_E2E_BIN/Pictavo.ini
grep -q '^Bar[0-9]*=103,0,59420,' "$ini" || vk_e2e_fail "the preview's bar state is $(grep -a '=103,' "$ini")"
sed -i -e 's/^\(Bar[0-9]*=103\),0,/\1,1,/' -e 's/^SopPni_bPrvImgTab=1/SopPni_bPrvImgTab=0/' "$ini"
grep -q '^SopPni_bPrvImgTab=0' "$ini" || printf '[Application Information]\r\nSopPni_bPrvImgTab=0\r\n' >>"$ini"
vk_e2e_start second
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
vk_e2e_idle "$frame" 0.5
vk_layout "$frame" preview-panel
[ -n "$(vk_panel_rect "$VK_KIDS" 'プレビュー パネル')" ] || vk_e2e_fail "the preview panel does not show"
read -r ox _ ow _ < <(vk_panel_rect "$VK_KIDS" '操作 パネル')
read -r _ _ cw3 _ < <(vk_panel_rect "$VK_KIDS" 'ファイルコマンド パネル')
[ "$cw3" -eq "$cw" ] || vk_e2e_fail "with the preview the file commands are $cw3 wide, not $cw"

# Now the file commands' left edge far to the right: the drag stops, nothing is cut.
read -r cx cy cw ch < <(vk_panel_rect "$VK_KIDS" 'ファイルコマンド パネル')
vk_drag $((cx + 1)) $((cy + ch / 2)) 500
vk_e2e_idle "$frame" 0.3
vk_layout "$frame" preview-pushed
read -r ox2 _ ow2 _ < <(vk_panel_rect "$VK_KIDS" '操作 パネル')
[ "$ox2 $ow2" = "$ox $ow" ] || vk_e2e_fail "the operation panel moved to $ox2 ($ow2 wide) from $ox ($ow wide)"
vk_e2e_close "$frame"
vk_e2e_wait_exit "$second"
vk_e2e_log "passed"
