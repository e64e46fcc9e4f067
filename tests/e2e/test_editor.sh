# The palette editor: opened from the tray menu, typed into with the real keyboard, saved, closed
# with and without unsaved changes, switched to another palette; a blank palette started, named,
# filled and saved; Tab and the arrow keys between rows.

START_BYTES="#000000 #FF0000 #FFFF00 #00FF00 #00FFFF #0000FF #FF00FF #FFFFFF"

# The bytes of a palette file holding CODES (CR LF after each).
palette_bytes() {
  local out="$E2E_TEST_DIR/expected.$RANDOM" code
  : >"$out"
  for code in "$@"; do printf '%s\r\n' "$code" >>"$out"; done
  printf '%s' "$out"
}

# Opens the tray menu and chooses, in the sub-menu of palette N (from 1), the item reached
# with KEYS from its first colour ("up" wraps to "Edit", "up up" is "Open").
tray_palette_item() { # N KEYS...
  local n=$1 keys=() i
  shift
  drv tray-click left >/dev/null || fail "the tray icon did not answer"
  drv menu-wait >/dev/null || fail "no tray menu appeared after a click on the tray icon"
  for ((i = 0; i < n; i++)); do keys+=(down); done
  drv menu-keys "${keys[@]}" right "$@" enter >/dev/null
}

edit_from_tray() { tray_palette_item "${1:-1}" up; }
open_from_tray() { tray_palette_item "${1:-1}" up up; }

# "HWND X Y W H" of the editor window once it is on screen.
wait_editor() {
  drv wait-window VandrelWindow Vandrel "${1:-5000}" || fail "no editor window appeared"
}

# The text of editor control ID as it stands now (WM_GETTEXT: what was typed since, too).
control_text() { # HWND ID
  local control
  control=$(drv control "$1" "$2" | cut -d' ' -f9) || return 1
  drv text "$control"
}

# Text of the code field of row N.
row_text() { control_text "$1" $((128 + $2)); }

wait_row_text() { # HWND ROW TEXT
  wait_output 5000 "$3" row_text "$1" "$2" ||
    fail "editor row $2 shows '$E2E_LAST_OUTPUT' instead of '$3'"
}

# How many code fields (rows) the editor has.
row_count() { drv children "$1" | awk '$2 == "Edit"' | wc -l; }

wait_row_count() { # HWND COUNT
  wait_output 5000 "$2" row_count "$1" || fail "the editor shows $E2E_LAST_OUTPUT rows instead of $2"
}

# The control number of the editor's focused control, or "none".
focused_id() { # HWND
  local focus
  focus=$(drv thread-info "$1" | sed -n 's/.* focus \([^ ]*\) .*/\1/p')
  drv children "$1" | awk -v f="$focus" '$9 == f { print $1; found = 1 } END { if (!found) print "none" }'
}

wait_focus() { # HWND ID WHAT
  wait_output 5000 "$2" focused_id "$1" || fail "$3: the focus is on control $E2E_LAST_OUTPUT, not $2"
}

# Clicks the middle of editor control ID.
click_control() { # HWND ID
  local id class x y w h
  read -r id class x y w h _ < <(drv control "$1" "$2") || fail "the editor has no control $2"
  drv click $((x + w / 2)) $((y + h / 2)) >/dev/null
}

# Clicks toolbar button N (from 1; the separator counts) of the editor.
click_tool() { # HWND N
  local id class x y w h
  read -r id class x y w h _ < <(drv control "$1" 20) || fail "the editor has no toolbar"
  # Flat buttons of 23 pixels, the separator 8: the first two, then the tools.
  local offset=$(( $2 <= 2 ? ($2 - 1) * 23 : 2 * 23 + 8 + ($2 - 4) * 23 ))
  drv click $((x + offset + 11)) $((y + h / 2)) >/dev/null
}

# What the close box sends.
press_close_box() { drv post "$1" 0x112 0xF060 0 >/dev/null; }

expect_save_question() {
  local shown
  shown=$(drv msgbox-wait Save 5000 | tr '\n' '|') || fail "no \"Save\" question appeared"
  assert_eq "Save|Save your changes?|" "$shown" "the question"
  assert_eq "yes no" "$(drv msgbox-buttons Save)" "the question's buttons"
}

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
  local owner
  owner=$(drv wait-exists VandrelTrayOwner Vandrel 5000 | cut -d' ' -f1)
  # "Blank" of the new-palette menu, whose button comes with the manage window: its menu event.
  # Posted as a command of the window (as its shortcuts arrive).
  drv post "$owner" 0x111 0x10014 0 >/dev/null
  drv dialog-wait "Palette Name" 5000 >/dev/null || fail "no \"Palette Name\" box appeared for Blank"
  drv dialog-set "Palette Name" 100 "fresh" >/dev/null
  drv dialog-click "Palette Name" 1 >/dev/null
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
