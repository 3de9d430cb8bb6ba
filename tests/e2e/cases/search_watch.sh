# End-to-end cases: the search view and the watch list. Sourced by run.sh.

# --- The search dialog and the fourth view: a programme two days ahead
# found by its title and channel, listed with its date, reserved with the
# arguments its own day's channel view gives.

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

  # From the end: ウォッチの説明..., XMLTVの設定..., ウォッチ, 検索... (the separator is passed over).
  drive_quiet popup-menu programme $VK_UP $VK_UP $VK_UP $VK_UP $VK_RETURN
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
  expect "... and ends with the count of matches" 1 "$(drive detail | tail -1 | grep -c '^検索: [1-9][0-9]*件$')"
  drive_quiet key programme $VK_RETURN
  for _ in $(seq 50); do [ "$(call_count "$folder/denpoz-calls.txt")" -ge 1 ] && break; sleep 0.1; done

  # A search that finds nothing leaves no programme of the last one behind.
  drive_quiet popup-menu programme $VK_UP $VK_UP $VK_UP $VK_UP $VK_RETURN
  wait_dialog "$SEARCH" 10000
  drive_quiet set-text "$SEARCH" 1101 "xyzzy番組にない言葉"
  drive_quiet click "$SEARCH" 1
  dialog_gone "$SEARCH"
  sleep 0.5
  expect "a search without matches lists nothing" 0 "$(drive list programme count)"
  expect "... and the detail pane says so instead of the last programme" "検索: 0件（見つかりませんでした）" "$(drive detail)"

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
  crawl_from_window
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

  crawl_from_window
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

# --- Episodes and changes followed: an automatic entry with --once reserves
# an episode once, not its re-air on another channel; a later crawl that
# moves the reserved programme raises one balloon of changed times and
# hands it to the recording tool again; the explanation dialog lists the
# re-air as seen.
watch_follow_document() {  # FOLDER DRAMA_START DRAMA_END
  local d1 d2
  d1="$(jst -d "$(jst -d '5 hours ago' +%F) 1 day" +%Y%m%d)"
  d2="$(jst -d "$(jst -d '5 hours ago' +%F) 2 days" +%Y%m%d)"
  {
    printf '<?xml version="1.0" encoding="UTF-8"?>\n<tv>\n'
    printf '<channel id="a.example"><display-name lang="ja">第一放送</display-name></channel>\n'
    printf '<channel id="b.example"><display-name lang="ja">第二放送</display-name></channel>\n'
    printf '<programme start="%s1900 +0900" stop="%s%s +0900" channel="a.example"><title>ニュース</title></programme>\n' "$d1" "$d1" "$2"
    printf '<programme start="%s%s +0900" stop="%s%s +0900" channel="a.example"><title>連続ドラマ「約束」#3</title></programme>\n' "$d1" "$2" "$d1" "$3"
    printf '<programme start="%s%s +0900" stop="%s2300 +0900" channel="a.example"><title>映画</title></programme>\n' "$d1" "$3" "$d1"
    printf '<programme start="%s1900 +0900" stop="%s2000 +0900" channel="b.example"><title>ニュース</title></programme>\n' "$d2" "$d2"
    printf '<programme start="%s2000 +0900" stop="%s2100 +0900" channel="b.example"><title>連続ドラマ「約束」#3[再]</title></programme>\n' "$d2" "$d2"
    printf '</tv>\n'
  } >"$1/guide.xml"
}

case_watch_follow() {
  local folder first second explanation d1
  folder=$(new_folder watch-follow)
  d1="$(jst -d "$(jst -d '5 hours ago' +%F) 1 day" +%Y%m%d)"
  cp "$DENPOZ_EXE" "$folder/Denpoz.exe"
  watch_follow_document "$folder" 2000 2100
  write_settings "$folder" executed=1 xmltvsource=guide.xml date=2 autoclose=1
  start_watching "$folder" "watch follow" '--reserve --once "約束"' || return
  first=$(drive announcement)
  expect "--once announces and reserves the episode once" "1 1 1 ウォッチ: 1件の新しい番組" "$(echo "$first" | head -1)"
  expect "... its re-air on another channel is not reserved" 1 "$(call_count "$folder/denpoz-calls.txt")"
  check "the first airing is remembered as seen" grep -q '^\[watchseen\]' "$folder/Rokuban.ini"

  watch_follow_document "$folder" 2030 2130
  crawl_from_window
  second=$(drive announcement)
  echo "$second" >"$OUT/watch-follow-announcement.txt"
  expect "a moved reserved programme raises one balloon of changed times" \
    "2 0 0 ウォッチ: 1件の番組の時間が変わりました" "$(echo "$second" | head -1)"
  check "... naming the programme" sh -c 'echo "$1" | grep -q -F "連続ドラマ「約束」#3"' _ "$second"
  check "... and that the old reservation stays in the recording tool" \
    sh -c 'echo "$1" | grep -q -F "元の予約も録画ツールに残っています"' _ "$second"
  expect "the moved programme is handed over again" 2 "$(call_count "$folder/denpoz-calls.txt")"
  check "... with its new start" grep -a -q " $d1 2030 " "$folder/denpoz-calls.txt"
  check "the change is remembered" grep -q '^\[watchchanges\]' "$folder/Rokuban.ini"

  drive_quiet main-command 1013
  drive_quiet wait-rows programme 2 5000
  check "the watch view marks the re-air with the airing it repeats" \
    sh -c 'echo "$1" | grep -q -F "第二放送 連続ドラマ「約束」#3[再]（$2 20:00の再放送）"' _ \
    "$(drive_rows programme | cut -c15-)" "$(echo "$d1" | sed 's/^....\(..\)\(..\)$/\1\/\2/')"
  drive_quiet main-command 1016
  check "ウォッチの説明... opens the explanation" wait_dialog ウォッチの説明
  explanation=$(drive text ウォッチの説明 1302)
  echo "$explanation" >"$OUT/watch-explanation.txt"
  check "the explanation lists the match" sh -c 'echo "$1" | grep -q "^一致: 1件"' _ "$explanation"
  check "... and the re-air as an episode seen, left out by --once" \
    sh -c 'echo "$1" | grep -A1 "第二放送 連続ドラマ「約束」#3" | grep -q -- "-- .*に放送済みの回（--once で除外）"' _ "$explanation"
  sleep 0.3
  shot watch-explanation
  drive_quiet click ウォッチの説明 2
  check "閉じる closes it" dialog_gone ウォッチの説明
  expect "watch follow instance quits with 0" 0 "$(quit_app "$folder")"
}

# --- The command line beside the running window: an entry added with
# rokuban-cli.exe while the window runs is in its watch view at once and
# raises the balloon of the next check.
case_watch_from_command_line() {
  local folder
  folder=$(new_folder watch-cli)
  watch_follow_document "$folder" 2000 2100
  write_settings "$folder" executed=1 xmltvsource=guide.xml date=2 autoclose=1
  start_app "$folder"
  main_window_up || { fail "watch from the command line: main window"; return; }
  crawl_from_window
  expect "without watch entries no balloon" "0 0 0 " "$(drive announcement | head -1)"
  (cd "$folder" && wine "$BUILD/cli/rokuban-cli.exe" --ini Rokuban.ini watch add 約束 >/dev/null 2>&1)
  check "rokuban-cli.exe wrote the entry" sh -c "iconv -f CP932 -t UTF-8 '$folder/Rokuban.ini' | grep -q '^1=約束'"
  drive_quiet main-command 1013
  drive_quiet wait-rows programme 2 5000
  check "the watch view lists the entry's matches" \
    sh -c 'echo "$1" | grep -q "第一放送 連続ドラマ「約束」#3"' _ "$(drive_rows programme | cut -c15-)"
  sleep 0.3
  shot watch-from-command-line
  crawl_from_window
  expect "the next check raises the balloon of its matches" "1 2 0 ウォッチ: 2件の新しい番組" \
    "$(drive announcement | head -1)"
  check "the entry is still in the file after the window's save" grep -q '^1=' "$folder/Rokuban.ini"
  expect "watch from the command line instance quits with 0" 0 "$(quit_app "$folder")"
}
