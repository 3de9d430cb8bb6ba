# End-to-end cases: first start, the connect dialog, its settings and the
# jobs without a guide. Sourced by run.sh.

# --- First run, left with "キャンセル": the program ends, nothing confirmed.
case_first_run_cancel() {
  local folder
  folder=$(new_folder first-cancel)
  start_app "$folder"
  check "first run opens the connect dialog" wait_dialog "$CONNECT"
  sleep 0.5
  shot connect-dialog-first-run
  check "without a guide source the dialog names the XMLTV dialog" \
    sh -c 'echo "$1" | grep -q "設定されていません.*「XMLTVの設定...」"' _ "$(drive text "$CONNECT" 1022)"
  drive_quiet click "$CONNECT" 1001
  check "巡回 without a guide source says so at once" drive_quiet expect-text "$CONNECT" 1010 取得元なし 3000
  expect "... and starts no job" "1" "$(drive enabled "$CONNECT" 1001)"
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
    "$(drive enabled "$CONNECT" 1001 3 1020 1)"
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
