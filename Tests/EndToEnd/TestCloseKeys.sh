#!/usr/bin/env bash
# Alt+F4 ends the program wherever the keyboard is: in the folder tree, the file list, the edits,
# combo boxes and buttons of the panels, with no page open and with one; each run writes its
# settings. Alt+Space (the system menu) and F10 (the menu bar) work from the tree, a panel's
# edit and a drop-down list.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

image=$VK_E2E_TMP/photo.bmp
convert -size 320x200 gradient:navy-gold "BMP3:$image"

failed=()

# vk_menu KEY WHERE: KEY opens a popup menu (Alt+Space the system menu; F10, then Down, the first
# menu of the menu bar), Escape closes it again.
vk_menu()
{
  local until=$((SECONDS + 10))
  vk_e2e_key "$1"
  [ "$1" != F10 ] || { sleep 0.5; vk_e2e_key Down; }
  until [ -n "$(vk_e2e_find '^#32768$' '')" ]; do
    if [ $SECONDS -ge $until ]; then failed+=("$1 from $2"); return 0; fi
    sleep 0.3
  done
  until=$((SECONDS + 10))
  while [ -n "$(vk_e2e_find '^#32768$' '')" ] && [ $SECONDS -lt $until ]; do
    vk_e2e_key Escape
    sleep 0.5
  done
  # The menu bar stays selected after its popup closed; one more Escape leaves it.
  vk_e2e_key Escape
  sleep 0.5
}

# vk_close_from NAME X Y [menu] [image]: a fresh start (a later run's settings only), the keyboard
# put into the control at X Y by a click (none for "-"; Escape closes a list the click dropped),
# then Alt+F4.
vk_close_from()
{
  local name=$1 x=$2 y=$3 extra=${4:-} pid frame focus
  printf '[Application Information]\r\nbOpnSmpImg=0\r\n' >"$VK_E2E_BIN/Pictavo.ini"
  if [ -n "${5:-}" ]; then vk_e2e_start pid "$(vk_e2e_path "$5")"; else vk_e2e_start pid; fi
  frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo')
  vk_e2e_idle "$frame"
  if [ "$x" != - ]; then
    vk_e2e_click "$x" "$y"
    sleep 0.5
    vk_e2e_key Escape
    sleep 0.5
  fi
  focus=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" focus "$frame" | tr -d '\r' | cut -f1)
  vk_e2e_log "$name: the keyboard is in $focus"
  if [ "$extra" = menu ]; then
    vk_menu alt+space "$name"
    vk_menu F10 "$name"
  fi
  vk_e2e_shot "$name"
  vk_e2e_key alt+F4
  local until=$((SECONDS + 20))
  while vk_e2e_running "$pid" && [ $SECONDS -lt $until ]; do sleep 0.2; done
  if vk_e2e_running "$pid"; then
    failed+=("Alt+F4 from $name ($focus)")
    kill -9 "$pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    wineserver -p
    return 0
  fi
  [ "$(vk_e2e_ini 'Common Information' rctWindow_left)" != "(none)" ] || failed+=("no settings written after $name")
}

# Where the controls stand in a first look at the frame.
printf '[Application Information]\r\nbOpnSmpImg=0\r\n' >"$VK_E2E_BIN/Pictavo.ini"
vk_e2e_start probe
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
vk_e2e_idle "$frame"
kids=$(vk_e2e_children "$frame")
vk_e2e_close "$frame"
vk_e2e_wait_exit "$probe"
# vk_at CLASS N [TEXT]: a point inside the Nth visible control of the class (with that text).
vk_at()
{
  awk -F'\t' -v c="$1" -v n="$2" -v t="${3:-}" '$1 == c && (t == "" || $3 == t) && ++k == n {
    split($2, r, " "); print r[1] + int(r[3] / 3), r[2] + int(r[4] / 2); exit }' <<<"$kids"
}
list=$(vk_at SysListView32 1)
read -r lx ly <<<"$list"
interval=$(vk_at Edit 1)
place=$(vk_at Edit 2)
filter=$(vk_at Edit 3)
tools=$(vk_at Edit 4)
history=$(vk_at Button 1 履歴)
fit=$(awk -F'\t' '$1 == "ComboBox" { p = $2 } END { split(p, r, " "); print r[1] + 10, r[2] + 10 }' <<<"$kids")
[ -n "$list" ] && [ -n "$tools" ] && [ -n "$history" ] || vk_e2e_fail "the panels' controls were not found"

vk_close_from tree - - menu
vk_close_from list "$lx" "$((ly + 200))"
vk_close_from interval $interval menu
vk_close_from place $place
vk_close_from filter $filter
vk_close_from tools $tools
vk_close_from history $history
vk_close_from fit $fit menu
vk_close_from page-open-list "$lx" "$((ly + 200))" "" "$image"

[ ${#failed[@]} -eq 0 ] || vk_e2e_fail "these did not work: ${failed[*]}"
vk_e2e_log "passed"
