# The program's own dialogs, shown one at a time by dialog_check.exe (built with Vandrel.exe
# from the same platform code) and answered as a user would.

# Starts dialog_check with its arguments in the test's folder, where it leaves its answer.
start_dialog() {
  rm -f "$E2E_TEST_DIR/dialog_answer.txt"
  (cd "$E2E_TEST_DIR" && wine "$(dirname "$VANDREL_EXE")/dialog_check.exe" "$@" \
    >>"$E2E_ARTIFACT_DIR/dialog.log" 2>&1) &
}

# The answer the dialog gave, once it has closed.
dialog_answer() {
  wait_for_file "$E2E_TEST_DIR/dialog_answer.txt" 5000 || fail "the dialog did not close"
  cat "$E2E_TEST_DIR/dialog_answer.txt"
}

test_palette_name_dialog_accepts_with_enter_and_ok() {
  start_dialog name ""
  local hwnd x y w h
  read -r hwnd x y w h < <(drv dialog-wait "Palette Name" 5000) || fail "no \"Palette Name\" window appeared"
  screenshot palette_name
  assert_eq "300 130" "$w $h" "size of the Palette Name window"
  assert_eq "$(((1280 - 300) / 2)) $(((800 - 130) / 2))" "$x $y" "place of the Palette Name window (centred)"
  drv type "ocean" >/dev/null
  drv key enter >/dev/null
  assert_eq "[ocean]" "$(dialog_answer)" "answer after typing ocean and Enter"

  start_dialog name "suggested"
  read -r hwnd x y w h < <(drv dialog-wait "Palette Name" 5000) || fail "no \"Palette Name\" window appeared"
  assert_eq "suggested" "$(drv dialog-get "Palette Name" 100)" "the field holds the suggested text"
  drv dialog-click "Palette Name" 1 >/dev/null
  assert_eq "[suggested]" "$(dialog_answer)" "answer after OK"
}

test_palette_name_dialog_gives_nothing_on_escape_or_close() {
  start_dialog name ""
  drv dialog-wait "Palette Name" 5000 >/dev/null || fail "no \"Palette Name\" window appeared"
  drv type "sky" >/dev/null
  # The typing has reached the field before the dialog is dismissed, as a user would see it.
  wait_output 5000 sky drv dialog-get "Palette Name" 100 || fail "the field shows $E2E_LAST_OUTPUT, not sky"
  drv key escape >/dev/null
  assert_eq "[]" "$(dialog_answer)" "answer after Escape"

  start_dialog name ""
  local hwnd
  read -r hwnd _ < <(drv dialog-wait "Palette Name" 5000) || fail "no \"Palette Name\" window appeared"
  drv type "sky" >/dev/null
  wait_output 5000 sky drv dialog-get "Palette Name" 100 || fail "the field shows $E2E_LAST_OUTPUT, not sky"
  drv close "$hwnd" >/dev/null
  assert_eq "[]" "$(dialog_answer)" "answer after the close box"
}

test_message_boxes_show_title_text_and_buttons() {
  start_dialog error "Invalid file name"
  local box
  box=$(drv msgbox-wait Error 5000) || fail "no Error message box appeared"
  assert_eq "Error|Invalid file name" "$(printf '%s' "$box" | tr '\n' '|')" "title and text of the message box"
  assert_eq "ok" "$(drv msgbox-buttons Error)" "buttons of an Error box"
  drv msgbox-answer Error ok >/dev/null
  assert_eq "ok" "$(dialog_answer)" "the box closed with OK"

  start_dialog question "Save your changes?"
  drv msgbox-wait Save 5000 >/dev/null || fail "no Save question appeared"
  assert_eq "yes no" "$(drv msgbox-buttons Save)" "buttons of a question"
  drv msgbox-answer Save no >/dev/null
  assert_eq "no" "$(dialog_answer)" "answer No"
}

test_folder_chooser_starts_at_the_given_folder_and_returns_the_choice() {
  mkdir -p "$(profile_dir)/Palettes"
  # Measured: unless the profile folder is listed once after the new folder was made from Linux,
  # Wine's folder tree cannot find it to select it (the chooser then starts at the Desktop).
  ls -la "$(profile_dir)" >/dev/null
  start_dialog folder "$(profile_dir_windows)"
  drv dialog-wait "Browse for Folder" 5000 >/dev/null || fail "no \"Browse for Folder\" dialog appeared"
  drv dialog-click "Browse for Folder" 2 >/dev/null
  assert_eq "[]" "$(dialog_answer)" "answer after Cancel"

  start_dialog folder "$(profile_dir_windows)\\Palettes"
  drv dialog-wait "Browse for Folder" 5000 >/dev/null || fail "no \"Browse for Folder\" dialog appeared"
  screenshot folder_chooser
  drv dialog-click "Browse for Folder" 1 >/dev/null
  assert_eq "[$(profile_dir_windows)\\Palettes]" "$(dialog_answer)" "folder chosen with OK"
}

# A framed window as the program's own windows are made (the editor's and the manage window's
# kind): Tab moves between controls, keys and clicks raise the controls' events, the window's
# shortcuts arrive as menu items, a press on its background moves it, Escape asks to close it.
test_framed_window_moves_between_controls_and_reports_their_events() {
  start_dialog framed
  local hwnd x y w h
  read -r hwnd x y w h < <(drv wait-window VandrelWindow "Framed Check" 5000) ||
    fail "no \"Framed Check\" window appeared"
  screenshot framed_window
  local cx cy cw ch
  read -r cx cy cw ch < <(drv client-rect "$hwnd")
  assert_eq "320 170" "$cw $ch" "client size of the framed window"
  drv wait-foreground VandrelWindow "Framed Check" 5000 >/dev/null || fail "the framed window is not in front"
  drv type "x" >/dev/null    # into the field, which has the focus
  drv key tab space >/dev/null   # the check box
  drv key tab space >/dev/null   # the first option
  drv key down >/dev/null        # a shortcut of the window
  drv key tab enter >/dev/null   # the push button
  # The background right of the check box: the window follows the mouse.
  # With the X server's own input: under Wine a press injected by another program reads as
  # released already while the window handles it, so the move loop would not start.
  local step
  xdotool mousemove --sync $((cx + 250)) $((cy + 50)) mousedown 1
  for step in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove --sync $((cx + 250 + step * 10)) $((cy + 50 - step * 5))
    sleep 0.03 # one move of the loop per step, as a hand makes them
  done
  xdotool mouseup 1
  local moved=yes
  wait_output 3000 "$((x + 100)) $((y - 50))" eval "drv rect $hwnd | cut -d' ' -f1,2" || moved=$E2E_LAST_OUTPUT
  drv key escape >/dev/null
  local answer
  answer=$(dialog_answer)
  [ "$moved" == yes ] ||
    fail "after a drag on its background the window is at $moved, not $((x + 100)) $((y - 50)): $answer"
  grep -qx "control 102 change" <<<"$answer" || fail "typing into the field raised no change: $answer"
  grep -qx "control 103 click" <<<"$answer" || fail "Space on the check box raised no click: $answer"
  grep -qx "control 104 click" <<<"$answer" || fail "Space on the first option raised no click: $answer"
  grep -qx "menu 502" <<<"$answer" || fail "the Down shortcut raised no menu item: $answer"
  grep -qx "control 106 click" <<<"$answer" || fail "Enter on the button raised no click: $answer"
  grep -qx "background moved" <<<"$answer" || fail "the background press did not move the window: $answer"
  grep -qx "close" <<<"$answer" || fail "Escape did not ask to close the window: $answer"
  grep -qx "field firstx" <<<"$answer" || grep -qx "field xfirst" <<<"$answer" ||
    fail "the field holds something else than the typed x: $answer"
  grep -qx "check 1" <<<"$answer" || fail "the check box is not ticked: $answer"
  grep -qx "surface data 197121" <<<"$answer" || fail "the surface lost its data: $answer"
}
