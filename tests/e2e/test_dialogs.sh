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
  drv key escape >/dev/null
  assert_eq "[]" "$(dialog_answer)" "answer after Escape"

  start_dialog name ""
  local hwnd
  read -r hwnd _ < <(drv dialog-wait "Palette Name" 5000) || fail "no \"Palette Name\" window appeared"
  drv type "sky" >/dev/null
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
