#!/usr/bin/env bash
# A first run without settings asks once about the page set-up (answered No) and shows the frame
# with the sample images open, the first one current, says so once and then focuses the page's
# drawing area; a second instance says that the program
# runs and ends, the first one runs on; the first one's exit writes the whole section
# "Application Information" with the first run done.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

vk_e2e_start first
vk_e2e_wait_box
vk_e2e_expect_text "ご利用ありがとうございます。"
vk_e2e_expect_text "プリンタの頁レイアウトの設定を行ないますか？"
vk_e2e_shot first-run-question
vk_e2e_press "$VK_BOX" 7
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo - .*\\サンプル１\.jpg$')
vk_e2e_wait_box
vk_e2e_expect_text "サンプル画像を開きました。"
vk_e2e_press "$VK_BOX" 1
vk_e2e_no_window '#32770' '^Pictavo$' 3
vk_e2e_shot samples
[ "$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" focus "$frame" | cut -f1 | tr -d '\r')" = Edit ] ||
  vk_e2e_fail "the sample's drawing area does not hold the focus"

vk_e2e_start second
vk_e2e_wait_box
vk_e2e_expect_text "システムは既に実行中です。\n\nこちらの画面で処理を行なって下さい。"
vk_e2e_shot second-instance
# The box stays in front of the first instance's frame, also when that frame comes to the top
# after it (its program taking the activation late): in the windows' order and on the screen.
vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" raise "$frame" || vk_e2e_fail "the frame cannot be raised"
sleep 1
above=$(vk_e2e_windows | awk -F'\t' -v b="$VK_BOX" -v f="$frame" '$1 == b && !seen { print "box"; exit } $1 == f { seen = 1 }')
[ "$above" = box ] || vk_e2e_fail "the second start's message stands behind the first instance's frame"
vk_e2e_shot second-instance-raised
box=$(vk_e2e_windows | awk -F'\t' -v h="$VK_BOX" '$1 == h { split($4, r, " "); print r[3] "x" r[4] "+" r[1] "+" r[2] }')
for shot in second-instance second-instance-raised; do
  convert "$VK_E2E_OUT/$shot.png" -crop "$box" +repage "$VK_E2E_OUT/$shot-box.png"
done
[ "$(vk_e2e_differ "$VK_E2E_OUT/second-instance-box.png" "$VK_E2E_OUT/second-instance-raised-box.png")" = 0 ] ||
  vk_e2e_fail "the second start's message is covered on the screen"
vk_e2e_press "$VK_BOX" 1
vk_e2e_wait_exit "$second"
vk_e2e_running "$first" || vk_e2e_fail "the first instance ended with the second"
[ "$(vk_e2e_ini 'Application Information' bOpnSmpImg)" = "(none)" ] ||
  vk_e2e_fail "the second instance wrote the settings"

vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
[ "$(vk_e2e_ini 'Application Information' bOpnSmpImg)" = 0 ] || vk_e2e_fail "bOpnSmpImg is not 0"
# Every key: 123 with the default list capacities and empty folder lists, and the history's one
# folder, the one the tree started in.
keys=$(vk_e2e_ini_keys 'Application Information')
[ "$keys" -eq 124 ] || vk_e2e_fail "the section holds $keys keys"
[ "$(vk_e2e_ini 'Application Information' PciEti_amPathName_10)" = "" ] || vk_e2e_fail "no tenth tool entry"
[ "$(vk_e2e_ini 'Common Information' iScaBas)" = 5 ] || vk_e2e_fail "no common settings"
vk_e2e_log "passed"
