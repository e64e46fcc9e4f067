# Snapping with two monitors side by side: a palette snaps to the edges of the monitor it is on,
# including the edge where the two monitors meet.
#
# The run's display has one monitor, so this test starts its own: one Xvfb screen of 2560 x 800
# split into two RandR monitors of 1280 x 800. Wine's RandR code ignores such monitors, but the
# server's Xinerama answers with them, so the test's prefix gets UseXRandR = N. -noreset keeps
# the monitors: Xvfb forgets them when it resets after its last client has gone.

# Starts the private two-monitor display and points this test's Wine at it. Call it first, before
# any Wine process of the test; the display is stopped when the test ends, however it ends.
start_two_monitor_display() {
  local number_file="$E2E_TEST_DIR/monitors.display" heads
  command -v xrandr >/dev/null || fail "xrandr is missing (scripts/setup installs x11-xserver-utils)"
  # -displayfd picks a free display number, so no one else's display is touched.
  Xvfb -displayfd 3 -screen 0 2560x800x24 -nolisten tcp -noreset 3>"$number_file" 9>&- \
    >"$E2E_ARTIFACT_DIR/xvfb-monitors.log" 2>&1 &
  E2E_MONITORS_XVFB_PID=$!
  trap end_two_monitor_test EXIT
  wait_until 10000 test -s "$number_file" ||
    fail "the two-monitor Xvfb did not start (see xvfb-monitors.log)"
  E2E_DISPLAY=":$(tr -d '\n' <"$number_file")"
  export E2E_DISPLAY DISPLAY="$E2E_DISPLAY"
  e2e_log "two-monitor display $E2E_DISPLAY"
  # The left monitor takes Xvfb's one output, which would otherwise be a third, 2560-wide one.
  if ! xrandr --setmonitor VandrelLeft 1280/339x800/212+0+0 screen >/dev/null ||
    ! xrandr --setmonitor VandrelRight 1280/339x800/212+1280+0 none >/dev/null; then
    fail "xrandr could not split $E2E_DISPLAY into two monitors"
  fi
  heads=$(xdpyinfo -ext XINERAMA | grep -o 'head #.*' | tr '\n' ';')
  assert_eq "head #0: 1280x800 @ 0,0;head #1: 1280x800 @ 1280,0;" "$heads" \
    "the monitors of $E2E_DISPLAY"
  # Wine's X11 driver reads it as it loads: stopping this wineserver saves it, and no process of
  # the test has loaded the driver with the old value.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null ||
    fail "could not turn XRandR off for Wine"
  wineserver -k 2>/dev/null
  wineserver -w
}

# Wine's processes go before the display they draw on, then the usual end of a test.
end_two_monitor_test() {
  local status=$?
  wineserver -k 2>/dev/null
  if [ -n "${E2E_MONITORS_XVFB_PID:-}" ]; then
    kill "$E2E_MONITORS_XVFB_PID" 2>/dev/null
    wait "$E2E_MONITORS_XVFB_PID" 2>/dev/null
  fi
  (exit "$status")
  e2e_end_test
}

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
