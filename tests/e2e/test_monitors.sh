# Snapping with two monitors side by side: a palette snaps to the edges of the monitor it is on,
# including the edge where the two monitors meet.
#
# The run's display has one monitor, so this test starts its own (start_two_monitor_display in
# lib.sh).

test_a_palette_snaps_to_the_edges_where_two_monitors_meet_at_14_pixels_not_15() {
  start_two_monitor_display
  mkdir -p "$(settings_dir)"
  printf '%s\r\n' '#FF0000' '#00FF00' '#0000FF' >"$(settings_dir)/a.pal"
  write_crlf "$(settings_dir)/Vandrel.ini" "[a.pal]" "WinID = 1" "X = 1400" "Y = 300"
  start_vandrel
  local hwnd rest
  read -r hwnd rest < <(drv wait-window VandrelPalette VN 10000) || fail "the palette window did not open"
  expect_place "$hwnd" "1400 300" "reopened on the right monitor"
  # Left edge 14 pixels right of the right monitor's left edge (x = 1280): it jumps to it.
  drag_by "$hwnd" -106 0
  expect_place "$hwnd" "1280 300" "dragged to 14 pixels from the right monitor's left edge"
  screenshot snapped_to_the_right_monitor
  drag_by "$hwnd" 15 0
  expect_place "$hwnd" "1295 300" "dragged to 15 pixels from the right monitor's left edge"
  # Wholly on the left monitor, its right edge 14 pixels short of the same line (the window is
  # 61 pixels wide): now the left monitor's right edge holds it.
  drag_by "$hwnd" -90 0
  expect_place "$hwnd" "1219 300" "dragged to 14 pixels from the left monitor's right edge"
  screenshot snapped_to_the_left_monitor
  drag_by "$hwnd" -15 0
  expect_place "$hwnd" "1204 300" "dragged to 15 pixels from the left monitor's right edge"
  exit_from_tray
}
