# Palette folders, names and places as a user with odd data meets them: a folder change while the
# editor holds changes, a switch to a folder of 800 palettes, the names Windows keeps for its
# devices, a file name of 252 characters, windows stored far off every monitor, hand-edited
# options of 2 and a stored folder that is away.

# shellcheck source=editor_lib.sh
source "$E2E_ROOT/tests/e2e/editor_lib.sh"

# The editor window: the "Vandrel" window that is not the manage window HWND.
editor_beside() { # HWND
  wait_until 5000 bash -c "drv count-windows VandrelWindow Vandrel | awk -v m='$1' '\$1 != m && \$1 ~ /^0x/' | grep -q ." ||
    fail "no editor window appeared"
  drv count-windows VandrelWindow Vandrel | awk -v m="$1" '$1 != m && $1 ~ /^0x/ {print $1; exit}'
}

# The checked state of manage window control ID.
control_check() { # HWND ID
  local control
  control=$(drv control "$1" "$2" | cut -d' ' -f9) || fail "the manage window has no control $2"
  drv check "$control"
}

test_folder_change_keeps_the_editors_palette_in_its_folder_and_800_palettes_answer_at_once() {
  local desktop i j codes
  desktop="$(profile_dir)/Desktop"
  mkdir -p "$(settings_dir)" "$desktop/other" "$desktop/many"
  # shellcheck disable=SC2086
  write_crlf "$(settings_dir)/start.pal" $START_BYTES
  write_crlf "$(settings_dir)/Vandrel.ini" "Systray = 0"
  write_crlf "$desktop/other/start.pal" "#445566"
  codes=()
  for ((j = 0; j < 12; j++)); do codes+=("#$(printf '%02X' $((j * 20)))8040"); done
  for ((i = 1; i <= 800; i++)); do write_crlf "$desktop/many/p$(printf '%03d' "$i").pal" "${codes[@]}"; done
  start_vandrel
  local hwnd
  hwnd=$(manage_window | cut -d' ' -f1)

  # start in the editor, one colour typed, then another folder that also has a start.pal.
  select_palette "$hwnd" start
  click_control "$hwnd" 55
  local ehwnd
  ehwnd=$(editor_beside "$hwnd")
  wait_row_count "$ehwnd" 9
  drv activate "$ehwnd" >/dev/null
  drv type "abcdef" >/dev/null
  wait_row_count "$ehwnd" 10
  drv activate "$hwnd" >/dev/null
  click_control "$hwnd" 51
  choose_desktop_folder other
  expect_save_question
  drv msgbox-answer Save yes >/dev/null
  wait_until 5000 bash -c "! drv rect $ehwnd >/dev/null 2>&1" || fail "the editor stayed open after the folder change"
  wait_output 5000 "$(profile_dir_windows)\\Desktop\\other" control_text "$hwnd" 90 ||
    fail "the folder text shows '$E2E_LAST_OUTPUT' after choosing other"
  # shellcheck disable=SC2086
  assert_file_bytes "$(settings_dir)/start.pal" "$(palette_bytes $START_BYTES "#ABCDEF")" \
    "the edited start.pal in its own folder"
  assert_file_bytes "$desktop/other/start.pal" "$(palette_bytes "#445566")" "the other folder's start.pal"

  # A folder of 800 palettes: the window shows them and answers as a start-up with them would.
  drv activate "$hwnd" >/dev/null
  click_control "$hwnd" 51
  pick_desktop_folder many
  local ms
  ms=$(drv dialog-click-timed "Browse for Folder" 1 "$hwnd" 50 800 3000) ||
    fail "the manage window did not show the 800 palettes and answer within 3 s of the choice"
  echo "switch to 800 palettes: $ms ms" >>"$E2E_TEST_DIR/log.txt"
  screenshot many
  kill_vandrel
}

test_device_names_long_names_far_places_and_hand_edited_options() {
  local long
  long=$(printf 'a%.0s' {1..248})
  mkdir -p "$(settings_dir)"
  # shellcheck disable=SC2086
  write_crlf "$(settings_dir)/start.pal" $START_BYTES
  write_crlf "$(settings_dir)/$long.pal" "#102030"
  write_crlf "$(settings_dir)/Vandrel.ini" "Systray = 0" "Pound = 2" "WinX = 2147483647" "WinY = -2147483648" \
    "EditX = 2147483647" "EditY = 2147483647"
  start_vandrel
  local hwnd x y w h
  read -r hwnd x y w h < <(manage_window)
  # Off every monitor, it comes back to the edge of the only one (1280 x 800), whole.
  [ "$x" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ "$y" -ge 0 ] && [ $((y + h)) -le 800 ] ||
    fail "the manage window stored at 2147483647,-2147483648 stands at $x $y $w $h"
  [ "$w" -gt 300 ] && [ "$h" -gt 300 ] || fail "the manage window has lost its size: $w x $h"
  assert_eq 1 "$(control_check "$hwnd" 67)" "\"Use #'s\" for Pound = 2, which puts the # in front"

  # The names the system keeps for its devices are refused as other invalid names are.
  local name shown
  for name in con 'COM1 ' conout\$ lpt9; do
    menu_command 20
    answer_palette_name "$name"
    shown=$(drv msgbox-wait Error 5000 | tr '\n' '|') || fail "no message for the palette name '$name'"
    assert_eq "Error|Invalid file name|" "$shown" "the message for '$name'"
    drv msgbox-answer Error ok >/dev/null
  done

  # A file of 252 characters opens, and saves.
  drv activate "$hwnd" >/dev/null
  select_palette "$hwnd" aaa
  click_control "$hwnd" 55
  local ehwnd ex ey ew eh
  ehwnd=$(editor_beside "$hwnd")
  read -r _ ex ey ew eh < <(drv rect "$ehwnd")
  [ $((ex + ew)) -le 1280 ] && [ "$ey" -ge 0 ] && [ "$ey" -lt 800 ] ||
    fail "the editor stored at 2147483647,2147483647 stands at $ex $ey $ew $eh"
  wait_row_count "$ehwnd" 2
  drv activate "$ehwnd" >/dev/null
  drv type "abcdef" >/dev/null
  wait_row_count "$ehwnd" 3
  click_tool "$ehwnd" 1
  wait_until 5000 grep -q ABCDEF "$(settings_dir)/$long.pal" || {
    drv msgbox-wait Error 500 >/dev/null 2>&1 && fail "saving the 252-character palette failed: $(drv msgbox-wait Error | tail -n 1)"
    fail "the 252-character palette was not saved"
  }
  assert_file_bytes "$(settings_dir)/$long.pal" "$(palette_bytes "#102030" "#ABCDEF")" "the long-named palette"
  assert_no_file "$(settings_dir)/~Vandrel.saving" "the temporary file stayed behind"
  kill_vandrel

  # With the tray icon: Systray = 2 shows it and ticks its box; a stored folder that is away
  # leaves the palettes of the settings folder, shown with their folder, and usable.
  printf 'not a folder\r\n' >"$(profile_dir)/notes.txt"
  write_crlf "$(settings_dir)/Vandrel.ini" "Systray = 2" "Palette_Directory = $(profile_dir_windows)\\notes.txt\\away"
  start_vandrel
  wait_started
  drv tray-click double >/dev/null
  read -r hwnd x y w h < <(manage_window)
  assert_eq 1 "$(control_check "$hwnd" 69)" "\"System tray icon\" for Systray = 2"
  assert_eq "$(profile_dir_windows)\\Vandrel\\" "$(control_text "$hwnd" 90)" "the folder shown while the stored one is away"
  select_palette "$hwnd" start
  kill_vandrel
}
