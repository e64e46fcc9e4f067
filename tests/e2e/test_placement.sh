# Moving palette windows by a swatch: snapping to the screen's edges and to each other, the
# "Snap" and "Move" options, the snapped place kept across a restart; and a second start of the
# program while one runs.

# palette NAME COLOURS...: a palette file in the settings folder.
palette() {
  local name="$1"
  shift
  mkdir -p "$(settings_dir)"
  printf '%s\r\n' "$@" >"$(settings_dir)/$name"
}

# two_palettes_at "X1 Y1" "X2 Y2": waits for two palette windows and prints the handles of the
# one at X1,Y1 and the one at X2,Y2.
two_palettes_at() {
  wait_output 10000 2 eval 'drv count-windows VandrelPalette VN | tail -n 1' ||
    fail "expected 2 palette windows on screen, found $E2E_LAST_OUTPUT"
  local windows first second
  windows=$(drv count-windows VandrelPalette VN)
  first=$(grep " $1 " <<<"$windows" | cut -d' ' -f1)
  second=$(grep " $2 " <<<"$windows" | cut -d' ' -f1)
  [ -n "$first" ] && [ -n "$second" ] || fail "the palette windows are not at $1 and $2: $windows"
  printf '%s %s\n' "$first" "$second"
}

# The one palette window on screen (61 x 58 for three colours).
the_palette_window() {
  local hwnd rest
  read -r hwnd rest < <(drv wait-window VandrelPalette VN 10000) || fail "the palette window did not reopen"
  printf '%s' "$hwnd"
}

test_a_dragged_palette_snaps_to_the_screen_edges_at_14_pixels_not_15() {
  palette a.pal '#FF0000' '#00FF00' '#0000FF'
  write_crlf "$(settings_dir)/Vandrel.ini" "[a.pal]" "WinID = 1" "X = 500" "Y = 300"
  start_vandrel
  local hwnd
  hwnd=$(the_palette_window)
  expect_place "$hwnd" "500 300" "reopened at its place"
  # Left edge 14 pixels from the screen's: it jumps to the edge.
  drag_by "$hwnd" -486 0
  expect_place "$hwnd" "0 300" "dragged to 14 pixels from the left edge"
  screenshot snapped_left
  # 15 pixels away it stays where the mouse put it.
  drag_by "$hwnd" 15 0
  expect_place "$hwnd" "15 300" "dragged to 15 pixels from the left edge"
  # Top edge, then the right and bottom edges (1280 x 800; the window is 61 x 58).
  drag_by "$hwnd" 100 -286
  expect_place "$hwnd" "115 0" "dragged to 14 pixels from the top edge"
  drag_by "$hwnd" 0 15
  expect_place "$hwnd" "115 15" "dragged to 15 pixels from the top edge"
  drag_by "$hwnd" $((1205 - 115)) $((728 - 15))
  expect_place "$hwnd" "1219 742" "dragged to 14 pixels from the right and bottom edges"
  drag_by "$hwnd" -15 -15
  expect_place "$hwnd" "1204 727" "dragged to 15 pixels from the right and bottom edges"
  # A palette snapped to an edge is dragged off it again: it follows the mouse.
  drag_by "$hwnd" 1 0
  expect_place "$hwnd" "1219 727" "dragged to 14 pixels from the right edge"
  drag_by "$hwnd" -700 -400
  expect_place "$hwnd" "519 327" "dragged away from the edges"
  exit_from_tray
}

test_two_palettes_of_equal_width_join_into_one_column_or_stand_side_by_side() {
  palette a.pal '#FF0000' '#00FF00' '#0000FF'
  palette b.pal '#FFFF00' '#FF00FF' '#00FFFF'
  write_crlf "$(settings_dir)/Vandrel.ini" \
    "[a.pal]" "WinID = 1" "X = 500" "Y = 300" "Outline = 0" \
    "[b.pal]" "WinID = 2" "X = 800" "Y = 400" "Outline = 0"
  start_vandrel
  local bottom top
  read -r bottom top < <(two_palettes_at "500 300" "800 400")
  # b's bottom edge 10 pixels above a's top, overlapping it horizontally: b goes 2 pixels into a.
  drag_by "$top" -300 -168
  expect_place "$top" "500 244" "b dragged to 10 pixels above a"
  screenshot joined_column
  # The colour columns continue: b's last colour ends on row 300, a's first starts on row 301.
  assert_eq "00FFFF" "$(drv pixel 530 300)" "b's last colour on the row above the join"
  assert_eq "FF0000" "$(drv pixel 530 301)" "a's first colour on the row below the join"
  assert_eq "00FFFF" "$(drv pixel 530 284)" "b's last colour"
  # b dragged with its left edge 12 pixels right of a's right edge: edge to edge.
  drag_by "$top" 73 56
  expect_place "$top" "561 300" "b dragged beside a"
  screenshot side_by_side
  assert_eq "500 300" "$(window_place "$bottom")" "a stays where it was"
  exit_from_tray
}

test_snap_off_and_move_off_are_honoured() {
  palette a.pal '#FF0000' '#00FF00' '#0000FF'
  palette b.pal '#FFFF00' '#FF00FF' '#00FFFF'
  write_crlf "$(settings_dir)/Vandrel.ini" "Snap = 0" \
    "[a.pal]" "WinID = 1" "X = 500" "Y = 300" "[b.pal]" "WinID = 2" "X = 800" "Y = 400" "Drag = 0"
  start_vandrel
  local movable fixed
  read -r movable fixed < <(two_palettes_at "500 300" "800 400")
  drag_by "$movable" -490 -295
  expect_place "$movable" "10 5" "with Snap off, dragged near the corner"
  # A palette whose Move is off stays put; its swatch still answers a click.
  drag_by "$fixed" -100 -100
  assert_eq "800 400" "$(window_place "$fixed")" "with Move off the palette must not move"
  drv set-clipboard "nothing yet" >/dev/null
  drv click 830 402 >/dev/null
  drv wait-clipboard "#FFFF00" 3000 >/dev/null ||
    fail "a click on the fixed palette's first swatch put '$(drv clipboard)' on the clipboard"
  assert_eq "800 400" "$(window_place "$fixed")" "a click must not move it either"
  exit_from_tray
}

test_the_snapped_place_survives_exit_and_restart() {
  palette a.pal '#FF0000' '#00FF00' '#0000FF'
  write_crlf "$(settings_dir)/Vandrel.ini" "[a.pal]" "WinID = 1" "X = 500" "Y = 300"
  start_vandrel
  local hwnd
  hwnd=$(the_palette_window)
  drag_by "$hwnd" 710 -290
  expect_place "$hwnd" "1219 0" "dragged near the top right corner"
  exit_from_tray
  tr -d '\r' <"$(settings_dir)/Vandrel.ini" | grep -A3 '^\[a.pal\]' | tr '\n' ' ' |
    grep -q 'WinID = 1 X = 1219 Y = 0' ||
    fail "a.pal should be stored open at 1219,0: $(tr -d '\r' <"$(settings_dir)/Vandrel.ini" | grep -A3 '^\[a.pal\]' | tr '\n' ' ')"
  start_vandrel
  hwnd=$(the_palette_window)
  expect_place "$hwnd" "1219 0" "after the restart"
  exit_from_tray
}

test_a_second_start_ends_at_once_and_the_running_copy_keeps_its_settings() {
  palette a.pal '#FF0000' '#00FF00' '#0000FF'
  write_crlf "$(settings_dir)/Vandrel.ini" "[a.pal]" "WinID = 1" "X = 500" "Y = 300"
  local before
  before=$(cat "$(settings_dir)/Vandrel.ini")
  start_vandrel
  wait_started
  local hwnd
  hwnd=$(the_palette_window)
  drag_by "$hwnd" 100 100
  expect_place "$hwnd" "600 400" "dragged before the second start"
  # The second copy: it must end by itself, quickly, and touch nothing.
  local second_rc
  second_rc=$(timeout 20 wine "$VANDREL_EXE" >>"$E2E_ARTIFACT_DIR/second.log" 2>&1; echo $?)
  assert_eq 0 "$second_rc" "exit code of the second copy"
  assert_eq 1 "$(drv windows --all | grep -c ' VandrelTrayOwner ')" "tray owner windows after the second start"
  assert_eq "$before" "$(cat "$(settings_dir)/Vandrel.ini")" "the settings file after the second start"
  vandrel_running || fail "the running copy ended when the second one started"
  exit_from_tray
  tr -d '\r' <"$(settings_dir)/Vandrel.ini" | grep -A3 '^\[a.pal\]' | tr '\n' ' ' |
    grep -q 'WinID = 1 X = 600 Y = 400' ||
    fail "the running copy's place should be stored: $(tr -d '\r' <"$(settings_dir)/Vandrel.ini" | tr '\n' ' ')"
}
