# Sourced by the scripts that start a private display or the demo guide
# service (scripts/demo.sh, scripts/bench-startup.sh, scripts/test.sh,
# tests/e2e/run.sh). The caller keeps the process ids and ends them.

# start_private_display FIRST LOG: an Xvfb on the first free display number
# from FIRST on, its output in LOG. Sets XVFB_PID and exports DISPLAY; 1
# when it does not answer within five seconds.
start_private_display() {
  local number=$1 log=$2
  while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do
    number=$((number + 1))
  done
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >"$log" 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$number"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# start_demo_guide_at PROGRAM PORT_FILE LOG: the demo guide service on a free
# loopback port (PROGRAM ending in .exe runs under wine, in the port file's
# folder). Sets DEMO_PID and DEMO_PORT; 1 when no port is told within ten
# seconds.
start_demo_guide_at() {
  local program=$1 portfile=$2 log=$3
  rm -f "$portfile"
  case "$program" in
    *.exe) (cd "$(dirname "$portfile")" && exec wine "$program" --port-file "$(basename "$portfile")" >"$log" 2>&1) & ;;
    *) "$program" --port-file "$portfile" >"$log" 2>&1 & ;;
  esac
  DEMO_PID=$!
  for _ in $(seq 100); do
    [ -s "$portfile" ] && { DEMO_PORT=$(tr -d '\r\n ' <"$portfile"); return 0; }
    sleep 0.1
  done
  return 1
}
