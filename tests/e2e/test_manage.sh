# The manage window: the main window without a tray icon, the palette options and their effect on
# the palette's window, lock, reset, "Use #'s", the palette folder, delete; the about window.

# shellcheck source=editor_lib.sh
source "$E2E_ROOT/tests/e2e/editor_lib.sh"

# Starts Vandrel without its tray icon, with the palettes start and web, and waits for the
# manage window (not in a subshell: the test must know the program's process).
start_without_tray() {
  mkdir -p "$(settings_dir)"
  # shellcheck disable=SC2086
  write_crlf "$(settings_dir)/start.pal" $START_BYTES
  write_crlf "$(settings_dir)/web.pal" "#1A2B3C" "#FF8000"
  write_crlf "$(settings_dir)/Vandrel.ini" "Systray = 0" "[web.pal]" "X = 900" "Y = 100"
  start_vandrel
  drv wait-window VandrelWindow Vandrel 10000 >/dev/null || fail "no manage window appeared without the tray icon"
}

# "HWND X Y W H" of the only palette window, once it is there with the given width.
wait_palette_width() { # WIDTH
  wait_output 5000 "$1" bash -c "drv count-windows VandrelPalette VN | head -n1 | cut -d' ' -f4" ||
    fail "the palette window is $E2E_LAST_OUTPUT wide, not $1"
  drv count-windows VandrelPalette VN | head -n1
}

# "RRGGBB COUNT" lines of the colours of the middle of manage button ID: its picture.
button_picture() { # HWND ID
  local x y w h
  read -r _ _ x y w h _ < <(drv control "$1" "$2") || fail "the manage window has no control $2"
  drv pixel-stats $((x + (w - 12) / 2)) $((y + (h - 12) / 2)) 12 12
}

# How many of those colours are greys, and how many others.
count_greys() { awk '{ r = substr($1, 1, 2); g = substr($1, 3, 2); b = substr($1, 5, 2)
                       if (r == g && g == b) greys++; else others++ }
                     END { print greys + 0, others + 0 }'; }

test_manage_window_changes_a_palettes_window_and_is_the_main_window() {
  start_without_tray
  local hwnd x y w h
  read -r hwnd x y w h < <(manage_window)
  screenshot manage_fresh
  # Nothing selected: the palette's buttons are disabled and show their pictures in greys (under
  # Wine the system's greying made them flat grey squares).
  local id greys others
  for id in 54 55 56 57 58; do
    read -r greys others < <(button_picture "$hwnd" "$id" | count_greys)
    [ "$greys" -ge 4 ] && [ "$others" -eq 0 ] ||
      fail "disabled button $id shows $greys greys and $others other colours, not a greyed picture"
  done
  select_palette "$hwnd" web
  for id in 54 55 56 57 58; do
    read -r greys others < <(button_picture "$hwnd" "$id" | count_greys)
    [ "$others" -gt 0 ] || fail "enabled button $id still shows its picture in greys only"
  done
  screenshot manage_selected
  click_control "$hwnd" 54  # Open palette window
  local phwnd px py pw ph
  read -r phwnd px py pw ph < <(wait_palette_width 61)
  assert_eq "900 100" "$px $py" "the palette window's place"
  # Rounded swatches: near the first swatch's top-left corner the desktop shows through.
  local corner
  corner=$(drv pixel $((px + 3)) $((py + 3)))
  [ "$corner" != "1A2B3C" ] || fail "the rounded swatch fills its corner"
  click_control "$hwnd" 63  # Transparency off: square swatches
  read -r phwnd px py pw ph < <(wait_palette_width 61)
  wait_output 5000 1A2B3C drv pixel $((px + 3)) $((py + 3)) || fail "the square swatch's corner shows $E2E_LAST_OUTPUT"
  click_control "$hwnd" 62  # Text off: 18 x 18 swatches
  read -r phwnd px py pw ph < <(wait_palette_width 20)
  click_control "$hwnd" 61  # the size track bar, then End: position 5, 24 x 24
  drv key end >/dev/null
  read -r phwnd px py pw ph < <(wait_palette_width 26)
  [ "$ph" -ge 48 ] && [ "$ph" -le 53 ] || fail "two swatches of 24 make a window $ph high"
  click_control "$hwnd" 62  # Text on again: 77 x 24
  read -r phwnd px py pw ph < <(wait_palette_width 79)
  screenshot manage_options

  # Lock: the options go grey but for the lock; unlocked, "Move" is off.
  click_control "$hwnd" 57
  wait_until 3000 bash -c "drv control $hwnd 59 | awk '{exit !(\$7 == 0)}'" || fail "locking left Move enabled"
  click_control "$hwnd" 57
  wait_until 3000 bash -c "drv control $hwnd 59 | awk '{exit !(\$7 == 1)}'" || fail "unlocking did not enable Move"
  assert_eq 0 "$(drv check "$(drv control "$hwnd" 59 | cut -d' ' -f9)")" "Move after lock and unlock"

  # Reset: from 900, 100 back to the right edge, 200 down.
  click_control "$hwnd" 56
  wait_output 5000 "$((1280 - 77 - 1)) 200" bash -c "drv count-windows VandrelPalette VN | head -n1 | cut -d' ' -f2,3" ||
    fail "after Reset the palette window stands at $E2E_LAST_OUTPUT"

  # "Use #'s" off: a click on a swatch copies six digits.
  click_control "$hwnd" 67
  read -r phwnd px py pw ph < <(wait_palette_width 79)
  drv click $((px + 30)) $((py + 5)) >/dev/null
  drv wait-clipboard 1A2B3C 5000 >/dev/null || fail "the swatch copied '$(drv clipboard)' with Use #'s off"

  # Closing the main window asks; No keeps the program, Yes ends it.
  press_close_box "$hwnd"
  drv msgbox-wait Exit 5000 >/dev/null || fail "closing the manage window did not ask to exit"
  drv msgbox-answer Exit no >/dev/null
  vandrel_running || fail "No ended the program"
  drv wait-window VandrelWindow Vandrel 3000 >/dev/null || fail "No closed the manage window"
  press_close_box "$hwnd"
  local shown
  shown=$(drv msgbox-wait Exit 5000 | tr '\n' '|')
  assert_eq "Exit|Exit and close all palettes?|" "$shown" "the exit question"
  drv msgbox-answer Exit yes >/dev/null
  local code
  code=$(wait_vandrel_exit 10000) || fail "Yes did not end the program"
  assert_eq 0 "$code" "exit code after Yes"
  grep -q "^Pound = 0" "$(settings_dir)/Vandrel.ini" || fail "Use #'s off was not stored"
  grep -q "^SwatchHeight = 24" "$(settings_dir)/Vandrel.ini" || fail "the swatch size was not stored"
}

test_manage_palette_folder_change_and_delete() {
  # Two folders: one empty, one whose probe file cannot be made.
  local desktop
  desktop="$(profile_dir)/Desktop"
  mkdir -p "$desktop/fresh" "$desktop/blocked/test.vandrel.txt"
  start_without_tray
  local hwnd x y w h
  read -r hwnd x y w h < <(manage_window)

  # The keyboard moves between the controls as in any dialog; the disabled ones are passed by.
  local id class lx ly lw lh
  read -r id class lx ly lw lh _ < <(drv control "$hwnd" 50)
  drv click $((lx + lw / 2)) $((ly + lh - 10)) >/dev/null
  wait_focus "$hwnd" 50 "a click into the list"
  local expected
  for expected in 51 52 53 67; do
    drv key tab >/dev/null
    wait_focus "$hwnd" "$expected" "Tab"
  done
  drv key shift+tab >/dev/null
  wait_focus "$hwnd" 53 "Shift+Tab"

  click_control "$hwnd" 51  # the folder button
  choose_desktop_folder blocked
  local shown
  shown=$(drv msgbox-wait Error 5000 | tr '\n' '|') || fail "no message for a folder that cannot be written"
  assert_eq "Error|Could not write to selected folder|" "$shown" "the message"
  drv msgbox-answer Error ok >/dev/null
  assert_eq "$(profile_dir_windows)\\Vandrel\\" "$(control_text "$hwnd" 90)" "the folder after the refusal"

  click_control "$hwnd" 51
  choose_desktop_folder fresh
  wait_output 5000 "$(profile_dir_windows)\\Desktop\\fresh" control_text "$hwnd" 90 ||
    fail "the folder text shows '$E2E_LAST_OUTPUT' after choosing fresh"
  wait_for_file "$desktop/fresh/start.pal" || fail "the new folder did not get start.pal"
  # shellcheck disable=SC2086
  assert_file_bytes "$desktop/fresh/start.pal" "$(palette_bytes $START_BYTES)" "the new folder's start.pal"
  assert_no_file "$desktop/fresh/test.vandrel.txt" "the probe file stayed behind"

  # Delete needs a second palette: make one here with Blank, then delete it.
  menu_command 20
  answer_palette_name extra
  local ehwnd
  read -r ehwnd _ < <(drv count-windows VandrelWindow Vandrel | awk -v m="$hwnd" '$1 != m && $1 ~ /^0x/ {print}')
  [ -n "$ehwnd" ] || fail "no editor for the new palette"
  drv activate "$ehwnd" >/dev/null
  drv type "abcdef" >/dev/null
  wait_row_count "$ehwnd" 2
  click_tool "$ehwnd" 1
  wait_for_file "$desktop/fresh/extra.pal" || fail "extra.pal was not saved"
  press_close_box "$ehwnd"
  drv activate "$hwnd" >/dev/null
  select_palette "$hwnd" extra
  click_control "$hwnd" 58  # Delete palette
  shown=$(drv msgbox-wait Delete 5000 | tr '\n' '|') || fail "no question before deleting"
  assert_eq "Delete|Are you sure you want to delete extra.pal?|" "$shown" "the question"
  drv msgbox-answer Delete yes >/dev/null
  wait_until 5000 bash -c "[ ! -e '$desktop/fresh/extra.pal' ]" || fail "extra.pal is still there"
  wait_until 3000 bash -c "drv control $hwnd 54 | awk '{exit !(\$7 == 0)}'" ||
    fail "after the delete a palette control is still enabled (nothing is selected)"
  kill_vandrel
}

# The colours of about-window control ID's box other than its background, in order, one line.
link_colours() { # HWND ID
  local x y w h
  read -r _ _ x y w h _ < <(drv control "$1" "$2") || return 1
  drv pixel-stats "$x" "$y" "$w" "$h" | awk 'NR > 1 { print $1 }' | sort | tr '\n' ' '
}

# Whether the link's text shows in COLOUR (RRGGBB) and not in OTHER.
link_shows() { # HWND ID COLOUR OTHER
  local colours
  colours=" $(link_colours "$1" "$2")"
  [[ "$colours" == *" $3 "* ]] && [[ "$colours" != *" $4 "* ]]
}

# Moves the pointer onto control ID's middle in two steps, as a hand arrives.
point_at() { # HWND ID
  local x y w h
  read -r _ _ x y w h _ < <(drv control "$1" "$2") || fail "the about window has no control $2"
  drv move $((x + w / 2 - 2)) $((y + h / 2)) >/dev/null
  drv move $((x + w / 2)) $((y + h / 2)) >/dev/null
}

# The text of the tooltip on screen, once one shows.
tooltip_text() {
  local tip
  tip=$(drv wait-window tooltips_class32 - 3000 | cut -d' ' -f1) || return 1
  drv text "$tip"
}

test_about_window_text_and_links() {
  local record="$E2E_TEST_DIR/opened.txt"
  printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$record" >"$E2E_TEST_DIR/record.sh"
  chmod +x "$E2E_TEST_DIR/record.sh"
  start_without_tray
  local hwnd x y w h
  read -r hwnd x y w h < <(manage_window)
  click_control "$hwnd" 53  # About Vandrel
  local ahwnd
  ahwnd=$(drv wait-window VandrelWindow "About Vandrel" 5000 | cut -d' ' -f1) || fail "no about window"
  local text
  text=$(control_text "$ahwnd" 96 | od -An -c | tr -d ' \n')
  [[ "$text" == *"enjoyit.\r\rIf"* ]] || fail "the welcome text lost its double carriage return: $text"
  control_text "$ahwnd" 96 | grep -q "There’s also a handy help link" || fail "the apostrophe is not ’"
  # The whole welcome text shows: its last line ends above the bottom of its box. Wine puts a wider
  # font in the place of Consolas, in which the text at 11 points runs past the box and is cut there.
  local wx wy ww wh
  read -r _ _ wx wy ww wh _ < <(drv control "$ahwnd" 96) || fail "the about window has no welcome text"
  wait_until 5000 bash -c "[ \$(drv pixel-stats $wx $wy $ww $wh | wc -l) -gt 1 ]" ||
    fail "the welcome text's box shows no text"
  screenshot about
  assert_eq 1 "$(drv pixel-stats "$wx" $((wy + wh - 8)) "$ww" 8 | wc -l)" \
    "colours in the last 8 rows of the welcome text's box (more: the text runs to its bottom and is cut)"

  # The help link's tooltip; under the pointer the links turn from blue to black, and back.
  link_shows "$ahwnd" 71 0000FF 000000 || fail "the help link is not blue: $(link_colours "$ahwnd" 71)"
  point_at "$ahwnd" 71
  wait_output 3000 "Visit us on the internet" tooltip_text || {
    drv move 5 700 >/dev/null
    point_at "$ahwnd" 71
    wait_output 3000 "Visit us on the internet" tooltip_text ||
      fail "over the help link the tooltip shows '$E2E_LAST_OUTPUT'"
  }
  wait_until 3000 link_shows "$ahwnd" 71 000000 0000FF ||
    fail "under the pointer the help link is not black: $(link_colours "$ahwnd" 71)"
  screenshot about_help_link_pointed
  link_shows "$ahwnd" 72 0000FF 000000 || fail "the mail link is not blue beside it: $(link_colours "$ahwnd" 72)"
  point_at "$ahwnd" 72
  wait_until 3000 link_shows "$ahwnd" 72 000000 0000FF ||
    fail "under the pointer the mail link is not black: $(link_colours "$ahwnd" 72)"
  wait_until 3000 link_shows "$ahwnd" 71 0000FF 000000 ||
    fail "the pointer left, the help link is not blue again: $(link_colours "$ahwnd" 71)"
  drv move $((x + w / 2)) $((y + h / 2)) >/dev/null
  wait_until 3000 link_shows "$ahwnd" 72 0000FF 000000 ||
    fail "the pointer left, the mail link is not blue again: $(link_colours "$ahwnd" 72)"

  # No browser and no mail program: each link says what it could not open.
  local shown
  click_control "$ahwnd" 71
  shown=$(drv msgbox-wait Error 10000 | tr '\n' '|') || fail "the help link without a browser showed no box"
  assert_eq "Error|Could not open https://example.com/vandrel/help|" "$shown" "the help link's box"
  drv msgbox-answer Error ok >/dev/null || fail "the help link's box could not be answered"
  wait_output 3000 "$ahwnd" bash -c "drv foreground | cut -d' ' -f1" ||
    fail "after the box the window in front is $E2E_LAST_OUTPUT, not the about window"
  click_control "$ahwnd" 72
  shown=$(drv msgbox-wait Error 10000 | tr '\n' '|') || fail "the mail link without a mail program showed no box"
  assert_eq "Error|Could not open mailto:vandrel@example.com|" "$shown" "the mail link's box"
  drv msgbox-answer Error ok >/dev/null || fail "the mail link's box could not be answered"

  # Wine hands web and mail links to the programs named here.
  wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$E2E_TEST_DIR/record.sh" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineBrowser' /v Mailers /d "$E2E_TEST_DIR/record.sh" /f >/dev/null 2>&1
  click_control "$ahwnd" 71  # Need Help?
  wait_until 10000 grep -q "https://example.com/vandrel/help" "$record" ||
    fail "the help link did not reach the browser ($(cat "$record" 2>/dev/null))"
  click_control "$ahwnd" 72  # Email us
  wait_until 10000 grep -q "mailto:vandrel@example.com" "$record" ||
    fail "the mail link did not reach the mail program ($(cat "$record" 2>/dev/null))"
  click_control "$hwnd" 53
  drv wait-gone VandrelWindow "About Vandrel" 5000 >/dev/null || fail "the About button did not close the about window"
  kill_vandrel
}
