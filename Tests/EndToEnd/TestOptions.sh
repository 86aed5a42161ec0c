#!/usr/bin/env bash
# The options dialog as a person uses it.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

# A later run: no first-run question, no samples.
printf '[Application Information]\r\nbOpnSmpImg=0\r\n' >"$VK_E2E_BIN/Pictavo.ini"

vk_e2e_start first
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo')
sleep 2
vk_e2e_key alt+t
sleep 0.4
vk_e2e_key o
dialog=$(vk_e2e_wait_window '#32770' '^オプション設定$')
sleep 1
vk_e2e_shot options-basic
vk_e2e_children "$dialog" >"$VK_E2E_OUT/children.txt"
vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" command "$dialog" 32783
sleep 1
vk_e2e_shot options-panel
vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" command "$dialog" 32784
sleep 1
vk_e2e_shot options-display
vk_e2e_key Escape
sleep 0.5
vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
vk_e2e_log "passed"
