#!/bin/bash
# End-to-end tests of the real Rokuban.exe under wine on a private Xvfb
# display. Usage: tests/e2e/run.sh WINDOWS_BUILD_DIR [OUTPUT_DIR]
# Every case starts the program in a fresh folder with a prepared settings
# file and drives it with rokuban-driver.exe (tests/e2e/rokuban_driver.cpp).
# Screenshots of each dialog go to OUTPUT_DIR (default BUILD/e2e-output).
# The crawl cases run only when the demo guide service was built (or
# ROKUBAN_DEMO_GUIDE names one); otherwise they are reported as skipped.
# The checks and helpers are in lib.sh, the cases in cases/*.sh, one file
# per group; waiting on a window is the driver's, in one process.
set -u

if [ $# -lt 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 WINDOWS_BUILD_DIR [OUTPUT_DIR]" >&2
  exit 2
fi
BUILD=$(cd "$1" && pwd)
ROKUBAN_EXE=$BUILD/app/Rokuban.exe
DRIVER_EXE=$BUILD/tests/e2e/rokuban-driver.exe
DENPOZ_EXE=$BUILD/tools/denpoz_stand_in/Denpoz.exe
OUT=${2:-$BUILD/e2e-output}
for file in "$ROKUBAN_EXE" "$DRIVER_EXE" "$DENPOZ_EXE"; do
  [ -f "$file" ] || { echo "missing $file" >&2; exit 2; }
done
source "$(dirname "$0")/../../scripts/lib.sh"
# The guide's dates and hours are Japan time whatever this host's zone; the
# daily download time alone keeps the host's own clock (plain `date`).
jst() { TZ=Asia/Tokyo date "$@"; }
rm -rf "$OUT" && mkdir -p "$OUT" && OUT=$(cd "$OUT" && pwd)

# The cases take "today" when they start and the program takes it again while
# they run; a run that spans 05:00 Japan time, where one broadcast day gives
# way to the next, would compare two different days. The program's clock is
# the host's, so a run that would cross the change starts after it instead.
wait_clear_of_day_change() {
  local now_seconds until_change
  now_seconds=$((10#$(jst +%H) * 3600 + 10#$(jst +%M) * 60 + 10#$(jst +%S)))
  until_change=$((5 * 3600 - now_seconds))
  if [ "$until_change" -gt 0 ] && [ "$until_change" -le 720 ]; then
    echo "waiting ${until_change}s for the broadcast day to change at 05:00 Japan time"
    sleep $((until_change + 5))
  fi
}
wait_clear_of_day_change

WORK=$(mktemp -d /tmp/rokuban-e2e.XXXXXX)
export WINEPREFIX=$WORK/prefix WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
PASSED=0
FAILED=0
SKIPPED=0
XVFB_PID=
DEMO_PID=
DEMO_PORT=
CLI=
APP_PIDS=()

cleanup() {
  [ -n "$DEMO_PID" ] && kill "$DEMO_PID" 2>/dev/null
  wineserver -k 2>/dev/null
  for pid in "${APP_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

HERE=$(dirname "$0")
source "$HERE/lib.sh"
for group in first_run tray crawls views xmltv search_watch console recorder; do source "$HERE/cases/$group.sh"; done

start_display
wineboot -i >/dev/null 2>&1
# ROKUBAN_E2E_CASES may name a subset, e.g. "crawls first_run_ok".
for name in ${ROKUBAN_E2E_CASES:-first_run_cancel first_run_ok configured_start renamed_executable tray_icon failed_automatic_job crawls xmltv_file boot_download programme_views schedule xmltv_import search_view watch_list xmltv_dialog watch_follow console_text watch_recorder recorder_silent watch_from_command_line}; do
  "case_$name"
done
echo "screenshots in $OUT"
echo "$PASSED passed, $FAILED failed${SKIPPED:+, $SKIPPED skipped}"
[ "$FAILED" -eq 0 ]
