#!/bin/bash
# End-to-end tests of the real Rokuban.exe under wine on a private Xvfb
# display. Usage: tests/e2e/run.sh WINDOWS_BUILD_DIR [OUTPUT_DIR]
# Every case starts the program in a fresh folder with a prepared settings
# file and drives it with rokuban-driver.exe (tests/e2e/rokuban_driver.cpp).
# Screenshots of each dialog go to OUTPUT_DIR (default BUILD/e2e-output).
# The crawl cases run only when the demo guide service was built (or
# ROKUBAN_DEMO_GUIDE names one); otherwise they are reported as skipped.
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

# A display of our own: the first free one from 57 on.
start_display() {
  start_private_display "${ROKUBAN_E2E_DISPLAY:-57}" "$WORK/xvfb.log" || { echo "Xvfb did not start" >&2; exit 2; }
}

pass() { PASSED=$((PASSED + 1)); echo "ok    $1"; }
fail() { FAILED=$((FAILED + 1)); echo "FAIL  $1${2:+ ($2)}"; shot "failure-$FAILED"; }
skip() { SKIPPED=$((SKIPPED + 1)); echo "skip  $1${2:+ ($2)}"; }
# check NAME COMMAND...: passes when the command succeeds.
check() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name"; fi
}
# expect NAME EXPECTED ACTUAL
expect() {
  if [ "$2" == "$3" ]; then pass "$1"; else fail "$1" "expected '$2', got '$3'"; fi
}

# The driver; its output comes back as UTF-8 without carriage returns.
drive() { wine "$DRIVER_EXE" "$@" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; return "${PIPESTATUS[0]}"; }
drive_quiet() { wine "$DRIVER_EXE" "$@" >/dev/null 2>&1; }
# The rows of a list as drawn. A row query the program could not answer in
# time (a loaded machine) fails the driver; it is asked again.
drive_rows() {
  local out try
  for try in 1 2 3; do
    out=$(drive rows "$@") && { printf '%s\n' "$out"; return 0; }
    sleep 0.5
  done
  printf '%s\n' "$out"
  return 1
}

CONNECT=接続
CONNECTION_SETTINGS=接続の設定

# new_folder NAME: a fresh folder holding a copy of the program.
new_folder() {
  local folder=$WORK/$1
  mkdir -p "$folder"
  cp "$ROKUBAN_EXE" "$folder/Rokuban.exe"
  echo "$folder"
}

# write_settings FOLDER LINES...: the settings file, CR LF, section _config.
write_settings() {
  local folder=$1
  shift
  { printf '[_config]\r\n'; for line in "$@"; do printf '%s\r\n' "$line"; done; } >"$folder/Rokuban.ini"
}

# start_app FOLDER [EXE]: starts the program (EXE, default Rokuban.exe) there;
# its exit code lands in FOLDER/exit-code.
# An instance left over from an earlier case would take its place.
start_app() {
  local folder=$1 exe=${2:-Rokuban.exe}
  drive_quiet wait-gone Rokuban Rokuban 5000 || echo "      an earlier instance is still running" >&2
  rm -f "$folder/exit-code"
  ( cd "$folder" && wine "$exe" >/dev/null 2>&1; echo $? >"$folder/exit-code" ) &
  APP_PIDS+=($!)
}

# wait_exit FOLDER SECONDS: prints the exit code, or "running".
wait_exit() {
  local folder=$1 tenths=$(($2 * 10))
  for _ in $(seq "$tenths"); do
    [ -s "$folder/exit-code" ] && { cat "$folder/exit-code"; return 0; }
    sleep 0.1
  done
  echo running
}

# setting FOLDER KEY: the value stored in the file, or "absent".
setting() {
  local line
  line=$(tr -d '\r' <"$1/Rokuban.ini" 2>/dev/null | grep -m1 "^$2=")
  if [ -n "$line" ]; then echo "${line#*=}"; else echo absent; fi
}

shot() { import -window root "$OUT/$1.png" 2>/dev/null; }

wait_dialog() { drive_quiet wait-window "#32770" "$1" "${2:-15000}"; }
dialog_gone() { drive_quiet wait-gone "#32770" "$1" "${2:-10000}"; }
main_window_up() { drive_quiet wait-window Rokuban Rokuban "${1:-15000}"; }
quit_app() { drive_quiet main-command 1; wait_exit "$1" 20; }

AREA_LABELS="あなたの番組表
あなたの番組表2
あなたの番組表3
あなたの番組表4
あなたの番組表5
あなたの番組表6
あなたの番組表7
あなたの番組表8
あなたの番組表9
愛知県
秋田県
青森県
千葉県
愛媛県
福島県
福井県
福岡県
岐阜県
群馬県
広島県
北海道
兵庫県
茨城県
石川県
岩手県
香川県
鹿児島県
神奈川県
高知県
熊本県
京都府
三重県
宮城県
宮崎県
長野県
長崎県
奈良県
沖縄県
新潟県
大分県
岡山県
大阪府
佐賀県
埼玉県
島根県
滋賀県
静岡県
栃木県
徳島県
東京都
鳥取県
富山県
和歌山県
山形県
山口県
山梨県"

# --- First run, left with "キャンセル": the program ends, nothing confirmed.
case_first_run_cancel() {
  local folder
  folder=$(new_folder first-cancel)
  start_app "$folder"
  check "first run opens the connect dialog" wait_dialog "$CONNECT"
  sleep 0.5
  shot connect-dialog-first-run
  expect "56 area labels in table order" "$AREA_LABELS" "$(drive combo-items "$CONNECT" 1015)"
  expect "東京都 selected by default" 49 "$(drive combo-selected "$CONNECT" 1015)"
  expect "day list 1 to 6" "$(seq 6)" "$(drive combo-items "$CONNECT" 1008)"
  expect "two days selected by default" 1 "$(drive combo-selected "$CONNECT" 1008)"
  expect "version label" v0.4.0.4 "$(drive text "$CONNECT" 1004)"
  expect "daily download unticked by default" 0 "$(drive checked "$CONNECT" 1019)"
  drive_quiet click "$CONNECT" 2
  expect "first-run cancel ends the program with 0" 0 "$(wait_exit "$folder" 20)"
  expect "first-run cancel confirms nothing" absent "$(setting "$folder" executed)"
}

# --- First run confirmed: "OK" stores the controls at once and executed=1
# reaches the file at exit.
case_first_run_ok() {
  local folder
  folder=$(new_folder first-ok)
  start_app "$folder"
  wait_dialog "$CONNECT" || { fail "first run dialog (ok case)"; return; }
  drive_quiet combo-select "$CONNECT" 1008 3
  drive_quiet combo-select "$CONNECT" 1015 41
  drive_quiet set-check "$CONNECT" 1017 1
  drive_quiet set-check "$CONNECT" 1019 1
  check "picker takes 07:05" drive_quiet set-time "$CONNECT" 1021 7 5
  drive_quiet click "$CONNECT" 1
  check "OK closes the first-run dialog" dialog_gone "$CONNECT"
  check "main window shows after the first run" main_window_up
  sleep 0.5
  shot main-window
  expect "OK stores the days at once" 4 "$(setting "$folder" date)"
  expect "OK stores the area by position" osaka "$(setting "$folder" area)"
  expect "OK stores autoclose" 1 "$(setting "$folder" autoclose)"
  expect "定時巡回 stored as hhmm" 705 "$(setting "$folder" downloadtime)"
  expect "executed not yet written before exit" absent "$(setting "$folder" executed)"
  expect "quit command ends the program with 0" 0 "$(quit_app "$folder")"
  expect "executed=1 written at exit" 1 "$(setting "$folder" executed)"
}

# --- A configured start: no dialog, a second start ends at once, the
# dialog shows the stored settings, "キャンセル" discards, OK stores -1.
case_configured_start() {
  local folder started elapsed
  folder=$(new_folder configured)
  write_settings "$folder" executed=1 downloadtime=2330 date=3 area=hokk autodelete=1
  started=$(date +%s%N)
  start_app "$folder"
  check "configured start shows the main window" main_window_up
  elapsed=$((($(date +%s%N) - started) / 1000000))
  echo "      start-up to main window: ${elapsed} ms" | tee "$OUT/startup-ms.txt"
  check "no dialog once executed" sh -c "! wine '$DRIVER_EXE' wait-window '#32770' '$CONNECT' 1500 >/dev/null 2>&1"

  local second=$WORK/configured-second
  mkdir -p "$second"
  ( cd "$folder" && wine Rokuban.exe >/dev/null 2>&1; echo $? >"$second/exit-code" )
  expect "second start ends with 0" 0 "$(cat "$second/exit-code")"
  check "first instance keeps running" drive_quiet exists Rokuban Rokuban
  expect "first instance still has no exit code" running "$(wait_exit "$folder" 1)"
  # Any program may send the row query: what comes in lParam is no address.
  drive_quiet post 0x8301 1 0x10
  check "a row query carrying a stray address leaves the program answering" drive_quiet responds
  expect "the row query still answers its driver" 05:00 "$(drive_rows hour 1 | cut -c15-)"

  drive_quiet main-command 1003
  wait_dialog "$CONNECT" || { fail "settings button opens the dialog"; return; }
  expect "daily check box from downloadtime" 1 "$(drive checked "$CONNECT" 1019)"
  expect "picker shows the stored time" 23:30 "$(drive time "$CONNECT" 1021)"
  expect "autodelete ticked" 1 "$(drive checked "$CONNECT" 1014)"
  expect "stored day count selected" 2 "$(drive combo-selected "$CONNECT" 1008)"
  expect "stored area selected" 20 "$(drive combo-selected "$CONNECT" 1015)"
  drive_quiet set-check "$CONNECT" 1019 0
  drive_quiet click "$CONNECT" 2
  dialog_gone "$CONNECT"
  expect "キャンセル discards the changes" 2330 "$(setting "$folder" downloadtime)"
  drive_quiet main-command 1003
  wait_dialog "$CONNECT"
  expect "discarded change is not in memory either" 1 "$(drive checked "$CONNECT" 1019)"
  drive_quiet set-check "$CONNECT" 1019 0
  drive_quiet click "$CONNECT" 1
  dialog_gone "$CONNECT"
  expect "unticked 定時巡回 stored as -1" -1 "$(setting "$folder" downloadtime)"
  case_connection_settings "$folder"
  case_delete_all "$folder"
  expect "configured instance quits with 0" 0 "$(quit_app "$folder")"
  expect "connection settings reach the file at exit" 12-34 "$(setting "$folder" tvguideuser)"
}

# --- The connection settings dialog: defaults, OK in memory only, cancel.
case_connection_settings() {
  local folder=$1
  drive_quiet main-command 1003
  wait_dialog "$CONNECT"
  drive_quiet command "$CONNECT" 1020
  check "接続の設定... opens its dialog" wait_dialog "$CONNECTION_SETTINGS"
  sleep 0.5
  shot connection-settings-dialog
  local id texts=""
  for id in 1013 1014 1015 1016 1017 1018 1019 1020; do
    texts="$texts[$(drive text "$CONNECTION_SETTINGS" $id)]"
  done
  expect "empty boxes, ports 0 and 23850" "[][][][0][][][][23850]" "$texts"
  drive_quiet set-text "$CONNECTION_SETTINGS" 1013 12-34
  drive_quiet set-text "$CONNECTION_SETTINGS" 1020 ""
  drive_quiet click "$CONNECTION_SETTINGS" 1
  check "OK closes the connection settings" dialog_gone "$CONNECTION_SETTINGS"
  expect "connection settings OK does not write the file" absent "$(setting "$folder" tvguideuser)"
  drive_quiet command "$CONNECT" 1020
  wait_dialog "$CONNECTION_SETTINGS"
  expect "OK stored the ID in memory" 12-34 "$(drive text "$CONNECTION_SETTINGS" 1013)"
  expect "an emptied port box stores 0" 0 "$(drive text "$CONNECTION_SETTINGS" 1020)"
  drive_quiet set-text "$CONNECTION_SETTINGS" 1013 changed
  drive_quiet click "$CONNECTION_SETTINGS" 2
  dialog_gone "$CONNECTION_SETTINGS"
  drive_quiet command "$CONNECT" 1020
  wait_dialog "$CONNECTION_SETTINGS"
  expect "cancel keeps the earlier ID" 12-34 "$(drive text "$CONNECTION_SETTINGS" 1013)"
  drive_quiet click "$CONNECTION_SETTINGS" 2
  dialog_gone "$CONNECTION_SETTINGS"
  drive_quiet click "$CONNECT" 1
  dialog_gone "$CONNECT"
  expect "connect OK writes the sync port 0" 0 "$(setting "$folder" dokibanport)"
}

# --- "全削除": deletes the cache's page and table files, never closes the
# dialog by itself; cancelled, it shows "中断しました".
case_delete_all() {
  local folder=$1 cache=$1/Rokuban
  mkdir -p "$cache"
  touch "$cache/050105tb.htm" "$cache/050109tb.tmp" "$cache/keep.txt"
  drive_quiet main-command 1003
  wait_dialog "$CONNECT"
  drive_quiet set-check "$CONNECT" 1017 1
  drive_quiet click "$CONNECT" 1011
  check "全削除 ends with 終了" drive_quiet expect-text "$CONNECT" 1010 終了 15000
  sleep 1
  shot connect-dialog-after-delete
  check "全削除 leaves the dialog open" drive_quiet exists "#32770" "$CONNECT"
  expect "page and table files deleted, others kept" keep.txt "$(ls "$cache")"
  expect "job buttons enabled again" 1 "$(drive enabled "$CONNECT" 1001)"

  (cd "$cache" && seq -w 1 3000 | sed 's/^/05/; s/$/tb.htm/' | xargs touch)
  drive_quiet command "$CONNECT" 1011 2
  check "cancelled 全削除 shows 中断しました" drive_quiet expect-text "$CONNECT" 1010 中断しました 30000
  local left
  left=$(ls "$cache" | grep -c 'tb\.htm$')
  check "cancel stopped the deletion ($left files left)" test "$left" -gt 0
  expect "キャンセル enabled again after the job" 1 "$(drive enabled "$CONNECT" 2)"
  drive_quiet click "$CONNECT" 2
  check "idle キャンセル closes the dialog" dialog_gone "$CONNECT"
}

# --- A job started automatically that fails keeps its last message for
# ten seconds, then the dialog closes by itself.
case_failed_automatic_job() {
  local folder
  folder=$(new_folder failed-sync)
  # Port 1 on loopback: nothing listens there, the sync fails at once.
  write_settings "$folder" executed=1 dokibanserver=127.0.0.1 dokibanport=1
  start_app "$folder"
  main_window_up || { fail "failed-sync start"; return; }
  drive_quiet main-command 1005
  check "同期 command opens the dialog and starts" wait_dialog "$CONNECT"
  sleep 4
  shot connect-dialog-failed-sync
  local status
  status=$(drive text "$CONNECT" 1010)
  check "failed sync leaves its own message ($status)" test -n "$status"
  check "failed automatic job keeps the dialog a while" drive_quiet exists "#32770" "$CONNECT"
  # Nothing may look usable while the dialog is about to close by itself.
  expect "controls stay disabled while the message lingers" "0 0 0 0" \
    "$(drive enabled "$CONNECT" 1001) $(drive enabled "$CONNECT" 3) $(drive enabled "$CONNECT" 1020) $(drive enabled "$CONNECT" 1)"
  check "failed automatic job closes the dialog after the linger" dialog_gone "$CONNECT" 40000
  expect "failed-sync instance quits with 0" 0 "$(quit_app "$folder")"
}

# --- The executable's name does not name the settings file.
case_renamed_executable() {
  local folder
  folder=$(new_folder renamed)
  mv "$folder/Rokuban.exe" "$folder/Bangumi.exe"
  write_settings "$folder" executed=1 downloadtime=2330
  start_app "$folder" Bangumi.exe
  check "renamed program starts without the first-run dialog" main_window_up
  check "renamed program opens no dialog by itself" sh -c "! wine '$DRIVER_EXE' wait-window '#32770' '$CONNECT' 1500 >/dev/null 2>&1"
  drive_quiet main-command 1003
  wait_dialog "$CONNECT" || { fail "renamed: settings dialog"; return; }
  expect "renamed program reads Rokuban.ini" 23:30 "$(drive time "$CONNECT" 1021)"
  drive_quiet set-time "$CONNECT" 1021 6 15
  drive_quiet click "$CONNECT" 1
  dialog_gone "$CONNECT"
  expect "renamed program quits with 0" 0 "$(quit_app "$folder")"
  expect "renamed program writes Rokuban.ini" 615 "$(setting "$folder" downloadtime)"
  check "and no file named after the executable" test ! -e "$folder/Bangumi.ini"
}

# --- The tray icon: one only, a second start leaves a hidden window
# hidden, and a shell that starts again gets the icon back.
case_tray_icon() {
  local folder
  folder=$(new_folder tray)
  write_settings "$folder" executed=1
  start_app "$folder"
  main_window_up || { fail "tray: main window"; return; }
  check "the shell holds the tray icon" drive_quiet tray-icon
  expect "one tray icon" 1 "$(drive tray-count)"
  drive_quiet post 0x10 0 0
  expect "close hides the main window (tray case)" 0 "$(visible_within 0 3)"
  ( cd "$folder" && wine Rokuban.exe >/dev/null 2>&1; echo $? >"$WORK/tray-second-exit" )
  expect "second start while hidden ends with 0" 0 "$(cat "$WORK/tray-second-exit")"
  expect "second start leaves the window hidden" 0 "$(visible_within 1 2)"
  expect "second start adds no tray icon" 1 "$(drive tray-count)"
  check "a click on the icon in the shell shows the window" drive_quiet tray-click
  expect "the window shows after the click" 1 "$(visible_within 1 3)"

  drive_quiet post 0x10 0 0
  visible_within 0 3 >/dev/null
  drive_quiet tray-forget
  expect "a restarted shell has no icon" 0 "$(drive tray-count)"
  check "TaskbarCreated reaches the program" drive_quiet taskbar-created
  local present=1
  for _ in $(seq 30); do
    drive_quiet tray-icon && { present=0; break; }
    sleep 0.1
  done
  check "the icon comes back after TaskbarCreated" test "$present" -eq 0
  expect "one tray icon after TaskbarCreated" 1 "$(drive tray-count)"
  sleep 0.3
  shot tray-icon-back
  check "a click on the icon that came back" drive_quiet tray-click
  expect "shows the hidden window again" 1 "$(visible_within 1 3)"
  drive_quiet taskbar-created
  sleep 0.5
  expect "TaskbarCreated while the icon is there adds none" 1 "$(drive tray-count)"
  expect "tray instance quits with 0" 0 "$(quit_app "$folder")"
  expect "no icon left after quitting" 0 "$(drive tray-count)"
}

# --- Crawls against the demo guide service.
find_demo_guide() {
  if [ -n "${ROKUBAN_DEMO_GUIDE:-}" ] && [ -x "$ROKUBAN_DEMO_GUIDE" ]; then
    echo "$ROKUBAN_DEMO_GUIDE"
    return
  fi
  find "$BUILD" -maxdepth 4 -type f \( -name rokuban-demo-guide.exe -o -name rokuban-demo-guide \) 2>/dev/null | head -1
}

# start_demo_guide DEMO: starts the service once (in this shell, so that the
# clean-up knows it) and sets DEMO_PORT; later calls reuse it.
start_demo_guide() {
  [ -n "$DEMO_PORT" ] && return 0
  start_demo_guide_at "$1" "$WORK/demo-port" "$WORK/demo.log"
}

case_crawls() {
  local demo port folder
  demo=$(find_demo_guide)
  if [ -z "$demo" ]; then
    skip "crawl ending with 終了" "no rokuban-demo-guide in $BUILD"
    skip "crawl closing itself with 巡回後閉じる？" "no demo guide"
    skip "cancelled crawl returns to idle" "no demo guide"
    return
  fi
  start_demo_guide "$demo" || { fail "demo guide starts"; return; }
  port=$DEMO_PORT

  folder=$(new_folder crawl-by-hand)
  write_settings "$folder" executed=1 server=127.0.0.1 "port=$port" date=1 autoclose=0
  start_app "$folder"
  main_window_up
  drive_quiet main-command 1003
  wait_dialog "$CONNECT"
  drive_quiet click "$CONNECT" 1001
  check "crawl ends with 終了" drive_quiet expect-text "$CONNECT" 1010 終了 180000
  sleep 1.2
  shot connect-dialog-crawl-finished
  expect "finished crawl clears the byte count" "" "$(drive text "$CONNECT" 1007)"
  check "crawl by hand leaves the dialog open" drive_quiet exists "#32770" "$CONNECT"
  check "crawl wrote table files" sh -c "ls '$folder/Rokuban' | grep -q 'tb\\.tmp\$'"
  drive_quiet click "$CONNECT" 2
  dialog_gone "$CONNECT"
  quit_app "$folder" >/dev/null

  folder=$(new_folder crawl-auto-close)
  write_settings "$folder" executed=1 server=127.0.0.1 "port=$port" date=1 autoclose=1
  start_app "$folder"
  main_window_up
  drive_quiet main-command 1004
  check "巡回 command opens the dialog" wait_dialog "$CONNECT"
  check "crawl with 巡回後閉じる？ closes the dialog by itself" dialog_gone "$CONNECT" 180000
  check "auto-closed crawl wrote table files" sh -c "ls '$folder/Rokuban' | grep -q 'tb\\.tmp\$'"
  quit_app "$folder" >/dev/null

  folder=$(new_folder crawl-cancel)
  write_settings "$folder" executed=1 server=127.0.0.1 "port=$port" date=6
  start_app "$folder"
  main_window_up
  drive_quiet main-command 1003
  wait_dialog "$CONNECT"
  drive_quiet command "$CONNECT" 1001 2
  local status
  for _ in $(seq 100); do
    [ "$(drive enabled "$CONNECT" 1001)" == 1 ] && break
    sleep 0.3
  done
  expect "cancelled crawl returns to idle" 1 "$(drive enabled "$CONNECT" 1001)"
  status=$(drive text "$CONNECT" 1010)
  shot connect-dialog-crawl-cancelled
  check "cancelled crawl does not claim 終了 ($status)" test "$status" != 終了
  expect "controls enabled after the cancelled crawl" 1 "$(drive enabled "$CONNECT" 1)"
  drive_quiet click "$CONNECT" 2
  dialog_gone "$CONNECT"
  quit_app "$folder" >/dev/null
}

# --- bootdownload=1: the crawl starts as the program starts, over the
# stored day count (1: today and tomorrow), and ends in the dialog.
case_boot_download() {
  local demo folder
  demo=$(find_demo_guide)
  if [ -z "$demo" ]; then
    skip "start-up crawl" "no demo guide"
    return
  fi
  start_demo_guide "$demo" || { fail "demo guide starts"; return; }
  folder=$(new_folder boot-download)
  write_settings "$folder" executed=1 server=127.0.0.1 "port=$DEMO_PORT" date=1 autoclose=0 bootdownload=1
  start_app "$folder"
  check "bootdownload=1 opens the crawl at start-up" wait_dialog "$CONNECT"
  expect "the start-up crawl shows the stored day count" 0 "$(drive combo-selected "$CONNECT" 1008)"
  check "start-up crawl ends with 終了" drive_quiet expect-text "$CONNECT" 1010 終了 180000
  expect "start-up crawl covers today and tomorrow" 2 \
    "$(ls "$folder/Rokuban" | sed -n 's/^\([0-9]\{4\}\)[0-9][0-9]tb\.tmp$/\1/p' | sort -u | wc -l)"
  drive_quiet click "$CONNECT" 2
  dialog_gone "$CONNECT"
  expect "boot-download instance quits with 0" 0 "$(quit_app "$folder")"
}

# --- The main window over a cache of the coming week: hour list, the three
# views (checked against rokuban-cli show on the same cache), day limits,
# detail pane, popup menu, tray icon and the companion tool's command lines.

WEEKDAYS=(日 月 火 水 木 金 土)
# date_label OFFSET: the date button's text for today's broadcast day + OFFSET.
date_label() {
  local day
  day=$(jst -d "$(jst -d '5 hours ago' +%F) $1 days" '+%m/%d %w')
  echo "${day% *}(${WEEKDAYS[${day#* }]})"
}

# The command-line tool that crawls the cache: the native one when the
# native build lies beside the Windows build, else the Windows one.
find_cli() {
  local native
  native=$(cd "${ROKUBAN_NATIVE_BUILD:-$BUILD/../native}" 2>/dev/null && pwd)
  if [ -n "$native" ] && [ -x "$native/cli/rokuban-cli" ]; then
    echo "$native/cli/rokuban-cli"
  else
    echo "$BUILD/cli/rokuban-cli.exe"
  fi
}

# cli ARGS...: rokuban-cli with the cache's settings file, output in UTF-8.
cli() {
  case "$CLI" in
    *.exe) (cd "$WORK/cache-source" && wine "$CLI" --ini Rokuban.ini "$@" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r') ;;
    *) (cd "$WORK/cache-source" && "$CLI" --ini Rokuban.ini "$@" 2>/dev/null) ;;
  esac
}

# Crawls the coming week once into WORK/cache-source/Rokuban; cases copy it.
prepare_cache() {
  [ -d "$WORK/cache-source/Rokuban" ] && return 0
  local demo port
  demo=$(find_demo_guide)
  [ -n "$demo" ] || return 1
  start_demo_guide "$demo" || return 1
  CLI=$(find_cli)
  mkdir -p "$WORK/cache-source"
  cli config set server 127.0.0.1 >/dev/null
  cli config set port "$DEMO_PORT" >/dev/null
  cli crawl --days 6 >/dev/null
  ls "$WORK/cache-source/Rokuban" 2>/dev/null | grep -q 'tb\.tmp$'
}

# start_on_cached_week FOLDER: Rokuban.exe on the crawled week, with the
# recording tool beside it; true once its main window is up.
start_on_cached_week() {
  local folder=$1
  cp -r "$WORK/cache-source/Rokuban" "$folder/Rokuban"
  cp "$DENPOZ_EXE" "$folder/Denpoz.exe"
  write_settings "$folder" executed=1 server=127.0.0.1 "port=$DEMO_PORT"
  start_app "$folder"
  main_window_up
}

# The programme list as rokuban-cli show prints it, less the date and the
# end time the window does not show: "time channel title line".
programme_rows_as_cli() {
  drive_rows programme | awk '{
    text = substr($0, 15)
    if (match(text, /^[0-9]+:[0-9]+ /)) {
      print substr(text, 1, RLENGTH) channel " " substr(text, RLENGTH + 1)
    } else {
      channel = text
    }
  }'
}

# cli_rows ARGS...: the lines of rokuban-cli show ARGS without their date and end time.
cli_rows() { cli show "$@" | sed -E 's|^[0-9]{2}/[0-9]{2} ([0-9]{2}:[0-9]{2})-[0-9]{2}:[0-9]{2} |\1 |'; }
# cli_fields ARGS...: the same as "channel<TAB>HH:MM<TAB>title" (the demo's channel names hold no space).
cli_fields() { cli show "$@" | sed -E 's|^[0-9]{2}/[0-9]{2} ([0-9]{2}:[0-9]{2})-[0-9]{2}:[0-9]{2} ([^ ]+) |\2\t\1\t|'; }

row_text() { drive_rows "$1" "$2" | cut -c15-; }
selected() { drive list "$1" selected; }

# shot_main NAME: the main window alone.
shot_main() {
  local geometry
  geometry=$(xwininfo -name Rokuban 2>/dev/null | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width/ {w=$NF} /Height/ {h=$NF} END {if (w) print w "x" h "+" x "+" y}')
  if [ -n "$geometry" ]; then
    import -window root -crop "$geometry" +repage "$OUT/$1.png" 2>/dev/null
  else
    shot "$1"
  fi
}

# calls_file_has FILE N: waits until the companion stand-in recorded N starts.
calls_recorded() {
  for _ in $(seq 50); do
    [ -f "$1" ] && [ "$(wc -l <"$1")" -ge "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

# visible_within WANTED SECONDS: the main window's visibility once it is
# WANTED, or as it is after SECONDS.
visible_within() {
  local now
  for _ in $(seq $(($2 * 10))); do
    now=$(drive visible)
    [ "$now" == "$1" ] && break
    sleep 0.1
  done
  echo "$now"
}

VK_RETURN=0x0d VK_RIGHT=0x27 VK_DOWN=0x28

case_programme_views() {
  if ! prepare_cache; then
    skip "programme views" "no demo guide or crawl failed"
    return
  fi
  local folder
  folder=$(new_folder views)
  start_on_cached_week "$folder" || { fail "views: main window"; return; }
  check "programme list filled after start-up" drive_quiet wait-rows programme 1 10000

  local hours shown_day
  # The window keeps the day it opened on; a run that crosses 05:00 must
  # not expect the next one.
  shown_day=$(jst -d '5 hours ago' +%Y%m%d)
  expect "date button shows today's broadcast day" "$(date_label 0)" "$(drive main-text 1001)"
  local hour
  hour=$((10#$(jst -d '5 hours ago' +%H) + 5))
  expect "hour list selects the current hour" $((hour - 4)) "$(selected hour)"
  # The selected row is drawn highlighted: 07:00, which is not among the
  # rows compared, takes the selection from the current hour first.
  drive_quiet click-row hour 3
  hours=$(drive_rows hour)
  expect "hour list has 26 rows" 26 "$(echo "$hours" | wc -l)"
  expect "hour list rows and colours" \
    "FFFFFF [↑]|99FFFF 05:00|99FFFF 11:00|66CCFF 12:00|66CCFF 17:00|FFCC99 18:00|FFCC99 23:00|FF9966 24:00|FF9966 28:00|FFFFFF [↓]" \
    "$(echo "$hours" | sed -n '1p;2p;8p;9p;14p;15p;20p;21p;25p;26p' | awk '{print $1 " " substr($0, 15)}' | paste -sd'|')"

  drive_quiet click-row hour 17
  expect "time view at 21:00 lists what rokuban-cli shows" "$(cli_rows --hour 21)" "$(programme_rows_as_cli)"
  sleep 0.3
  shot_main time-view

  # The channel view: a header activated with Enter.
  local header_row channel
  header_row=$(drive_rows programme | awk '{ if (substr($0, 15) !~ /^[0-9]+:[0-9]+ /) n++; if (n == 2) { print NR - 1; exit } }')
  channel=$(row_text programme "$header_row")
  drive_quiet click-row programme "$header_row"
  drive_quiet key programme $VK_RETURN
  local channel_rows
  channel_rows=$(programme_rows_as_cli)
  expect "channel view of $channel lists what rokuban-cli shows" "$(cli_rows --channel "$channel")" "$channel_rows"
  local chosen expected_first
  chosen=$(row_text programme "$(selected programme)")
  expected_first=$(echo "$channel_rows" | awk -v c="$channel" '{ h = $1 + 0; if (NR > 1 && h < 5) h += 24; if (h >= 21) { print $1 " " substr($0, length($1) + length(c) + 3); exit } }')
  expect "channel view selects the first programme from 21:00" "$expected_first" "$chosen"
  expect "detail pane shows the selected programme" "${chosen#* }" "$(drive detail | head -1)"
  sleep 0.3
  shot_main channel-view

  # A reservation: the channel's second programme, then the menu's three
  # companion items, recorded by the stand-in byte for byte.
  local first_programme second next details path expected
  first_programme=$(drive_rows programme | awk -v c="$channel" '{ t = substr($0, 15) } t == c { f = 1; next } f { print NR - 1; exit }')
  drive_quiet click-row programme $((first_programme + 1))
  second=$(row_text programme $((first_programme + 1)))
  next=$(row_text programme $((first_programme + 2)))
  details=$(drive detail | tail -n +2 | sed 's/^(//; $s/)$//' | awk 'NR > 1 { printf "\r\n" } { printf "%s", $0 }')
  drive_quiet key programme $VK_RETURN
  local genre title start end colour
  colour=$(drive_rows programme $((first_programme + 1)) | cut -c8-13)
  case "$colour" in CCCCFF) genre=0 ;; CCFFCC) genre=1 ;; CCFFFF) genre=2 ;; FFFFCC) genre=3 ;; FFCCCC) genre=4 ;; 99CCFF) genre=7 ;; *) genre=10 ;; esac
  start=${second%% *}
  end=${next%% *}
  title=$(echo "${second#* }" | sed 's/^.*【\(.*\)】.*$/\1/')
  path="Z:${folder//\//\\}\\Denpoz.exe"
  # Each call is its own process appending to one file: wait for each
  # before the next, or two can land out of order. The reservation's
  # details take two lines.
  calls_recorded "$folder/denpoz-calls.txt" 2
  drive_quiet popup-menu programme $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_RIGHT $VK_RETURN
  calls_recorded "$folder/denpoz-calls.txt" 3
  drive_quiet popup-menu programme $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_RIGHT $VK_DOWN $VK_RETURN
  calls_recorded "$folder/denpoz-calls.txt" 4
  drive_quiet popup-menu programme $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_RIGHT $VK_DOWN $VK_DOWN $VK_RETURN
  calls_recorded "$folder/denpoz-calls.txt" 5
  expected=$(printf '"%s" %s %s %s %s "%s" "%s" "%s" %s\n"%s" \n"%s" ?REMOTE\n"%s" ?RECLIST\n' \
    "$path" "$channel" "$shown_day" "${start/:/}" "${end/:/}" "$details" "$title" "${second#* }" "$genre" \
    "$path" "$path" "$path" | iconv -f UTF-8 -t CP932 | od -An -tx1)
  cp "$folder/denpoz-calls.txt" "$OUT/" 2>/dev/null
  expect "reservation, empty, ?REMOTE and ?RECLIST command lines byte for byte" "$expected" "$(od -An -tx1 "$folder/denpoz-calls.txt" 2>/dev/null)"

  # The genre view from the menu: 表示, then 料理, the sixth genre.
  drive_quiet popup-menu programme $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_RIGHT \
    $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_RETURN
  sleep 0.5
  expect "genre view 料理 from the menu lists what rokuban-cli shows" "$(cli_rows --genre 料理)" "$(programme_rows_as_cli)"
  expect "料理 rows drawn light orange (page FFCC99, GDI 99CCFF)" 99CCFF \
    "$(drive_rows programme | awk 'substr($0, 15) ~ /^[0-9]+:[0-9]+ / {print $1}' | sort -u | paste -sd' ')"
  sleep 0.3
  shot_main genre-view
  drive_quiet send-command 2000
  expect "genre command 2000 shows 映画" "$(cli_rows --genre 映画)" "$(programme_rows_as_cli)"
  drive_quiet send-command 1007
  expect "時間 returns to the time view at 21:00" "$(cli_rows --hour 21)" "$(programme_rows_as_cli)"

  # Day limits: ">" six times reaches today + 6, a seventh does nothing;
  # "<" stops at yesterday; the buttons keep the hour.
  local i
  for i in 1 2 3 4 5 6 7; do drive_quiet send-command 1002; done
  expect "> stops at six days ahead" "$(date_label 6)" "$(drive main-text 1001)"
  expect "> keeps the hour" 17 "$(selected hour)"
  expect "six days ahead lists what rokuban-cli shows" \
    "$(cli_rows --hour 21 --date "$(jst -d "$(jst -d '5 hours ago' +%F) 6 days" +%F)")" "$(programme_rows_as_cli)"
  drive_quiet click-row hour 25
  expect "[↓] beyond the range does nothing" "$(date_label 6)" "$(drive main-text 1001)"
  for i in 1 2 3 4 5 6 7 8 9; do drive_quiet send-command 1000; done
  expect "< stops at yesterday" "$(date_label -1)" "$(drive main-text 1001)"
  drive_quiet click-row hour 25
  expect "[↓] moves to the next day" "$(date_label 0)" "$(drive main-text 1001)"
  expect "[↓] lands on 05:00" 1 "$(selected hour)"
  drive_quiet click-row hour 0
  expect "[↑] moves to the previous day" "$(date_label -1)" "$(drive main-text 1001)"
  expect "[↑] lands on 28:00" 24 "$(selected hour)"

  # The tray icon: closing hides; only a left-button release shows again.
  drive_quiet post 0x10 0 0
  expect "close hides the main window" 0 "$(visible_within 0 3)"
  drive_quiet post 0x800A 1 0x205
  expect "right click on the tray icon leaves it hidden" 0 "$(visible_within 1 1)"
  drive_quiet post 0x800A 1 0x202
  expect "left click on the tray icon shows it" 1 "$(visible_within 1 3)"
  expect "views instance quits with 0" 0 "$(quit_app "$folder")"
}

# --- The daily schedule: a crawl at the set minute. The timer's check is
# posted rather than waited for; the minute itself has to come.
case_schedule() {
  local demo
  demo=$(find_demo_guide)
  if [ -z "$demo" ]; then
    skip "schedule fires a crawl" "no demo guide"
    return
  fi
  start_demo_guide "$demo" || { fail "demo guide starts"; return; }
  local folder at
  folder=$(new_folder schedule)
  # The steps before the timer must end before the set minute begins: the
  # settings dialog they close moves a schedule whose minute has come to
  # tomorrow. At least 40 seconds are left for them.
  if [ "$(date +%-S)" -gt 20 ]; then at=$(date -d '+2 minute' +%H%M); else at=$(date -d '+1 minute' +%H%M); fi
  write_settings "$folder" executed=1 server=127.0.0.1 "port=$DEMO_PORT" date=1 autoclose=1 "downloadtime=$((10#$at))"
  start_app "$folder"
  main_window_up || { fail "schedule: main window"; return; }
  expect "an empty cache lists nothing" 0 "$(drive list programme count)"

  # Without the companion tool the fifth menu item is 設定.
  drive_quiet popup-menu hour $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_RETURN
  check "without Denpoz.exe the menu has no companion submenu" wait_dialog "$CONNECT" 5000
  drive_quiet click "$CONNECT" 2
  dialog_gone "$CONNECT"

  drive_quiet post 0x113 1006 0
  check "timer before the set minute starts nothing" sh -c "! wine '$DRIVER_EXE' wait-window '#32770' '$CONNECT' 1500 >/dev/null 2>&1"
  while [ "$(date +%H%M)" != "$at" ]; do sleep 0.5; done
  drive_quiet post 0x113 1006 0
  check "timer at the set minute opens the crawl" wait_dialog "$CONNECT" 10000
  check "scheduled crawl closes by itself" dialog_gone "$CONNECT" 180000
  check "the reload after the crawl fills the programme list" drive_quiet wait-rows programme 1 5000
  drive_quiet post 0x113 1006 0
  check "the next check waits for tomorrow" sh -c "! wine '$DRIVER_EXE' wait-window '#32770' '$CONNECT' 1500 >/dev/null 2>&1"
  expect "schedule instance quits with 0" 0 "$(quit_app "$folder")"
}

# --- The kept XMLTV file ("xmltvfile"): written at start-up and after a
# crawl; a file that cannot be written shows in the status line.
case_xmltv_file() {
  local demo folder
  demo=$(find_demo_guide)
  if [ -z "$demo" ]; then
    skip "xmltvfile after a crawl" "no demo guide"
    return
  fi
  start_demo_guide "$demo" || { fail "demo guide starts"; return; }
  folder=$(new_folder xmltv-file)
  write_settings "$folder" executed=1 server=127.0.0.1 "port=$DEMO_PORT" date=1 autoclose=1 xmltvfile=guide.xml
  start_app "$folder"
  main_window_up
  check "start-up writes the xmltv file" grep -q '^<tv ' "$folder/guide.xml"
  drive_quiet main-command 1004
  wait_dialog "$CONNECT"
  dialog_gone "$CONNECT" 180000
  check "the crawl rewrites the xmltv file with its programmes" grep -q '<programme ' "$folder/guide.xml"
  quit_app "$folder" >/dev/null

  folder=$(new_folder xmltv-file-fails)
  write_settings "$folder" executed=1 server=127.0.0.1 "port=$DEMO_PORT" date=1 autoclose=0 xmltvfile=missing/guide.xml
  start_app "$folder"
  main_window_up
  drive_quiet main-command 1003
  wait_dialog "$CONNECT"
  drive_quiet click "$CONNECT" 1001
  check "an unwritable xmltv file shows in the status line" \
    drive_quiet expect-text "$CONNECT" 1010 XMLTVファイルを書けません 180000
  check "the crawl itself completed" sh -c "ls '$folder/Rokuban' | grep -q 'tb\\.tmp\$'"
  drive_quiet click "$CONNECT" 2
  dialog_gone "$CONNECT"
  quit_app "$folder" >/dev/null
}

# --- An XMLTV file as the guide: a crawl imports it and the window lists it.
case_xmltv_import() {
  local folder base h
  folder=$(new_folder xmltv-import)
  base="$(jst -d '5 hours ago' +%F) 05:00"
  {
    printf '<?xml version="1.0" encoding="UTF-8"?>\n<tv>\n'
    printf '<channel id="a.example"><display-name lang="ja">XMLTV放送</display-name></channel>\n'
    printf '<channel id="b.example"><display-name>Quiet</display-name></channel>\n'
    for h in $(seq 0 23); do
      printf '<programme start="%s +0900" stop="%s +0900" channel="a.example"><title lang="ja">番組%02d</title><category lang="en">Sports</category></programme>\n' \
        "$(jst -d "$base $h hours" +%Y%m%d%H%M%S)" "$(jst -d "$base $((h + 1)) hours" +%Y%m%d%H%M%S)" "$h"
    done
    printf '</tv>\n'
  } >"$folder/guide.xml"
  write_settings "$folder" executed=1 xmltvsource=guide.xml date=1 autoclose=1
  start_app "$folder"
  main_window_up
  drive_quiet main-command 1004
  check "XMLTV crawl opens the dialog" wait_dialog "$CONNECT"
  check "XMLTV crawl closes by itself" dialog_gone "$CONNECT" 180000
  check "XMLTV crawl wrote the day's six table files" \
    sh -c "test \$(ls '$folder/Rokuban' | grep -c 'tb\\.tmp\$') -eq 6"
  check "the window lists the imported guide" drive_quiet wait-rows programme 1 5000
  shot main-window-xmltv
  expect "XMLTV instance quits with 0" 0 "$(quit_app "$folder")"
}

# --- The search dialog and the fourth view: a programme two days ahead
# found by its title and channel, listed with its date, reserved with the
# arguments its own day's channel view gives.
SEARCH=検索
VK_UP=0x26
# The stand-in's record of each start begins with the quoted tool path; a
# reservation's details may carry line ends of their own.
call_count() { local n; n=$(grep -a -c '^"Z:' "$1" 2>/dev/null); echo "${n:-0}"; }
# call FILE N: the Nth start's command line, its lines as recorded.
call() { awk -v n="$2" '/^"Z:/ { i++ } i == n' "$1" | od -An -tx1; }
case_search_view() {
  if ! prepare_cache; then
    skip "search view" "no demo guide or crawl failed"
    return
  fi
  local folder day2 channel line time title_line title expected_row row
  folder=$(new_folder search)
  start_on_cached_week "$folder" || { fail "search: main window"; return; }
  drive_quiet wait-rows programme 1 10000
  expect "without watch entries no balloon at start-up" "0 0 0 " "$(drive announcement | head -1)"

  # The viewed day's first channel is the dialog's first channel choice.
  channel=$(drive_rows programme | cut -c15- | grep -v '^[0-9]*:[0-9]* ' | sed -n 1p)
  day2=$(jst -d "$(jst -d '5 hours ago' +%F) 2 days" +%F)
  line=$(cli_fields --channel "$channel" --date "$day2" | awk -F'\t' '$2 >= "19:00" && $2 < "23:00" && $3 ~ /【/ { print; exit }')
  time=$(echo "$line" | cut -f2)
  title_line=$(echo "$line" | cut -f3)
  title=$(echo "$title_line" | sed 's/^.*【\(.*\)】.*$/\1/')
  [ -n "$title" ] || { fail "search: a programme to look for on $day2"; quit_app "$folder" >/dev/null; return; }

  # From the end: XMLTVの設定..., ウォッチ, 検索... (the separator is passed over).
  drive_quiet popup-menu programme $VK_UP $VK_UP $VK_UP $VK_RETURN
  check "検索... near the menu's end opens the search dialog" wait_dialog "$SEARCH" 10000
  drive_quiet set-text "$SEARCH" 1101 "--regex ("
  drive_quiet click "$SEARCH" 1
  sleep 0.3
  check "a bad regular expression keeps the dialog open" drive_quiet exists "#32770" "$SEARCH"
  check "... and names the problem" test -n "$(drive text "$SEARCH" 1104)"
  drive_quiet set-text "$SEARCH" 1101 "\"$title\""
  drive_quiet combo-select "$SEARCH" 1102 1
  sleep 0.3
  shot search-dialog
  drive_quiet click "$SEARCH" 1
  check "OK closes the search dialog" dialog_gone "$SEARCH"
  sleep 0.5
  expected_row="$(date_label 2) $time $channel $title"
  row=$(drive_rows programme | cut -c15- | grep -n -x -F "$expected_row" | cut -d: -f1)
  check "the search view lists $expected_row" test -n "$row"
  check "every row is a programme of $channel" test -z "$(drive_rows programme | cut -c15- | grep -v -F " $channel ")"
  sleep 0.3
  shot_main search-view
  [ -n "$row" ] || { quit_app "$folder" >/dev/null; return; }
  drive_quiet click-row programme $((row - 1))
  expect "the detail pane shows the match's title line" "$title_line" "$(drive detail | head -1)"
  drive_quiet key programme $VK_RETURN
  for _ in $(seq 50); do [ "$(call_count "$folder/denpoz-calls.txt")" -ge 1 ] && break; sleep 0.1; done

  # Two days on by ">": the time view again, then the channel's own view.
  drive_quiet send-command 1002
  drive_quiet send-command 1002
  expect "> leaves the search view for the time view" \
    "$(cli_rows --hour $((10#$(jst -d '5 hours ago' +%H) + 5)) --date "$day2")" "$(programme_rows_as_cli)"
  local header target
  header=$(drive_rows programme | cut -c15- | grep -n -x -F "$channel" | head -1 | cut -d: -f1)
  drive_quiet click-row programme $((header - 1))
  drive_quiet key programme $VK_RETURN
  target=$(drive_rows programme | cut -c15- | grep -n -x -F "$time $title_line" | head -1 | cut -d: -f1)
  drive_quiet click-row programme $((target - 1))
  drive_quiet key programme $VK_RETURN
  for _ in $(seq 50); do [ "$(call_count "$folder/denpoz-calls.txt")" -ge 2 ] && break; sleep 0.1; done
  cp "$folder/denpoz-calls.txt" "$OUT/search-denpoz-calls.txt" 2>/dev/null
  expect "two reservations recorded" 2 "$(call_count "$folder/denpoz-calls.txt")"
  expect "Enter on a match reserves what its day's channel view reserves" \
    "$(call "$folder/denpoz-calls.txt" 2)" "$(call "$folder/denpoz-calls.txt" 1)"
  check "the reservation carries the match's own date" grep -q " $(jst -d "$day2" +%Y%m%d) ${time/:/} " "$folder/denpoz-calls.txt"
  expect "search instance quits with 0" 0 "$(quit_app "$folder")"
}

# --- The watch list: a crawl that brings watched programmes raises one
# balloon; an automatic entry reserves its matches once, not again after
# a second crawl; the balloon's click opens the watch view.
case_watch_list() {
  if ! prepare_cache; then
    skip "watch list" "no demo guide or crawl failed"
    return
  fi
  local folder tomorrow channel watched reserved calls
  tomorrow=$(jst -d "$(jst -d '5 hours ago' +%F) 1 day" +%F)
  channel=$(cli_fields --hour 21 --date "$tomorrow" | cut -f1 | sed -n 1p)
  watched=$(cli_fields --channel "$channel" --date "$tomorrow" | awk -F'\t' '$2 >= "12:00" && $3 ~ /【/ { print $3; exit }' | sed 's/^.*【\(.*\)】.*$/\1/')
  reserved=$(cli_fields --channel "$channel" --date "$tomorrow" | awk -F'\t' '$2 >= "18:00" && $3 ~ /【/ { print $3; exit }' | sed 's/^.*【\(.*\)】.*$/\1/')
  folder=$(new_folder watch)
  cp "$DENPOZ_EXE" "$folder/Denpoz.exe"
  write_settings "$folder" executed=1 server=127.0.0.1 "port=$DEMO_PORT" date=1 autoclose=1
  printf '[watch]\r\n1=--channel "%s" "%s"\r\n2=--reserve --channel "%s" "%s"\r\n' \
    "$channel" "$watched" "$channel" "$reserved" | iconv -f UTF-8 -t CP932 >>"$folder/Rokuban.ini"
  start_app "$folder"
  main_window_up || { fail "watch: main window"; return; }
  sleep 1
  expect "nothing cached: no balloon at start-up" "0 0 0 " "$(drive announcement | head -1)"
  drive_quiet main-command 1004
  wait_dialog "$CONNECT"
  dialog_gone "$CONNECT" 180000
  sleep 1
  local first
  first=$(drive announcement)
  echo "$first" >"$OUT/watch-announcement.txt"
  expect "the crawl raises exactly one balloon" 1 "$(echo "$first" | head -1 | cut -d' ' -f1)"
  check "the balloon counts the new programmes" sh -c "echo '$first' | head -1 | grep -q ' ウォッチ: [1-9][0-9]*件の新しい番組\$'"
  check "the balloon names a watched title first" sh -c 'test "$1" = "$2" || test "$1" = "$3"' _ \
    "$(echo "$first" | sed -n 2p)" "$watched" "$reserved"
  calls=$(call_count "$folder/denpoz-calls.txt")
  check "the automatic entry handed its matches to the recording tool" test "$calls" -ge 1
  expect "the balloon counts the reservations" "$calls" "$(echo "$first" | head -1 | cut -d' ' -f3)"
  expect "every reservation is of $reserved (its short title quoted)" "$calls" \
    "$(iconv -f CP932 -t UTF-8 "$folder/denpoz-calls.txt" | grep -c -F "\"$reserved\"")"
  check "the watch memory reached the settings file" grep -q '^\[watchreserved\]' "$folder/Rokuban.ini"

  drive_quiet main-command 1004
  wait_dialog "$CONNECT"
  dialog_gone "$CONNECT" 180000
  sleep 1
  expect "a second crawl raises no balloon" 1 "$(drive announcement | head -1 | cut -d' ' -f1)"
  expect "... and reserves nothing again" "$calls" "$(call_count "$folder/denpoz-calls.txt")"

  drive_quiet post 0x10 0 0
  visible_within 0 3 >/dev/null
  drive_quiet post 0x800A 1 0x405
  expect "a click on the balloon shows the window" 1 "$(visible_within 1 3)"
  drive_quiet wait-rows programme 1 5000
  check "... on the watch view of $watched and $reserved" sh -c \
    "echo \"\$1\" | grep -q -F \" $channel \$2\" && echo \"\$1\" | grep -q -F \" $channel \$3\"" _ \
    "$(drive_rows programme | cut -c15-)" "$watched" "$reserved"
  sleep 0.3
  shot_main watch-view
  expect "watch instance quits with 0" 0 "$(quit_app "$folder")"
}

# --- The XMLTV dialog ("XMLTVの設定..." in the popup menu): a source typed,
# its channels read and ticked, OK writes the settings file, and the crawl
# takes the ticked channels only.
XMLTV_DIALOG=XMLTVの設定
case_xmltv_dialog() {
  local folder base h id rows
  folder=$(new_folder xmltv-dialog)
  base="$(jst -d '5 hours ago' +%F) 05:00"
  {
    printf '<?xml version="1.0" encoding="UTF-8"?>\n<tv>\n'
    printf '<channel id="a.example"><display-name lang="ja">第一XMLTV</display-name></channel>\n'
    printf '<channel id="b.example"><display-name>Quiet</display-name></channel>\n'
    printf '<channel id="c.example"><display-name lang="ja">第三XMLTV</display-name></channel>\n'
    for id in a b c; do
      for h in $(seq 0 23); do
        printf '<programme start="%s +0900" stop="%s +0900" channel="%s.example"><title lang="ja">%s番組%02d</title></programme>\n' \
          "$(jst -d "$base $h hours" +%Y%m%d%H%M%S)" "$(jst -d "$base $((h + 1)) hours" +%Y%m%d%H%M%S)" "$id" "$id" "$h"
      done
    done
    printf '</tv>\n'
  } >"$folder/guide.xml"
  write_settings "$folder" executed=1 date=1 autoclose=1
  start_app "$folder"
  main_window_up || { fail "xmltv dialog: main window"; return; }
  drive_quiet main-command 1015
  check "the menu item opens the XMLTV dialog" wait_dialog "$XMLTV_DIALOG"
  expect "the source box starts empty without a source" "" "$(drive text "$XMLTV_DIALOG" 1201)"
  drive_quiet set-text "$XMLTV_DIALOG" 1201 guide.xml
  drive_quiet click "$XMLTV_DIALOG" 1202
  check "reading names the channel count" drive_quiet expect-text "$XMLTV_DIALOG" 1204 3件のチャンネル 20000
  expect "every channel listed and ticked" "$(printf '1\t第一XMLTV\ta.example\n1\tQuiet\tb.example\n1\t第三XMLTV\tc.example')" \
    "$(drive check-items "$XMLTV_DIALOG" 1203)"
  for h in 0 1 2; do drive_quiet set-item-check "$XMLTV_DIALOG" 1203 "$h" 0; done
  drive_quiet click "$XMLTV_DIALOG" 1
  check "OK with nothing ticked names what is missing" drive_quiet expect-text "$XMLTV_DIALOG" 1204 チャンネルを選んでください 5000
  check "... and keeps the dialog open" wait_dialog "$XMLTV_DIALOG" 1000
  check "a channel is ticked" drive_quiet set-item-check "$XMLTV_DIALOG" 1203 0 1
  drive_quiet set-item-check "$XMLTV_DIALOG" 1203 2 1
  sleep 0.3
  shot xmltv-dialog
  drive_quiet click "$XMLTV_DIALOG" 1
  check "OK closes the XMLTV dialog" dialog_gone "$XMLTV_DIALOG"
  expect "OK writes the source" guide.xml "$(setting "$folder" xmltvsource)"
  expect "OK writes the ticked channels in order" "$(printf '1=a.example\n2=c.example')" \
    "$(tr -d '\r' <"$folder/Rokuban.ini" | awk '/^\[/ { on = ($0 == "[xmltvchannels]"); next } on')"
  drive_quiet main-command 1004
  check "the crawl after the dialog opens" wait_dialog "$CONNECT"
  check "... and closes by itself" dialog_gone "$CONNECT" 180000
  check "the window lists the imported guide" drive_quiet wait-rows programme 1 5000
  rows=$(drive_rows programme | cut -c15-)
  check "the list shows both ticked channels" sh -c 'echo "$1" | grep -q 第一XMLTV && echo "$1" | grep -q 第三XMLTV' _ "$rows"
  check "... and not the unticked one" sh -c '! echo "$1" | grep -q -e Quiet -e b番組' _ "$rows"
  shot_main main-window-xmltv-dialog
  expect "XMLTV dialog instance quits with 0" 0 "$(quit_app "$folder")"
}

start_display
wineboot -i >/dev/null 2>&1
# ROKUBAN_E2E_CASES may name a subset, e.g. "crawls first_run_ok".
for name in ${ROKUBAN_E2E_CASES:-first_run_cancel first_run_ok configured_start renamed_executable tray_icon failed_automatic_job crawls xmltv_file boot_download programme_views schedule xmltv_import search_view watch_list xmltv_dialog}; do
  "case_$name"
done
echo "screenshots in $OUT"
echo "$PASSED passed, $FAILED failed${SKIPPED:+, $SKIPPED skipped}"
[ "$FAILED" -eq 0 ]
