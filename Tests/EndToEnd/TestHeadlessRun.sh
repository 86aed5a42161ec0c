#!/usr/bin/env bash
# What scripts/run does without a display, on the session's own copy: scripts/shot answers the
# first run's question and the samples' note, writes the screenshot once the frame is painted and
# idle (the sample shows in it), closes the frame by its close box and returns the program's
# status 0; the exit wrote the settings of a finished first run.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

shot=$VK_E2E_OUT/shot.png
status=0
timeout 150 "$VK_E2E_DIR/../../scripts/shot" "$VK_E2E_BIN/Pictavo.exe" "$shot" || status=$?
[ "$status" -eq 0 ] || vk_e2e_fail "scripts/shot ended with $status"
[ -f "$shot" ] || vk_e2e_fail "no screenshot"
[ -z "$(vk_e2e_find '.' '^Pictavo')" ] || vk_e2e_fail "the program's windows stayed"
[ "$(vk_e2e_ini 'Application Information' bOpnSmpImg)" = 0 ] || vk_e2e_fail "the first run did not end as one"
# The first sample (greens and blues) fills much of the screenshot's middle.
n=$(convert "$shot" -crop 400x300+500+250 +repage -format %k info:)
[ "$n" -gt 1000 ] || vk_e2e_fail "the screenshot's middle holds $n colours: no sample shows"
vk_e2e_log "passed"
