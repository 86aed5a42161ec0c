#!/usr/bin/env bash
# A floating panel of Pictavo.exe: the operation panel's gripper, pressed on its drawn line,
# drags the panel out over the page and low on the screen: it floats wholly on the screen,
# titled with its name; its corner sizes it; a click on the frame leaves it in front. After a
# restart it comes back in front of the frame, as large as it was left; the file-command panel
# floated too starts right below its caption.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

printf '[Application Information]\r\nbOpnSmpImg=0\r\n' >"$VK_E2E_BIN/Pictavo.ini"

# vk_panel_rect KIDS NAME: "x y w h" of the panel titled NAME among the children listed.
vk_panel_rect() { awk -F'\t' -v t="$2" '$1 == "#32770" && $3 == t { print $2; exit }' <<<"$1"; }
# vk_top_line TITLE: the session's top-level window line titled so (exactly).
vk_top_line() { vk_e2e_windows | awk -F'\t' -v t="$1" '$5 == t { print; exit }'; }
# colour_at PNG X Y: the pixel as #RRGGBB.
colour_at() { convert "$1" -format "#%[hex:p{$2,$3}]" info: | cut -c1-7; }

# vk_in_front FRAME FLOAT STEP: the floating frame lies above the frame in the stacking order and
# on the screen: inside it, below its caption, the panel shows, not the frame's white page.
vk_in_front()
{
  local order x y w h seen
  order=$(vk_e2e_windows | awk -F'\t' -v a="$1" -v b="$2" '$1 == a || $1 == b { printf "%s ", ($1 == b ? "float" : "frame") }')
  [ "$order" = "float frame " ] || vk_e2e_fail "$3: the windows stand as \"$order\""
  read -r x y w h < <(vk_e2e_windows | awk -F'\t' -v h="$2" '$1 == h { print $4 }')
  vk_e2e_shot "$3"
  seen=$(colour_at "$VK_E2E_OUT/$3.png" $((x + 6)) $((y + h / 2)))
  [ "$seen" != "#FFFFFF" ] || vk_e2e_fail "$3: the page shows where the floating panel lies"
}

# vk_drag X Y X2 Y2: a press at (X, Y) dragged in steps to (X2, Y2), then released.
vk_drag()
{
  vk_e2e_step "drag $1 $2 to $3 $4"
  xdotool mousemove "$1" "$2" mousedown 1 mousemove $(($1 + 10)) $(($2 + 10)) \
    mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) mousemove "$3" "$4" sleep 0.3 mouseup 1
  sleep 1
}

vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
vk_e2e_idle "$frame" 0.5
kids=$(vk_e2e_children "$frame")
read -r ox oy ow oh < <(vk_panel_rect "$kids" '操作 パネル')
read -r tx _ tw _ < <(grep '^SysTabControl32'$'\t' <<<"$kids" | head -1 | cut -f2)

# Its gripper's drawn line, 3 below the panel's top, to the page's middle low on the screen.
vk_drag $((ox + ow / 2)) $((oy + 3)) $((tx + tw / 2)) 760
line=$(vk_top_line '操作 パネル')
[ -n "$line" ] || vk_e2e_fail "no floating window titled 操作 パネル: $(vk_e2e_windows | cut -f4,5 | paste -sd';')"
float=$(cut -f1 <<<"$line")
read -r fx fy fw fh < <(cut -f4 <<<"$line")
vk_e2e_log "floating at $fx $fy, $fw x $fh"
[ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] && [ $((fx + fw)) -le 1280 ] && [ $((fy + fh)) -le 1024 ] ||
  vk_e2e_fail "the floating panel lies at $fx $fy, $fw x $fh, off the 1280 x 1024 screen"
[ -z "$(vk_panel_rect "$(vk_e2e_children "$frame")" '操作 パネル')" ] || vk_e2e_fail "the panel still docks in the frame"

# Its bottom-right corner 50 out and 80 up: so much wider and lower, where it was.
vk_drag $((fx + fw - 2)) $((fy + fh - 2)) $((fx + fw + 48)) $((fy + fh - 82))
read -r gx gy gw gh < <(vk_e2e_windows | awk -F'\t' -v h="$float" '$1 == h { print $4 }')
[ "$gx $gy" = "$fx $fy" ] && [ $((gw - fw - 50)) -ge -2 ] && [ $((gw - fw - 50)) -le 2 ] &&
  [ $((gh - fh + 80)) -ge -2 ] && [ $((gh - fh + 80)) -le 2 ] ||
  vk_e2e_fail "after its corner's drag the floating panel is $gw x $gh at $gx $gy (was $fw x $fh at $fx $fy)"

# A click on the page activates the frame; the panel stays in front.
vk_e2e_click $((tx + 20)) $((fy - 40))
sleep 1
vk_e2e_idle "$frame" 0.3
vk_in_front "$frame" "$float" clicked
vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
grep -q '^Bar[0-9]*=105,1,59423,' "$VK_E2E_BIN/Pictavo.ini" ||
  vk_e2e_fail "the bar state says of the operation panel: $(grep -a '=105,' "$VK_E2E_BIN/Pictavo.ini")"

vk_e2e_start second
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
line=$(vk_e2e_wait_line '^Afx:' '^操作 パネル$')
float=$(cut -f1 <<<"$line")
vk_e2e_idle "$frame" 0.5
[ "$(cut -f4 <<<"$line")" = "$gx $gy $gw $gh" ] ||
  vk_e2e_fail "the floating panel came back at $(cut -f4 <<<"$line"), not $gx $gy $gw $gh"
vk_in_front "$frame" "$float" restarted

# The file-command panel floated over the page: its first button right below its caption.
kids=$(vk_e2e_children "$frame")
read -r cx cy cw ch < <(vk_panel_rect "$kids" 'ファイルコマンド パネル')
read -r tx _ tw _ < <(grep '^SysTabControl32'$'\t' <<<"$kids" | head -1 | cut -f2)
vk_drag $((cx + cw / 2)) $((cy + 3)) $((tx + tw / 2)) 200
kids=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" children "$(vk_top_line 'ファイルコマンド パネル' | cut -f1)" | tr -d '\r')
read -r _ py _ _ < <(vk_panel_rect "$kids" 'ファイルコマンド パネル')
read -r _ by _ _ < <(awk -F'\t' '$3 == "選択画像を開く" { print $2; exit }' <<<"$kids")
[ -n "$py" ] && [ -n "$by" ] && [ $((by - py)) -le 12 ] ||
  vk_e2e_fail "the floating file commands' first button lies $((by - py)) below the panel's top"
vk_e2e_shot two-floating
vk_e2e_close "$frame"
vk_e2e_wait_exit "$second"
vk_e2e_log "passed"
