# Starts Xvfb on a free display and stops it (by its pid) when the calling script exits.
# Source it, then call vk_start_xvfb; DISPLAY is exported.
vk_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    VK_XVFB_PID=$!
    local i
    for i in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$VK_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$VK_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      trap vk_stop_xvfb EXIT
      trap 'exit 130' INT TERM
      return 0
    fi
  done
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
