#!/usr/bin/env bash
# Start-up of Rokuban.exe under wine on a private Xvfb: from starting the
# program (a ready cache of the coming week, executed=1) to a shown main
# window whose programme list has rows. Prints the median of 5 runs.
# With SERVICES (e.g. `scripts/bench-startup.sh 200`) the cache is a
# generated tuner server's week of that many services, imported, instead.
# Needs build/native and build/windows (scripts/build.sh), or the builds
# named by ROKUBAN_NATIVE_BUILD and ROKUBAN_WINDOWS_BUILD.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
native=$(cd "${ROKUBAN_NATIVE_BUILD:-build/native}" && pwd)
windows=$(cd "${ROKUBAN_WINDOWS_BUILD:-build/windows}" && pwd)
for file in "$native/cli/rokuban-cli" "$native/tools/demo_guide/rokuban-demo-guide" \
            "$windows/app/Rokuban.exe" "$windows/tests/e2e/rokuban-driver.exe"; do
  [ -f "$file" ] || { echo "missing $file: run scripts/build.sh first" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/rokuban-bench-startup.XXXXXX")
DEMO_PID= XVFB_PID=
stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  [ -n "$DEMO_PID" ] && kill "$DEMO_PID" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT

# The cache: a week crawled by rokuban-cli from the demo guide service, or
# a household's imported.
services=${1:-}
start_demo_guide_at "$native/tools/demo_guide/rokuban-demo-guide" "$work/port" /dev/null ||
  { echo "the demo guide service did not start" >&2; exit 1; }
mkdir -p "$work/app"
cli() { (cd "$work/app" && "$native/cli/rokuban-cli" --ini Rokuban.ini "$@"); }
cli config set server 127.0.0.1 >/dev/null
cli config set port "$DEMO_PORT" >/dev/null
cli config set executed 1 >/dev/null
if [ -n "$services" ]; then
  today=$(TZ=Asia/Tokyo date -d '5 hours ago' +%F)
  python3 bench/household/tuner_week.py "$services" 8 "$today" "$work/week.xml" >/dev/null
  cli import-xmltv "$work/week.xml" >/dev/null 2>&1
else
  cli crawl --days 6 >/dev/null 2>&1
fi
cp "$windows/app/Rokuban.exe" "$windows/tests/e2e/rokuban-driver.exe" "$work/app/"

start_private_display 80 /dev/null || { echo "Xvfb did not start" >&2; exit 1; }
export ROKUBAN_WINEPREFIX=$work/prefix
source scripts/wine-env.sh
# A server that stays between runs, as it does on a desktop where other
# programs run under wine; the prefix is created by then.
wineserver -p

cd "$work/app"
now_ms() { date +%s%3N; }
times=()
for run in 1 2 3 4 5; do
  t0=$(now_ms)
  wine Rokuban.exe >/dev/null 2>&1 &
  app=$!
  # Started at the same moment; polls every 10 ms for the filled window.
  if ! wine rokuban-driver.exe wait-rows programme 1 30000 >/dev/null 2>&1; then
    echo "run $run: no filled window within 30 s" >&2
    exit 1
  fi
  t1=$(now_ms)
  times+=($((t1 - t0)))
  wine rokuban-driver.exe send-command 1 >/dev/null 2>&1 || true
  wait "$app" 2>/dev/null || true
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
echo "start-up to a shown, filled window under wine (5 runs, ms): ${times[*]}"
echo "median: ${median} ms"
