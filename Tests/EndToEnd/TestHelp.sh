#!/usr/bin/env bash
# The Help menu's text files open in the platform's text viewer (Notepad under Wine, through the
# file types scripts/setup binds in the prefix): "キーボード マウス" and "操作説明 (テキスト)",
# each chosen from the menu by its access keys.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

printf '[Application Information]\r\nbOpnSmpImg=0\r\n' >"$VK_E2E_BIN/Pictavo.ini"
vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
sleep 1

for row in "k Pictavo_Kbm" "t Pictavo"; do
  read -r key name <<<"$row"
  # The frame active again (a click on its caption), then the menu.
  read -r x y w h < <(vk_e2e_windows | awk -F'\t' -v f="$frame" '$1 == f { print $4 }')
  vk_e2e_click $((x + w / 2)) $((y + 10))
  sleep 0.3
  vk_e2e_key alt+h
  sleep 0.3
  vk_e2e_key "$key"
  viewer=$(vk_e2e_wait_window '^Notepad$' "^$name\\.txt - " 30)
  sleep 1
  vk_e2e_shot "$name"
  vk_e2e_close "$viewer"
  vk_e2e_no_window '^Notepad$' "^$name\\.txt - " 2
  vk_e2e_log "$name.txt shown"
done

vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
vk_e2e_log "passed"
