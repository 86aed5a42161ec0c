# Starts Xvfb on a free display and stops it (by its pid) when the calling script exits.
# Source it, then call vk_start_xvfb; DISPLAY is exported.
vk_start_xvfb() {
  # Xvfb takes the first free display itself and writes its number once it accepts connections,
  # so scripts started at the same moment never share one.
  local ready i
  ready=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
  VK_XVFB_PID=$!
  for i in $(seq 100); do
    [ -s "$ready" ] && break
    kill -0 "$VK_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  local n
  n=$(tr -dc 0-9 <"$ready")
  rm -f "$ready"
  if [ -n "$n" ] && kill -0 "$VK_XVFB_PID" 2>/dev/null; then
    export DISPLAY=":$n"
    trap vk_stop_xvfb EXIT
    trap 'exit 130' INT TERM
    return 0
  fi
  kill "$VK_XVFB_PID" 2>/dev/null || true
  VK_XVFB_PID=
  echo "no free X display" >&2
  return 1
}

vk_stop_xvfb() {
  if [ -n "${VK_XVFB_PID:-}" ]; then
    # Wine's own processes go first, so none of them loses its display.
    wineserver -k 2>/dev/null || true
    kill "$VK_XVFB_PID" 2>/dev/null || true
    wait "$VK_XVFB_PID" 2>/dev/null || true
    VK_XVFB_PID=
  fi
}
