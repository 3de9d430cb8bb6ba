#!/usr/bin/env bash
# The main job on a fresh machine with no Internet: set up and build, start
# the demo guide service on a free loopback port, and start Rokuban.exe under
# wine pointed at it, so that its window crawls the coming week by itself
# and fills. It runs on your DISPLAY when one is set, else on a private Xvfb;
# a screenshot is taken once the crawl is done. Then rokuban-cli prints
# tonight's guide from the same cache. Enter or Ctrl-C stops everything.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/lib.sh
bash scripts/setup.sh
bash scripts/build.sh >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/rokuban-demo.XXXXXX")
cli=$root/build/native/cli/rokuban-cli
rokuban=$root/build/windows/app/Rokuban.exe
driver=$root/build/windows/tests/e2e/rokuban-driver.exe
shot=$work/rokuban-window.png
DEMO_PID= XVFB_PID= app=

stop() {
  trap - EXIT INT TERM
  [ -n "$app" ] && kill "$app" 2>/dev/null
  # The prefix is the demo's own: this ends only what the demo started.
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  [ -n "$DEMO_PID" ] && kill "$DEMO_PID" 2>/dev/null
  wait 2>/dev/null || true
}
trap stop EXIT
trap 'echo; exit 0' INT TERM

start_demo_guide_at "$root/build/native/tools/demo_guide/rokuban-demo-guide" "$work/port" "$work/guide.log" ||
  { echo "the demo guide service did not start (see $work/guide.log)" >&2; exit 1; }
port=$DEMO_PORT
echo "demo guide service on 127.0.0.1:$port; everything else in $work"

# The Windows program in a folder of its own, set to crawl six days at
# start-up and to close its progress dialog when done.
mkdir -p "$work/app" "$work/app/cache"
cp "$rokuban" "$work/app/Rokuban.exe"
{
  printf '[_config]\r\n'
  printf '%s\r\n' executed=1 server=127.0.0.1 "port=$port" 'directory=cache' date=6 \
    bootdownload=1 autoclose=1
} >"$work/app/Rokuban.ini"

if [ -z "${DISPLAY:-}" ]; then
  start_private_display 90 "$work/xvfb.log" || { echo "Xvfb did not start (see $work/xvfb.log)" >&2; exit 1; }
  echo "no DISPLAY set: running on a private Xvfb ($DISPLAY)"
fi
export ROKUBAN_WINEPREFIX=${TMPDIR:-/tmp}/rokuban-demo-wine-$(id -u)
source scripts/wine-env.sh

(cd "$work/app" && exec wine Rokuban.exe >/dev/null 2>&1) &
app=$!
echo "Rokuban.exe started; it crawls the coming week now"
if [ -f "$driver" ]; then
  wine "$driver" wait-window '#32770' 接続 30000 >/dev/null 2>&1 || true
  wine "$driver" wait-gone '#32770' 接続 300000 >/dev/null 2>&1 || true
  wine "$driver" wait-rows programme 1 30000 >/dev/null 2>&1 || echo "the window shows no programmes"
else
  for _ in $(seq 600); do [ "$(ls "$work/app/cache" | grep -c 'tb\.tmp$')" -ge 36 ] && break; sleep 0.5; done
  sleep 3
fi
sleep 1
window=$(xwininfo -name Rokuban 2>/dev/null | awk '/Window id:/ {print $4}')
if [ -n "$window" ] && import -window "$window" "$shot" 2>/dev/null; then
  echo "screenshot of the window: $shot"
else
  echo "no screenshot (the window was not found)"
fi

echo
echo "Tonight on the demo guide (21:00), by rokuban-cli from the same cache:"
"$cli" --ini "$work/cli.ini" config set directory "$work/app/cache" >/dev/null
"$cli" --ini "$work/cli.ini" show --hour 21 || true
echo
if [ -n "$XVFB_PID" ]; then
  echo "Rokuban.exe keeps running on $DISPLAY; press Enter or Ctrl-C to stop it all."
else
  echo "Rokuban.exe is on your display; press Enter or Ctrl-C to stop it all."
fi
read -r _ || true
