# Sourced by the scripts whose Windows programs open windows: a virtual X display when there is
# none (CI has none). Sets DISPLAY and xvfb_pid (empty when a display was already there).
zq_start_xvfb() {
  xvfb_pid=""
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    break
  done
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
}
