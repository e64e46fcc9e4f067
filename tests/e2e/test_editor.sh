# The palette editor: opened from the tray menu, typed into with the real keyboard, saved, closed
# with and without unsaved changes, switched to another palette; a blank palette started, named,
# filled and saved; Tab and the arrow keys between rows.

# shellcheck source=editor_lib.sh
source "$E2E_ROOT/tests/e2e/editor_lib.sh"

test_editor_types_moves_and_saves_a_colour_and_the_palette_window_follows() {
  start_vandrel
  wait_started
  open_from_tray 1
  local phwnd px py pw ph
  read -r phwnd px py pw ph < <(drv wait-window VandrelPalette VN 5000) || fail "no palette window opened"
  edit_from_tray 1
  local hwnd x y w h
  read -r hwnd x y w h < <(wait_editor)
  assert_eq "start" "$(control_text "$hwnd" 21)" "the editor's name label"
  wait_row_count "$hwnd" 9
  wait_row_text "$hwnd" 1 "#000000"
  wait_focus "$hwnd" 137 "a freshly opened editor"
  local cx cy cw ch
  read -r cx cy cw ch < <(drv client-rect "$hwnd")
  local t
  t=$(drv control "$hwnd" 20 | cut -d' ' -f6)
  assert_eq "150 $((9 * 19 + t + 27))" "$cw $ch" "client size with 9 rows"
  screenshot editor_nine_rows

  drv type "a1b2c" >/dev/null
  wait_row_text "$hwnd" 9 "#A1B2C"
  drv type "3" >/dev/null
  wait_row_text "$hwnd" 9 "#A1B2C3"
  wait_row_count "$hwnd" 10
  wait_focus "$hwnd" 138 "after a complete code"
  read -r cx cy cw ch < <(drv client-rect "$hwnd")
  assert_eq "$((10 * 19 + t + 27))" "$ch" "client height with 10 rows"
  # The previews show the typed colour.
  local prow=$((cy + t + 25 + 8 * 19 + 9))
  assert_eq "A1B2C3" "$(drv pixel $((cx + 15)) "$prow")" "left preview of row 9"
  assert_eq "A1B2C3" "$(drv pixel $((cx + 134)) "$prow")" "right preview of row 9"

  click_control "$hwnd" $((512 + 9))  # Move up on row 9
  wait_row_text "$hwnd" 8 "#A1B2C3"
  wait_row_text "$hwnd" 9 "#FFFFFF"
  wait_focus "$hwnd" 138 "after a click on Move up (the focus stays where the typing was)"
  screenshot editor_moved_up
  click_tool "$hwnd" 1
  wait_output 5000 9 bash -c "drv count-windows VandrelPalette VN | head -n1 | awk '{print (\$5 - 1) / 19}'" ||
    fail "the palette window was not rebuilt with 9 swatches (its height gives $E2E_LAST_OUTPUT)"
  assert_file_bytes "$(settings_dir)/start.pal" \
    "$(palette_bytes "#000000" "#FF0000" "#FFFF00" "#00FF00" "#00FFFF" "#0000FF" "#FF00FF" "#A1B2C3" "#FFFFFF")" \
    "start.pal after the save"
  read -r phwnd px py pw ph < <(drv count-windows VandrelPalette VN | head -n1)
  assert_eq "A1B2C3" "$(drv pixel $((px + 30)) $((py + 1 + 7 * 19 + 1)))" "the rebuilt window's eighth swatch"
  assert_eq "FFFFFF" "$(drv pixel $((px + 30)) $((py + 1 + 8 * 19 + 1)))" "the rebuilt window's ninth swatch"
  screenshot palette_rebuilt

  # Three more colours fill the palette: twelve rows, no entry row.
  local code
  for code in 111111 222222 333333; do
    drv type "$code" >/dev/null
    wait_row_text "$hwnd" $((10 + ${code:0:1} - 1)) "#$code"
  done
  wait_row_count "$hwnd" 12
  read -r cx cy cw ch < <(drv client-rect "$hwnd")
  assert_eq "$((12 * 19 + t + 27))" "$ch" "client height with 12 rows"
  screenshot editor_twelve_rows
  # The tray's sub-menu of start, filled when it was opened before the save, holds the saved
  # colours (not the unsaved ones): the eighth copies the moved code, and there is a ninth.
  tray_palette_item 1 down down down down down down down
  drv wait-clipboard "#A1B2C3" 3000 >/dev/null ||
    fail "the tray menu's eighth colour of start put '$(drv clipboard)' on the clipboard after the save"
  open_tray_menu left
  drv menu-keys down right down down down down down down down down >/dev/null
  screenshot tray_submenu_after_save
  drv menu-keys enter >/dev/null
  drv wait-clipboard "#FFFFFF" 3000 >/dev/null ||
    fail "the tray menu's ninth colour of start put '$(drv clipboard)' on the clipboard after the save"
  exit_from_tray
}

# Opens the first palette (start) in the editor, adds 123456 and closes it with the close box,
# answering the question with ANSWER.
change_and_close_answering() { # ANSWER
  edit_from_tray 1
  local hwnd x y w h
  read -r hwnd x y w h < <(wait_editor)
  wait_focus "$hwnd" 137 "the editor of start"
  drv type "123456" >/dev/null
  wait_row_count "$hwnd" 10
  press_close_box "$hwnd"
  expect_save_question
  drv msgbox-answer Save "$1" >/dev/null || fail "the question could not be answered"
  drv wait-gone VandrelWindow Vandrel 5000 >/dev/null || fail "$1 did not close the editor"
}

test_editor_close_box_asks_about_unsaved_changes_both_ways() {
  start_vandrel
  wait_started
  change_and_close_answering no
  # shellcheck disable=SC2086
  assert_file_bytes "$(settings_dir)/start.pal" "$(palette_bytes $START_BYTES)" "start.pal after No"

  edit_from_tray 1
  local hwnd x y w h
  read -r hwnd x y w h < <(wait_editor)
  wait_focus "$hwnd" 137 "the editor opened again"
  press_close_box "$hwnd"
  drv wait-gone VandrelWindow Vandrel 5000 >/dev/null ||
    fail "an editor without changes did not close at once (a question?)"

  change_and_close_answering yes
  # shellcheck disable=SC2086
  assert_file_bytes "$(settings_dir)/start.pal" "$(palette_bytes $START_BYTES "#123456")" "start.pal after Yes"
  exit_from_tray
}

test_editor_asks_before_switching_to_another_palette() {
  mkdir -p "$(settings_dir)"
  # shellcheck disable=SC2086
  write_crlf "$(settings_dir)/start.pal" $START_BYTES
  write_crlf "$(settings_dir)/web.pal" "#1A2B3C" "#FF8000"
  start_vandrel
  wait_started
  edit_from_tray 1
  local hwnd x y w h
  read -r hwnd x y w h < <(wait_editor)
  local first second
  first=$(control_text "$hwnd" 21)
  [ "$first" = start ] && second=web || second=start
  local rows
  rows=$(row_count "$hwnd")
  drv activate "$hwnd" >/dev/null
  wait_focus "$hwnd" $((128 + rows)) "the editor of $first"
  drv type "abcdef" >/dev/null
  wait_row_count "$hwnd" $((rows + 1))
  local place
  place=$(window_place "$hwnd")

  edit_from_tray 2
  expect_save_question
  drv msgbox-answer Save yes >/dev/null || fail "the question could not be answered"
  # The tray's "Edit" closes the editor and opens it again, where it stood.
  local old=$hwnd
  editor_replaced() { [ "$(drv wait-window VandrelWindow Vandrel 1000 | cut -d' ' -f1)" != "$old" ]; }
  wait_until 5000 editor_replaced || fail "the editor was not opened again for $second"
  read -r hwnd x y w h < <(wait_editor)
  wait_output 5000 "$second" control_text "$hwnd" 21 || fail "the editor shows $E2E_LAST_OUTPUT after the switch"
  assert_eq "$place" "$(window_place "$hwnd")" "the editor's place after the switch"
  if [ "$first" = start ]; then
    # shellcheck disable=SC2086
    assert_file_bytes "$(settings_dir)/start.pal" "$(palette_bytes $START_BYTES "#ABCDEF")" "start.pal, saved on leaving"
  else
    assert_file_bytes "$(settings_dir)/web.pal" "$(palette_bytes "#1A2B3C" "#FF8000" "#ABCDEF")" "web.pal, saved on leaving"
  fi
  press_close_box "$hwnd"
  drv wait-gone VandrelWindow Vandrel 5000 >/dev/null ||
    fail "after the switch the editor had unsaved changes it did not show (a question?)"
  exit_from_tray
}

test_editor_blank_palette_is_named_filled_saved_and_in_the_tray_menu() {
  start_vandrel
  wait_started
  menu_command 20  # "Blank"
  answer_palette_name fresh
  local hwnd x y w h
  read -r hwnd x y w h < <(wait_editor)
  assert_eq "fresh" "$(control_text "$hwnd" 21)" "the new palette's label"
  wait_row_count "$hwnd" 1
  drv activate "$hwnd" >/dev/null
  wait_focus "$hwnd" 129 "the new palette's only row"
  screenshot editor_one_row
  drv type "ff0000" >/dev/null
  wait_row_count "$hwnd" 2
  drv type "00ff00" >/dev/null
  wait_row_count "$hwnd" 3
  wait_row_text "$hwnd" 2 "#00FF00"
  drv type "0000ff" >/dev/null
  wait_row_count "$hwnd" 4
  screenshot editor_four_rows
  assert_no_file "$(settings_dir)/fresh.pal" "the new palette's file exists before its first save"
  click_tool "$hwnd" 1
  wait_for_file "$(settings_dir)/fresh.pal" || fail "saving did not create fresh.pal"
  assert_file_bytes "$(settings_dir)/fresh.pal" "$(palette_bytes "#FF0000" "#00FF00" "#0000FF")" "fresh.pal"
  press_close_box "$hwnd"
  drv wait-gone VandrelWindow Vandrel 5000 >/dev/null || fail "the saved editor did not close at once"

  # Both palettes are in the tray menu: open each; one window has 8 swatches, the other 2.
  open_from_tray 1
  open_from_tray 2
  wait_output 5000 2 bash -c "drv count-windows VandrelPalette VN | tail -n1" ||
    fail "the tray menu opened $E2E_LAST_OUTPUT palette windows, not 2"
  local heights
  heights=$(drv count-windows VandrelPalette VN | head -n2 | awk '{print $5}' | sort -n | tr '\n' ' ')
  assert_eq "58 153 " "$heights" "heights of the two palette windows (3 and 8 swatches)"
  exit_from_tray
}

test_editor_tab_and_arrow_keys_move_between_rows() {
  start_vandrel
  wait_started
  edit_from_tray 1
  local hwnd x y w h
  read -r hwnd x y w h < <(wait_editor)
  wait_focus "$hwnd" 137 "a freshly opened editor"
  drv key down >/dev/null
  drv key up >/dev/null
  wait_focus "$hwnd" 136 "Down on the last row, then Up"
  drv key up >/dev/null
  wait_focus "$hwnd" 135 "Up again"
  drv key tab >/dev/null
  wait_focus "$hwnd" 136 "Tab"
  drv key shift+tab >/dev/null
  wait_focus "$hwnd" 135 "Shift+Tab"
  drv key down >/dev/null
  wait_focus "$hwnd" 136 "Down"
  # Up selects the whole code: a digit typed now replaces it.
  drv key up >/dev/null
  wait_focus "$hwnd" 135 "Up"
  drv type "1" >/dev/null
  wait_row_text "$hwnd" 7 "#1"
  exit_from_tray
}
