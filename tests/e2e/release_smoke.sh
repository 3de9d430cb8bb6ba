#!/bin/bash
# A smoke test of the Windows release zip as a user gets it: unpacked into a
# fresh folder, run in a fresh wine prefix on a private Xvfb display, the
# program's start-up crawl against the demo guide service on 127.0.0.1 must
# fill the programme list, and rokuban-cli.exe must tell its version.
# Usage: tests/e2e/release_smoke.sh ZIP WINDOWS_BUILD_DIR [NATIVE_BUILD_DIR]
# The Windows build gives the driver (tests/e2e/rokuban_driver.cpp); the demo
# guide service is the native one when NATIVE_BUILD_DIR has it, else the
# Windows one.
set -u
if [ $# -lt 2 ] || [ ! -f "$1" ] || [ ! -d "$2" ]; then
  echo "usage: $0 ZIP WINDOWS_BUILD_DIR [NATIVE_BUILD_DIR]" >&2
  exit 2
fi
ZIP=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
WINDOWS_BUILD=$(cd "$2" && pwd)
DRIVER_EXE=$WINDOWS_BUILD/tests/e2e/rokuban-driver.exe
DEMO=${3:+$3/tools/demo_guide/rokuban-demo-guide}
[ -n "$DEMO" ] && [ -x "$DEMO" ] || DEMO=$WINDOWS_BUILD/tools/demo_guide/rokuban-demo-guide.exe
for file in "$DRIVER_EXE" "$DEMO"; do
  [ -f "$file" ] || { echo "missing $file" >&2; exit 2; }
done
source "$(dirname "$0")/../../scripts/lib.sh"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/rokuban-release.XXXXXX")
export WINEPREFIX=$WORK/prefix WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
XVFB_PID= DEMO_PID= APP_PID=
PASSED=0 FAILED=0
cleanup() {
  [ -n "$DEMO_PID" ] && kill "$DEMO_PID" 2>/dev/null
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  wineserver -k 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

check() {
  local name=$1
  shift
  if "$@"; then PASSED=$((PASSED + 1)); echo "ok    $name"
  else FAILED=$((FAILED + 1)); echo "FAIL  $name"; fi
}
drive() { wine "$DRIVER_EXE" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

unzip -q "$ZIP" -d "$WORK/unpacked" || { echo "cannot unpack $ZIP" >&2; exit 1; }
folder=$(echo "$WORK"/unpacked/Rokuban-*-win64)
# The folder is named after the version the programs must tell.
version=${folder##*/Rokuban-}
version=v${version%-win64}
check "the zip holds one folder with both programs and the read-me" \
  test -f "$folder/Rokuban.exe" -a -f "$folder/rokuban-cli.exe" -a -f "$folder/readme.txt"
check "the read-me is UTF-8 with a byte-order mark" \
  sh -c "head -c3 '$folder/readme.txt' | od -An -tx1 | grep -q 'ef bb bf' && iconv -f UTF-8 -t UTF-8 '$folder/readme.txt' >/dev/null"
# A tuner server's user, the usual case, finds the XMLTV dialog first.
check "the read-me's first start names the XMLTV dialog before the guide service's ID" \
  sh -c "sed -n '/はじめての起動/,/^■/p' '$folder/readme.txt' | grep -n -e 'XMLTVの設定...' -e 'ID・パスワード' | head -1 | grep -q 'XMLTVの設定'"

start_private_display "${ROKUBAN_SMOKE_DISPLAY:-81}" "$WORK/xvfb.log" || { echo "Xvfb did not start" >&2; exit 1; }
wineboot -i >/dev/null 2>&1
check "rokuban-cli.exe --version" \
  test "$(cd "$folder" && wine rokuban-cli.exe --version 2>/dev/null | tr -d '\r')" == "rokuban-cli $version"

start_demo_guide_at "$DEMO" "$WORK/demo-port" "$WORK/demo.log" || { echo "the demo guide did not start" >&2; exit 1; }
# What the connect dialog would store, and a crawl at start-up that closes
# its dialog by itself: the main window then loads the new days.
printf '[_config]\r\nexecuted=1\r\nserver=127.0.0.1\r\nport=%s\r\ndate=1\r\nautoclose=1\r\nbootdownload=1\r\n' \
  "$DEMO_PORT" >"$folder/Rokuban.ini"
( cd "$folder" && exec wine Rokuban.exe >/dev/null 2>&1 ) &
APP_PID=$!
check "the start-up crawl fills the programme list" drive wait-rows programme 1 180000
check "the cache lies beside the program" sh -c "ls '$folder/Rokuban' | grep -q 'tb\\.tmp\$'"
echo "      $(drive list programme count) programme rows"
drive main-command 1 >/dev/null
for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.2; done
check "the program ends on its quit command" sh -c "! kill -0 $APP_PID 2>/dev/null"
echo "smoke: $PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
