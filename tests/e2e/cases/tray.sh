# End-to-end cases: the notification-area icon. Sourced by run.sh.

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
  check "the icon comes back after TaskbarCreated" drive_quiet wait-tray-icon 3000
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
