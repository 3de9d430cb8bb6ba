# End-to-end cases: crawls from the demo guide, cancelled and at start-up.
# Sourced by run.sh.

# --- Crawls against the demo guide service.

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
  expect "cancelled crawl returns to idle" 1 "$(drive wait-enabled "$CONNECT" 1001 30000)"
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
