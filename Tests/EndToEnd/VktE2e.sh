# The end-to-end scripts' shared steps. Source it from a script run by ctest (VK_BUILD names the
# build folder), then call vk_e2e_begin: the script gets its own copy of build/bin, its own Wine
# session (a private prefix made of the build's one) on its own Xvfb display, and all of it goes
# again when the script exits. Screenshots stay in $VK_BUILD/tests/EndToEnd/<script name>.
#
#   source "$(dirname "$0")/VktE2e.sh"
#   vk_e2e_begin
#   vk_e2e_start first                      # Pictavo.exe; its pid in $first
#   vk_e2e_wait_box                         # a message box: $VK_BOX, its text in $VK_BOX_TEXT
#   vk_e2e_press "$VK_BOX" 7                # IDNO, clicked
#   frame=$(vk_e2e_wait_window '^Afx' 'Pictavo')
#   vk_e2e_close "$frame"; vk_e2e_wait_exit "$first"
#   [ "$(vk_e2e_ini 'Application Information' bOpnSmpImg)" = 0 ] || vk_e2e_fail "..."
set -euo pipefail
VK_E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$VK_E2E_DIR/../../scripts/env.sh"
source "$VK_E2E_DIR/../../scripts/xvfb.sh"
source "$VK_E2E_DIR/../../scripts/prefix.sh"

VK_E2E_NAME=$(basename "$0" .sh)
VK_E2E_TIMEOUT=${VK_E2E_TIMEOUT:-60}
VK_E2E_PIDS=()

vk_e2e_log() { echo "[$VK_E2E_NAME] $*"; }

# The script's last steps, with the seconds since it began: ctest shows them when it fails.
vk_e2e_step() { echo "[$VK_E2E_NAME] ${SECONDS}s $*" >&2; }

vk_e2e_fail()
{
  VK_E2E_FAILED=$*
  echo "[$VK_E2E_NAME] FAILED: $*" >&2
  echo "[$VK_E2E_NAME] windows: $(vk_e2e_windows | cut -f2-5 | tr '\n\t' '; ')" >&2
  vk_e2e_shot failure || true
  exit 1
}

# The threads of the session's programs where they stand (winedbg), kept as backtraces.txt; the
# program's own are shown too. For a step that waited in vain: a program that does not answer.
vk_e2e_backtraces()
{
  local out=$VK_E2E_OUT/backtraces.txt
  printf 'bt all\nquit\n' | timeout -k 5 60 env LC_ALL="$VK_LOCALE" LOCPATH="$VK_LOCPATH" winedbg >"$out" 2>&1 || true
  awk '/^Backtracing for thread/ { show = /Pictavo\.exe/ } show' "$out" | cut -c1-160 >&2 || true
}

# The temporary folder with the program's copy ($VK_E2E_BIN) and the private Wine prefix, the
# display, and the end of all of it at exit.
vk_e2e_begin()
{
  VK_E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/vk-e2e.XXXXXX")
  trap vk_e2e_end EXIT
  # Wine keeps its server's folder under TMPDIR: a folder of the session's own, so sessions
  # started and ended beside each other never meet in a shared /tmp.
  export TMPDIR=$VK_E2E_TMP/tmp
  mkdir -m 700 "$TMPDIR"
  VK_E2E_OUT=$VK_BUILD/tests/EndToEnd/$VK_E2E_NAME
  VK_E2E_BIN=$VK_E2E_TMP/bin
  rm -rf "$VK_E2E_OUT"
  mkdir -p "$VK_E2E_OUT"
  cp -r "$VK_BUILD/bin" "$VK_E2E_BIN"
  # Without what a run of the program in build/bin (scripts/run) left there.
  rm -rf "$VK_E2E_BIN/Pictavo.ini" "$VK_E2E_BIN/Usr" "$VK_E2E_BIN/Tmp" "$VK_E2E_BIN"/Vkt/Pictavo.*
  vk_copy_prefix "$WINEPREFIX" "$VK_E2E_TMP/wine"
  export WINEPREFIX=$VK_E2E_TMP/wine
  # One server for the whole session: a server that ends when its last program has gone takes
  # its folder along, and a program starting at that moment fails ("chdir to ... server-...").
  wineserver -p
  vk_start_xvfb
  trap vk_e2e_end EXIT
  # Before ctest's own limit ends the script without a word: where its programs stand.
  (
    sleep "${VK_E2E_LIMIT:-270}" </dev/null >/dev/null 2>&1
    echo "[$VK_E2E_NAME] FAILED: still running after ${VK_E2E_LIMIT:-270} s" >&2
    vk_e2e_backtraces
    kill -TERM $$
  ) &
  VK_E2E_WATCH=$!
}

vk_e2e_end()
{
  local pid
  kill "${VK_E2E_WATCH:-}" 2>/dev/null || true
  for pid in "${VK_E2E_PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  cp "$VK_E2E_BIN/Pictavo.ini" "$VK_E2E_OUT/" 2>/dev/null || true
  # The program's heap faults and exceptions (scripts/test --heap) reach the test's output.
  grep -a -E 'err:heap|warn:heap|err:seh|Unhandled exception|Unhandled page fault' "$VK_E2E_OUT/wine.log" >&2 2>/dev/null || true
  # Only the private session ends: the build's prefix serves the other tests.
  if [ "$WINEPREFIX" = "$VK_E2E_TMP/wine" ]; then
    vk_stop_xvfb
    wineserver -w 2>/dev/null || true
  fi
  rm -rf "$VK_E2E_TMP"
  # Said again as the last line: a log shortened in its middle still shows why.
  [ -z "${VK_E2E_FAILED:-}" ] || echo "[$VK_E2E_NAME] FAILED: $VK_E2E_FAILED" >&2
}

# Runs a Windows program of the session with the project's locale: a helper that asks a window
# which does not answer ends after a minute, saying so.
vk_e2e_wine()
{
  local status=0
  timeout -k 5 60 env LOCPATH="$VK_LOCPATH" LC_ALL="$VK_LOCALE" wine "$@" || status=$?
  if [ $status -eq 124 ] || [ $status -eq 137 ]; then
    echo "[$VK_E2E_NAME] no answer in 60 s: $(basename "$1") ${*:2}" >&2
    vk_e2e_backtraces
  fi
  return $status
}

# vk_e2e_start VAR [arguments]: starts the copy's Pictavo.exe; its pid goes into VAR.
vk_e2e_start()
{
  local var=$1
  shift
  (cd "$VK_E2E_BIN" && exec env LOCPATH="$VK_LOCPATH" LC_ALL="$VK_LOCALE" wine "$VK_E2E_BIN/Pictavo.exe" "$@") \
    >>"$VK_E2E_OUT/wine.log" 2>&1 &
  VK_E2E_PIDS+=($!)
  printf -v "$var" '%s' "$!"
}

# The session's visible top-level windows: hwnd, pid, class, "x y w h", title (tab-separated).
# What the listing says of itself goes to windows.err, shown when a window never showed.
vk_e2e_windows()
{
  { vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" list 2>>"$VK_E2E_OUT/windows.err" ||
    echo "VktWin list: exit $? at ${SECONDS}s" >>"$VK_E2E_OUT/windows.err"; } | tr -d '\r'
}

# The first of the session's visible top-level windows whose class and title match the extended
# regular expressions (its whole line), or nothing.
vk_e2e_find()
{
  vk_e2e_windows | awk -F'\t' -v c="$1" -v t="$2" '!line && $3 ~ c && $5 ~ t { line = $0 } END { print line }'
}

# vk_e2e_wait_line CLASS TITLE [timeout]: waits for such a window and prints its line.
vk_e2e_wait_line()
{
  local until=$((SECONDS + ${3:-$VK_E2E_TIMEOUT})) line
  while [ $SECONDS -lt $until ]; do
    line=$(vk_e2e_find "$1" "$2")
    if [ -n "$line" ]; then
      vk_e2e_step "window /$2/"
      echo "$line"
      return 0
    fi
    sleep 0.3
  done
  vk_e2e_not_shown
  vk_e2e_fail "no window of class /$1/ titled /$2/"
}

# For a window that never showed: whether the session's programs still run, the end of their
# output, and where their threads stand.
vk_e2e_not_shown()
{
  local pid
  for pid in "${VK_E2E_PIDS[@]}"; do
    if kill -0 "$pid" 2>/dev/null; then vk_e2e_step "program $pid still runs"; else vk_e2e_step "program $pid has ended"; fi
  done
  tail -n 20 "$VK_E2E_OUT/wine.log" 2>/dev/null | cut -c1-160 >&2 || true
  tail -n 10 "$VK_E2E_OUT/windows.err" 2>/dev/null | cut -c1-160 >&2 || true
  vk_e2e_backtraces
}

# vk_e2e_wait_window CLASS TITLE [timeout]: waits for such a window and prints its hwnd.
vk_e2e_wait_window() { vk_e2e_wait_line "$@" | cut -f1; }

# vk_e2e_until_is WHAT WANTED COMMAND...: waits (20 s at most) until COMMAND prints WANTED, else
# fails saying WHAT and what it printed.
vk_e2e_until_is()
{
  local what=$1 wanted=$2 until=$((SECONDS + 20))
  shift 2
  until [ "$("$@")" = "$wanted" ]; do
    [ $SECONDS -lt $until ] || vk_e2e_fail "$what \"$("$@")\", not \"$wanted\""
    sleep 0.3
  done
}

# vk_e2e_no_window CLASS TITLE SECONDS: fails when such a window shows within the time.
vk_e2e_no_window()
{
  local until=$((SECONDS + $3))
  while [ $SECONDS -lt $until ]; do
    [ -z "$(vk_e2e_find "$1" "$2")" ] || vk_e2e_fail "a window of class /$1/ titled /$2/ showed"
    sleep 0.3
  done
}

# vk_e2e_wait_box [title] [timeout]: the first message box or dialog titled so (default
# "Pictavo"): its hwnd in VK_BOX, its texts (lines) in VK_BOX_TEXT.
vk_e2e_wait_box()
{
  local line
  line=$(vk_e2e_wait_line '#32770' "^${1:-Pictavo}\$" "${2:-$VK_E2E_TIMEOUT}")
  VK_BOX=$(cut -f1 <<<"$line")
  VK_BOX_TEXT=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" text "$VK_BOX" 2>/dev/null | tr -d '\r')
}

# vk_e2e_expect_text TEXT: the box's texts hold TEXT (a line break written as "\n").
vk_e2e_expect_text()
{
  local flat
  flat=$(awk 'NR > 1 { printf "\\n" } { printf "%s", $0 }' <<<"$VK_BOX_TEXT")
  [[ "$flat" == *"$1"* ]] || vk_e2e_fail "the box says \"$flat\", not \"$1\""
}

# vk_e2e_press HWND ID: clicks the dialog's control (IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7) and
# waits until the dialog has gone.
vk_e2e_press()
{
  local point until=$((SECONDS + VK_E2E_TIMEOUT))
  point=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" button "$1" "$2" 2>/dev/null | tr -d '\r') ||
    vk_e2e_fail "no control $2 in window $1"
  vk_e2e_click $point
  while vk_e2e_windows | awk -F'\t' -v h="$1" '$1 == h { found = 1 } END { exit !found }'; do
    [ $SECONDS -lt $until ] || vk_e2e_fail "window $1 stayed after control $2 was clicked"
    sleep 0.2
  done
}

vk_e2e_click()
{
  vk_e2e_step "click $1 $2"
  xdotool mousemove "$1" "$2" click 1
}
vk_e2e_key()
{
  vk_e2e_step "key $*"
  xdotool key "$@"
}

# vk_e2e_close HWND: clicks the window's close button, looked for again for a few seconds while
# the window does not answer with one.
vk_e2e_close()
{
  local point until=$((SECONDS + 5))
  until point=$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" close "$1" 2>/dev/null | tr -d '\r'); do
    [ $SECONDS -lt $until ] || vk_e2e_fail "window $1 has no close button"
    sleep 0.3
  done
  vk_e2e_click $point
}

# vk_e2e_path PATH: the Windows name of a file of the Unix side (the Z: drive).
vk_e2e_path() { printf 'Z:%s' "${1//\//\\}"; }

# vk_e2e_children HWND: the window's visible descendants (class, x y w h, text).
vk_e2e_children() { vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" children "$1" 2>/dev/null | tr -d '\r'; }

# vk_e2e_area FRAME: "x y w h" of the current page's drawing area (the page's one item, an edit
# made a drawing area, whose corner lies inside the tab control), or nothing. The panels' edits
# lie outside it.
vk_e2e_area()
{
  vk_e2e_children "$1" | awk -F'\t' '
    $1 == "SysTabControl32" && !tab { tab = $2 }
    $1 == "Edit" { edits[++n] = $2 }
    END {
      split(tab, t, " ")
      for (i = 1; i <= n; i++) {
        split(edits[i], r, " ")
        if (tab && r[1] >= t[1] && r[2] >= t[2] && r[1] < t[1] + t[3] && r[2] < t[2] + t[4]) {
          print edits[i]; exit
        }
      }
    }'
}

# vk_e2e_open_image VAR IMAGE: starts the copy's Pictavo.exe on the image (its pid in VAR) and
# waits for its frame ($frame) and the page's drawing area ($area, and $ax $ay $aw $ah).
vk_e2e_open_image()
{
  local name
  name=$(basename "$2")
  vk_e2e_step "open $name"
  vk_e2e_start "$1" "$(vk_e2e_path "$2")"
  frame=$(vk_e2e_wait_window '^Afx:' "${name//./\\.}\$")
  sleep 2
  area=$(vk_e2e_area "$frame")
  [ -n "$area" ] || vk_e2e_fail "no drawing area shows"
  read -r ax ay aw ah <<<"$area"
}

# vk_e2e_tabs FRAME: the titles of the frame's tabs in order, separated by spaces.
vk_e2e_tabs()
{
  vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" tabs "$1" 2>/dev/null | tr -d '\r' | grep $'^\t' | tr -d '\t' | paste -sd' '
}

# vk_e2e_area_of NAME: the drawing area ($ax $ay $aw $ah) of screenshot NAME cut out as NAME-area.
vk_e2e_area_of() { convert "$VK_E2E_OUT/$1.png" -crop "${aw}x${ah}+${ax}+${ay}" +repage "$VK_E2E_OUT/$1-area.png"; }

# vk_e2e_differ A B: the pixels that differ between two images (ImageMagick's absolute error count).
vk_e2e_differ() { { compare -metric AE "$1" "$2" null: 2>&1 || true; } | cut -d' ' -f1; }

# vk_e2e_title HWND: the top-level window's title.
vk_e2e_title() { vk_e2e_windows | awk -F'\t' -v h="$1" '$1 == h { print $5 }'; }

# vk_e2e_box PNG "x y w h" COLOUR [FORMAT]: the bounding box of that colour inside the rectangle
# of the screenshot, as "w h" (FORMAT "%X %Y %w %h": also its corner inside the rectangle). A
# border of another colour goes round the rectangle first, so a box that reaches its edges is
# measured too.
vk_e2e_box()
{
  local png=$1 colour=$3 format=${4:-%w %h}
  set -- $2
  convert "$png" -crop "${3}x${4}+${1}+${2}" +repage -fill black +opaque "$colour" -fill white -opaque "$colour" \
    -bordercolor black -border 1 -trim -set page '%wx%h+%[fx:page.x-1]+%[fx:page.y-1]' \
    -format "$format\n" info: | tr -d '+'
}

vk_e2e_shot() { import -window root "$VK_E2E_OUT/$1.png"; }

# vk_e2e_wait_exit PID [timeout]: the program's exit code in VK_E2E_STATUS; killed on timeout.
vk_e2e_wait_exit()
{
  local until=$((SECONDS + ${2:-$VK_E2E_TIMEOUT}))
  while kill -0 "$1" 2>/dev/null; do
    if [ $SECONDS -ge $until ]; then
      kill -9 "$1" 2>/dev/null || true
      vk_e2e_fail "process $1 did not end"
    fi
    sleep 0.2
  done
  VK_E2E_STATUS=0
  wait "$1" || VK_E2E_STATUS=$?
}

vk_e2e_running() { kill -0 "$1" 2>/dev/null; }

# vk_e2e_items FRAME: the file list's items: name, x y w h of the icon, selected.
vk_e2e_items() { vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" items "$1" 2>/dev/null | tr -d '\r'; }

# vk_e2e_idle FRAME: waits until the program is idle with nothing left to paint, then a moment.
vk_e2e_idle()
{
  local until=$((SECONDS + 20))
  until [ "$(vk_e2e_wine "$VK_BUILD/tests/VktWin.exe" idle "$1" 2>/dev/null | tr -d '\r')" = 1 ]; do
    [ $SECONDS -lt $until ] || vk_e2e_fail "the program did not come to rest"
    sleep 0.3
  done
  sleep "${2:-1}"
}

# The copy's Pictavo.ini as UTF-8 lines (bytes that are no Shift-JIS left out).
vk_e2e_ini_text() { { iconv -c -f CP932 -t UTF-8 "$VK_E2E_BIN/Pictavo.ini" || true; } | tr -d '\r'; }

# vk_e2e_ini SECTION KEY: the value of a key of the copy's Pictavo.ini ("(none)" when absent).
vk_e2e_ini()
{
  [ -f "$VK_E2E_BIN/Pictavo.ini" ] || { echo "(none)"; return 0; }
  vk_e2e_ini_text | awk -v s="[$1]" -v k="$2" '
    /^\[/ { inside = ($0 == s); next }
    inside && !found && index($0, k "=") == 1 { value = substr($0, length(k) + 2); found = 1 }
    END { print found ? value : "(none)" }'
}

# vk_e2e_ini_keys SECTION: the number of keys in the section.
vk_e2e_ini_keys()
{
  [ -f "$VK_E2E_BIN/Pictavo.ini" ] || { echo 0; return 0; }
  vk_e2e_ini_text | awk -v s="[$1]" '
    /^\[/ { inside = ($0 == s); next }
    inside && /=/ { n++ }
    END { print n + 0 }'
}

# vk_e2e_last_type DIALOG: the save dialog's format box (its lowest combo box) opened by a click and
# its last type, PNG, chosen with End; Return closes the list.
vk_e2e_last_type()
{
  local cx cy cw ch
  read -r cx cy cw ch < <(vk_e2e_children "$1" | awk -F'\t' '$1 == "ComboBox" { split($2, r, " "); if (r[2] > y) { y = r[2]; box = $2 } } END { print box }')
  vk_e2e_click $((cx + cw / 2)) $((cy + ch / 2))
  sleep 0.5
  vk_e2e_key End
  sleep 0.5
  vk_e2e_key Return
  sleep 0.5
}
