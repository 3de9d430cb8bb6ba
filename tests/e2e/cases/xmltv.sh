# End-to-end cases: the guide from an XMLTV file, the import and the XMLTV
# dialog. Sourced by run.sh.

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

# --- The XMLTV dialog ("XMLTVの設定..." in the popup menu): a source typed,
# its channels read and ticked, OK writes the settings file, and the crawl
# takes the ticked channels only.
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
  drive_quiet main-command 1015
  wait_dialog "$XMLTV_DIALOG"
  expect "reopened, the dialog names the chosen channels before any reading" \
    "$(printf '1\t第一XMLTV\ta.example\n1\t第三XMLTV\tc.example')" "$(drive check-items "$XMLTV_DIALOG" 1203)"
  drive_quiet click "$XMLTV_DIALOG" 2
  dialog_gone "$XMLTV_DIALOG"
  expect "XMLTV dialog instance quits with 0" 0 "$(quit_app "$folder")"
}
