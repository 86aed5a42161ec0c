#!/usr/bin/env bash
# What a person sees of the dialogs and the names: the first run's page set-up, the About box,
# the scale dialog, the options dialog and the page set-up of the File menu open centred on the
# frame, the scale dialog shows no choice in the modified colour, and a name with underscores
# shows them in the File menu's recent files (the menu's text is drawn without smoothing, so the
# six make one black line). With the log on, save as opens with the base name selected (a letter
# typed replaces it) and traces nothing; a name of 300 letters in the save, open and
# open-information dialogs is refused with a message, each dialog still answers Escape, and the
# program goes on.
source "$(dirname "$0")/VktE2e.sh"
vk_e2e_begin

# vk_line_of HWND: the session's line of that top-level window.
vk_line_of() { vk_e2e_windows | awk -F'\t' -v h="$1" '$1 == h'; }

# vk_centred NAME DIALOG-HWND FRAME-HWND: the dialog's middle is the frame's (2 pixels either way).
vk_centred()
{
  local dx dy
  read -r dx dy < <(paste <(vk_line_of "$2" | cut -f4) <(vk_line_of "$3" | cut -f4) |
    awk '{ printf "%d %d\n", ($1 + $3 / 2) - ($5 + $7 / 2), ($2 + $4 / 2) - ($6 + $8 / 2) }')
  vk_e2e_log "$1: $dx $dy off the frame's middle"
  [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] || vk_e2e_fail "$1 opens $dx, $dy off the frame's middle"
}

# vk_run PNG "x y w h" COLOUR LENGTH: the rectangle holds a row of LENGTH pixels of the colour.
vk_run()
{
  local png=$1 colour=$3 length=$4 found
  set -- $2
  found=$(convert "$png" -crop "${3}x${4}+${1}+${2}" +repage -fill '#FF00FE' -opaque "$colour" \
    -fill black +opaque '#FF00FE' -fill white -opaque '#FF00FE' -morphology Erode "rectangle:${length}x1" \
    -format '%[fx:maxima]' info:)
  [ "$found" = 1 ]
}

# The first run: the page set-up asked for and shown.
vk_e2e_start first
vk_e2e_wait_box
vk_e2e_press "$VK_BOX" 6
setup=$(vk_e2e_wait_window '#32770' '^ページ設定$')
frame=$(vk_e2e_wait_window '^Afx:' '^Pictavo')
sleep 1
vk_e2e_shot first-run-page-setup
vk_centred "the first run's page set-up" "$setup" "$frame"
vk_e2e_press "$setup" 2
vk_e2e_wait_window '^Afx:' '^Pictavo - ' >/dev/null
vk_e2e_wait_box
vk_e2e_expect_text "サンプル画像を開きました。"
vk_e2e_press "$VK_BOX" 1
vk_e2e_close "$frame"
vk_e2e_wait_exit "$first"

# A name with underscores.
dir=$VK_E2E_TMP/img
mkdir -p "$dir"
convert -size 400x300 xc:orange "$dir/a______b.png"
vk_e2e_start second "$(vk_e2e_path "$dir/a______b.png")"
frame=$(vk_e2e_wait_window '^Afx:' 'a______b\.png$')
sleep 2
vk_e2e_key alt+f
menu=$(vk_e2e_wait_line '#32768' '')
sleep 0.5
vk_e2e_shot file-menu
vk_run "$VK_E2E_OUT/file-menu.png" "$(cut -f4 <<<"$menu")" '#000000' 24 ||
  vk_e2e_fail "the File menu's recent file shows no underscores"
vk_e2e_key Escape Escape
sleep 0.5

# The dialogs of the menus; the picture takes the focus first, for its scale commands.
area=$(vk_e2e_area "$frame")
read -r ax ay aw ah <<<"$area"
vk_e2e_click $((ax + aw / 2)) $((ay + ah / 2))
sleep 0.5
for row in "about:alt+h a:Pictavo のバージョン情報" "scale:alt+i a:倍率指定" "options:alt+t o:オプション設定" \
  "page-setup:alt+f u:ページ設定"; do
  IFS=: read -r name keys title <<<"$row"
  for key in $keys; do vk_e2e_key "$key"; sleep 0.4; done
  dialog=$(vk_e2e_wait_window '#32770' "^$title\$")
  sleep 1
  vk_e2e_shot "$name"
  vk_centred "$name" "$dialog" "$frame"
  if [ "$name" = scale ] && vk_run "$VK_E2E_OUT/$name.png" "$(vk_line_of "$dialog" | cut -f4)" '#80FF80' 1; then
    vk_e2e_fail "the scale dialog shows the modified colour"
  fi
  vk_e2e_key Escape
  sleep 0.5
done

vk_e2e_close "$frame"
vk_e2e_wait_exit "$second"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"

# The file dialogs, with a new log.
vk_e2e_start third -lc "$(vk_e2e_path "$dir/a______b.png")"
frame=$(vk_e2e_wait_window '^Afx:' 'a______b\.png$')
sleep 2
area=$(vk_e2e_area "$frame")
read -r ax ay aw ah <<<"$area"
vk_e2e_click $((ax + aw / 2)) $((ay + ah / 2))
sleep 0.5

# vk_selection DIALOG: "start end<tab>text" of the dialog's focused box, once it has the focus.
vk_selection()
{
  local until=$((SECONDS + 10)) line
  until line=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" selection "$1" 2>/dev/null | tr -d '\r') && [ -n "$line" ]; do
    [ $SECONDS -lt $until ] || vk_e2e_fail "nothing in dialog $1 has the focus"
    sleep 0.3
  done
  echo "$line"
}
# vk_name DIALOG TEXT: the name box takes the text.
vk_name()
{
  vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" set-text "$1" 1152 "$2" ||
    vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" set-text "$1" 1148 "$2" || vk_e2e_fail "dialog $1 has no name box"
}

# Save as: the base name selected; "x" typed replaces it.
vk_e2e_key ctrl+s
dialog=$(vk_e2e_wait_window '#32770' '保存')
sleep 1
selection=$(vk_selection "$dialog")
[ "$selection" = $'0 8\ta______b.jpg' ] || vk_e2e_fail "the save dialog's name box shows \"$selection\""
vk_e2e_key x
sleep 0.5
selection=$(vk_selection "$dialog")
[ "${selection#*$'\t'}" = x.jpg ] || vk_e2e_fail "typing x made the name \"${selection#*$'\t'}\""
vk_e2e_shot save-as-typed
vk_e2e_key Escape
sleep 0.5

# Each file dialog: a folder and 300 letters, Return; the message, and the dialog goes on.
long=$(vk_e2e_path "$dir")\\$(printf 'a%.0s' $(seq 300)).jpg
for row in "save:ctrl+s:保存" "open:ctrl+o:開く" "write-info:alt+f w:オープン情報を書き込む"; do
  IFS=: read -r name keys title <<<"$row"
  for key in $keys; do vk_e2e_key "$key"; sleep 0.4; done
  dialog=$(vk_e2e_wait_window '#32770' "$title")
  sleep 1
  vk_name "$dialog" "$long"
  vk_e2e_key Return
  vk_e2e_wait_box
  vk_e2e_expect_text "ファイルの指定が長すぎます。"
  vk_e2e_shot "$name-too-long"
  vk_e2e_press "$VK_BOX" 1
  sleep 0.5
  [ -n "$(vk_e2e_find '#32770' "$title")" ] || vk_e2e_fail "the $name dialog closed on the long name"
  vk_e2e_key Escape
  until=$((SECONDS + 10))
  while [ -n "$(vk_e2e_find '#32770' "$title")" ]; do
    [ $SECONDS -lt $until ] || vk_e2e_fail "the $name dialog does not answer Escape"
    sleep 0.3
  done
  vk_e2e_running "$third" || vk_e2e_fail "the program ended after the $name dialog"
done

# The log, while the program runs (an empty one goes at the exit): no report in it.
compgen -G "$VK_E2E_BIN/Tmp/*_Log.txt" >/dev/null || vk_e2e_fail "-lc made no log"
log=$(cat "$VK_E2E_BIN"/Tmp/*_Log.txt | iconv -c -f CP932 -t UTF-8)
[ -z "$log" ] || vk_e2e_fail "the log holds: $(head -c 300 <<<"$log")"
vk_e2e_close "$frame"
vk_e2e_wait_exit "$third"
[ "$VK_E2E_STATUS" -eq 0 ] || vk_e2e_fail "the program ended with $VK_E2E_STATUS"
vk_e2e_log "passed"
