# End-to-end cases of the recorder (setting `recorder`), against its
# stand-in (tests/e2e/recorder_double_main.cpp) run under wine beside the
# program.

# start_recorder FOLDER: the stand-in in FOLDER; prints its port.
start_recorder() {
  local folder=$1 double="$BUILD/tests/e2e/rokuban-recorder-double.exe"
  [ -f "$double" ] || return 1
  (cd "$folder" && exec wine "$double" --port-file recorder-port --tuners 2 >recorder.log 2>&1) &
  APP_PIDS+=($!)
  for _ in $(seq 100); do
    [ -s "$folder/recorder-port" ] && { tr -d '\r\n ' <"$folder/recorder-port"; return 0; }
    sleep 0.1
  done
  return 1
}

# reserve_count PORT: how many reserves the stand-in holds.
reserve_count() { curl -s --max-time 5 "http://127.0.0.1:$1/api/reserves" | grep -o '"id":' | wc -l; }

# --- With `recorder` set, an automatic --once entry reserves an episode in
# the recorder once, not its re-air on another channel; nothing goes to
# the recording tool, the recorder's reserves view lists it, and a second
# check reserves nothing again.
case_watch_recorder() {
  local folder port first d1 d2 reserves
  folder=$(new_folder watch-recorder)
  port=$(start_recorder "$folder") || { fail "watch recorder: the recorder's stand-in did not start"; return; }
  cp "$DENPOZ_EXE" "$folder/Denpoz.exe"
  d1="$(jst -d "$(jst -d '5 hours ago' +%F) 1 day" +%Y%m%d)"
  d2="$(jst -d "$(jst -d '5 hours ago' +%F) 2 days" +%Y%m%d)"
  {
    printf '<?xml version="1.0" encoding="UTF-8"?>\n<tv>\n'
    printf '<channel id="3273601024"><display-name lang="ja">第一放送</display-name></channel>\n'
    printf '<channel id="400211"><display-name lang="ja">第二放送</display-name></channel>\n'
    printf '<programme start="%s2000 +0900" stop="%s2100 +0900" channel="3273601024"><title>連続ドラマ「約束」#3</title></programme>\n' "$d1" "$d1"
    printf '<programme start="%s2000 +0900" stop="%s2100 +0900" channel="400211"><title>連続ドラマ「約束」#3[再]</title></programme>\n' "$d2" "$d2"
    printf '</tv>\n'
  } >"$folder/guide.xml"
  write_settings "$folder" executed=1 xmltvsource=guide.xml date=2 autoclose=1 "recorder=http://127.0.0.1:$port"
  start_watching "$folder" "watch recorder" '--reserve --once "約束"' || return
  first=$(drive announcement)
  expect "the episode is announced and reserved once" "1 1 1 ウォッチ: 1件の新しい番組" "$(echo "$first" | head -1)"
  reserves=$(curl -s --max-time 5 "http://127.0.0.1:$port/api/reserves")
  echo "$reserves" >"$OUT/watch-recorder-reserves.json"
  expect "... in the recorder: one reserve" 1 "$(reserve_count "$port")"
  check "... of the first airing, on its channel's id" sh -c 'echo "$1" | grep -q "\"channelId\":3273601024,"' _ "$reserves"
  expect "... and nothing goes to the recording tool" 0 "$(call_count "$folder/denpoz-calls.txt")"
  check "the reservation is remembered" grep -q '^\[watchreserved\]' "$folder/Rokuban.ini"

  drive_quiet main-command 1017
  drive_quiet wait-rows programme 1 5000
  check "録画サーバーの予約 lists the recorder's reserve on its channel" \
    sh -c 'echo "$1" | grep -q "第一放送 連続ドラマ「約束」#3"' _ "$(drive_rows programme | cut -c15-)"

  crawl_from_window
  expect "a second check reserves nothing again" 1 "$(reserve_count "$port")"
  expect "watch recorder instance quits with 0" 0 "$(quit_app "$folder")"
}

# --- A recorder that takes the connection and never answers: the reserves
# view asks it on a thread of its own, so the window keeps answering and
# quits while the question is still open.
case_recorder_silent() {
  local folder port
  folder=$(new_folder recorder-silent)
  python3 -c '
import socket, sys
listener = socket.socket()
listener.bind(("127.0.0.1", 0))
listener.listen(8)
open(sys.argv[1], "w").write(str(listener.getsockname()[1]))
held = []
while True:
    held.append(listener.accept()[0])
' "$folder/silent-port" &
  APP_PIDS+=($!)
  for _ in $(seq 50); do [ -s "$folder/silent-port" ] && break; sleep 0.1; done
  port=$(cat "$folder/silent-port" 2>/dev/null) || { fail "silent recorder: no listener"; return; }
  write_settings "$folder" executed=1 date=2 autoclose=1 "recorder=http://127.0.0.1:$port"
  start_app "$folder"
  main_window_up || { fail "silent recorder: main window"; return; }
  drive_quiet main-command 1017
  sleep 0.5
  check "録画サーバーの予約 asks a silent recorder without holding the window" drive_quiet responds 1000
  expect "... and the window quits while the question is open" 0 "$(quit_app "$folder")"
}
