#!/usr/bin/env bash
# A damaged settings file (values out of range, no digits, "nan", 5000-byte values, binary lines,
# list capacities of -5 and 1000000) and a work folder "Vkt" that is a file: the program starts
# with the fallbacks, makes the folder, says of each missing sample that it is not found, and its
# exit writes sound values.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

rm -rf "$VK_E2E_BIN/Vkt"
echo "not a folder" >"$VK_E2E_BIN/Vkt"
long=$(head -c 5000 /dev/zero | tr '\0' 'x')
{
  printf '[Application Information]\r\n'
  printf 'bOpnSmpImg=7\r\nSvi_lQltJpg=101\r\nSopSvi_lQltJpg=abc\r\nSopShi_dScaleWheel=0.95\r\n'
  printf 'CnvSzi_dScale=nan\r\nSopSviSzi_dScale=nan\r\nPciFpi_iCntPathName_1=-5\r\n'
  printf 'PciFpi_iCntPathName_2=1000000\r\nPciEti_iCntPathName=1000000\r\nPciFpi_iCurPathName_1=12\r\n'
  printf '\x01\x02\xff\xfe\x81=\xfd\x80\r\n\x7f\x7f\x7f\r\n'
  printf 'Svi_amSavDir=%s\r\nPoiFri_iMode=%s\r\niOpnOnSel=99999999999\r\n' "$long" "$long"
  printf '[Common Information]\r\niScaBas=abc\r\ndScaleWheel=nan\r\nstrCurDir=%s\r\n' "$long"
} >"$VK_E2E_BIN/Pictavo.ini"

vk_e2e_start first
vk_e2e_wait_box
vk_e2e_expect_text "ご利用ありがとうございます。"
vk_e2e_press "$VK_BOX" 7
smp="Z:$(tr / '\\' <<<"$VK_E2E_BIN")\\Vkt\\Smp"
n=0
for name in サンプル１.jpg サンプル２.bmp; do
  vk_e2e_wait_box
  vk_e2e_expect_text "ファイルが見つかりません。\n\n$smp\\$name"
  vk_e2e_shot "missing-sample-$((n += 1))"
  vk_e2e_press "$VK_BOX" 1
done
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo$')
vk_e2e_no_window '#32770' '^Pictavo$' 2
[ -d "$VK_E2E_BIN/Vkt" ] || vk_e2e_fail "Vkt is no folder"

vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
app='Application Information'
expect()
{
  local value
  value=$(vk_e2e_ini "$1" "$2")
  [ "$value" = "$3" ] || vk_e2e_fail "$2 is \"${value:0:40}\", not \"$3\""
}
expect "$app" bOpnSmpImg 0
expect "$app" Svi_lQltJpg 100
expect "$app" SopSvi_lQltJpg 0
expect "$app" SopShi_dScaleWheel 0.100000
expect "$app" CnvSzi_dScale 1.000000
expect "$app" SopSviSzi_dScale 1.000000
expect "$app" PciFpi_iCntPathName_1 10
expect "$app" PciFpi_iCntPathName_2 10
expect "$app" PciEti_iCntPathName 10
# The count read beyond its capacity became 0; the history then kept the folder the tree started in.
expect "$app" PciFpi_iCurPathName_1 1
expect "$app" PoiFri_iMode 3
expect "$app" iOpnOnSel 3
expect 'Common Information' iScaBas 5
expect 'Common Information' dScaleWheel 0.100000
saved=$(vk_e2e_ini "$app" Svi_amSavDir)
[ "${#saved}" -eq 1023 ] || vk_e2e_fail "the long value came back with ${#saved} bytes"
keys=$(vk_e2e_ini_keys "$app")
# The 123 keys, and the two lines of bytes that were there.
[ "$keys" -ge 123 ] || vk_e2e_fail "the section holds $keys keys"
[ -z "$(vk_e2e_ini "$app" PciEti_amPathName_11 | grep -v '(none)')" ] || vk_e2e_fail "more tools than 10"
vk_e2e_log "passed"
