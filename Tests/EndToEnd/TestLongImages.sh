#!/usr/bin/env bash
# Very long images named on the command line between two ordinary ones: all five open without a
# message, the first is current and its drawing area holds the focus (the scale buttons are
# enabled without a click); 30000 x 20, 20 x 30000 and 65000 x 1 fit with their short side one
# pixel and scroll along the long one.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

printf '[Application Information]\r\nbOpnSmpImg=0\r\n' >"$VK_E2E_BIN/Pictavo.ini"
dir=$VK_E2E_TMP/long
mkdir -p "$dir"
# ImageMagick refuses sides this long: the PNGs are written directly.
python3 - "$dir" <<'EOF'
import struct, sys, zlib
def png(name, w, h, rgb):
    rows = b''.join(b'\0' + bytes(rgb) * w for _ in range(h))
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    with open(sys.argv[1] + '/' + name, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0)) +
                chunk(b'IDAT', zlib.compress(rows, 9)) + chunk(b'IEND', b''))
png('first.png', 200, 150, (255, 160, 0))
png('wide.png', 30000, 20, (255, 0, 0))
png('tall.png', 20, 30000, (0, 0, 255))
png('line.png', 65000, 1, (0, 255, 0))
png('last.png', 150, 200, (255, 0, 255))
EOF
names=(first wide tall line last)
args=()
for name in "${names[@]}"; do args+=("$(vk_e2e_path "$dir/$name.png")"); done

vk_e2e_start first "${args[@]}"
frame=$(vk_e2e_wait_window '^Afx:' 'first\.png$')
vk_e2e_no_window '#32770' '^Pictavo$' 3
titles=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" tabs "$frame" | tr -d '\r' | grep $'^\t' | tr -d '\t' | paste -sd' ')
[ "$titles" = "first.png wide.png tall.png line.png last.png" ] || vk_e2e_fail "the tabs are: $titles"
focus=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" focus "$frame" | tr -d '\r')
[ "$(cut -f1 <<<"$focus")" = Edit ] || vk_e2e_fail "the focus is on \"$focus\", not on the page's drawing area"
for id in 49378 49380; do
  [ "$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" enabled "$frame" $id | tr -d '\r')" = 1 ] ||
    vk_e2e_fail "the scale button $id is disabled"
done
vk_e2e_shot first

# Each long image: its colour's extent in the drawing area, one pixel across its short side and
# the area's length along the long one.
vk_e2e_key ctrl+b
sleep 0.3
for row in "wide #FF0000 long 1" "tall #0000FF 1 long" "line #00FF00 long 1"; do
  read -r name colour w h <<<"$row"
  vk_e2e_key Right
  vk_e2e_wait_window '^Afx:' "$name\\.png\$" >/dev/null
  sleep 1
  vk_e2e_shot "$name"
  area=$(vk_e2e_area "$frame")
  read -r ax ay aw ah <<<"$area"
  read -r bw bh < <(vk_e2e_box "$VK_E2E_OUT/$name.png" "$area" "$colour")
  vk_e2e_log "$name: $bw x $bh in $area"
  [ "$w" = long ] && w=$((aw - 40)) && [ "$bh" -eq "$h" ] && [ "$bw" -ge "$w" ] && continue
  [ "$h" = long ] && h=$((ah - 40)) && [ "$bw" -eq "$w" ] && [ "$bh" -ge "$h" ] && continue
  vk_e2e_fail "$name shows as $bw x $bh in the area $aw x $ah"
done

vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
vk_e2e_log "passed"
