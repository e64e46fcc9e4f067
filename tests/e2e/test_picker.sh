# The picker: the global shortcut while another program is in front, the loupe over a window of
# coloured stripes, the keys and the mouse while picking, what a pick gives (the clipboard and
# picked.pal) and what a cancel leaves. One program run serves every check of a test.
#
# Real X input throughout (xdotool): a SendInput move from another process does not move the
# pointer while a low-level hook is installed, and the shortcut reaches Wine only while one of
# its windows has the X focus.

# e2e-timeout test_picker_takes_a_colour_from_another_program_and_keeps_it 180

# The receiver's stripes (see receiver.cpp): 20 pixels wide from its client x = 0, below y = 80.
STRIPE_RED=E03020
STRIPE_GREEN=20A040

# The loupe's magnified pixels at 11 across: cell I (from 0) starts at 1 + 13 * I.
cell_middle() { printf '%s' $((1 + 13 * $1 + 6)); }

# wait_loupe: "HWND X Y W H" of the shown loupe.
wait_loupe() {
  local line
  line=$(drv wait-window - "Vandrel Loupe" 5000) || fail "$1: no loupe appeared"
  printf '%s' "$line"
}

# loupe_cell HWND COLUMN ROW: the colour the loupe shows in that magnified pixel.
loupe_cell() {
  local x y w h
  read -r x y w h < <(drv rect "$1")
  drv pixel $((x + $(cell_middle "$2"))) $((y + $(cell_middle "$3")))
}

# wait_loupe_at HWND X Y WHAT: the loupe has moved to its place beside the pointer at X Y.
wait_loupe_at() {
  wait_output 3000 "$(($2 + 20)) $(($3 + 20))" window_place "$1" ||
    fail "$4: the loupe is at $E2E_LAST_OUTPUT, not to the lower right of $2 $3"
}

wait_loupe_cell() { # HWND COLUMN ROW RRGGBB WHAT
  wait_output 3000 "$4" loupe_cell "$1" "$2" "$3" ||
    fail "$5: the loupe's pixel $2,$3 shows $E2E_LAST_OUTPUT, not $4"
}

# picked.pal's bytes with CR and LF as \r and \n.
picked_bytes() { sed -z 's/\r/\\r/g; s/\n/\\n/g' "$(settings_dir)/picked.pal" 2>/dev/null; }

# The shortcut as a hand presses it: held until the loupe shows (or goes), then released.
# The keys are let go before a failure too: held keys would reach the next tests on this display.
shortcut() {
  local seen=0
  xdotool keydown super keydown alt keydown c
  if [ "${1:-}" = again ]; then
    drv wait-gone - "Vandrel Loupe" 3000 >/dev/null && seen=1
  else
    drv wait-window - "Vandrel Loupe" 5000 >/dev/null && seen=1
  fi
  xdotool keyup c keyup alt keyup super
  [ "$seen" = 1 ] || fail "the loupe did not $([ "${1:-}" = again ] && echo go || echo come) with the shortcut"
}

test_picker_takes_a_colour_from_another_program_and_keeps_it() {
  start_vandrel
  wait_started
  start_receiver --pos 200 200 600 300 --stripes
  local rhwnd cx cy cw ch
  read -r rhwnd _ < <(drv wait-window VandrelE2EReceiver Receiver 5000) || fail "no receiver window"
  read -r cx cy cw ch < <(drv client-rect "$rhwnd")
  # The last red column of the first stripe; green begins one pixel to the right.
  local px=$((cx + 19)) py=$((cy + 150))
  # X focus on the receiver, so that the shortcut reaches Wine.
  xdotool mousemove $((cx + 100)) $((cy + 20)) click 1
  xdotool mousemove "$px" "$py"
  drv set-clipboard marker >/dev/null
  # Keys reach the receiver before any pick.
  xdotool type q
  wait_output 3000 q receiver_text || fail "the receiver got '$E2E_LAST_OUTPUT' before any pick, not q"

  # The shortcut starts a pick: the loupe beside the pointer, magnified neighbours on both sides
  # of the stripe edge, the centre framed in black outside and white inside.
  shortcut
  local lhwnd
  read -r lhwnd _ < <(wait_loupe "the shortcut")
  wait_loupe_at "$lhwnd" "$px" "$py" "the first pick"
  wait_loupe_cell "$lhwnd" 5 5 "$STRIPE_RED" "the centre"
  assert_eq "$STRIPE_RED" "$(loupe_cell "$lhwnd" 4 5)" "the pixel left of the centre"
  assert_eq "$STRIPE_GREEN" "$(loupe_cell "$lhwnd" 6 5)" "the pixel right of the centre"
  local lx ly
  read -r lx ly _ < <(drv rect "$lhwnd")
  assert_eq "000000 FFFFFF" "$(drv pixel $((lx + 65)) $((ly + 71))) $(drv pixel $((lx + 66)) $((ly + 71)))" \
    "the centre's frame, black on the grid line and white inside it"
  screenshot loupe_over_stripes
  # An arrow key moves by one pixel: the loupe follows and the green pixel is in its centre.
  xdotool key Right
  wait_loupe_cell "$lhwnd" 5 5 "$STRIPE_GREEN" "after the right arrow"
  wait_loupe_at "$lhwnd" $((px + 1)) "$py" "after the right arrow"
  assert_eq "$((px + 1)) $py" "$(xdotool getmouselocation --shell | sed -n 's/^[XY]=//p' | tr '\n' ' ' | sed 's/ $//')" \
    "the pointer after the right arrow"
  assert_eq "$STRIPE_RED" "$(loupe_cell "$lhwnd" 4 5)" "left of the centre after the right arrow"
  xdotool key Left
  wait_loupe_cell "$lhwnd" 5 5 "$STRIPE_RED" "after the left arrow"
  # Keys typed meanwhile are the picker's, never the receiver's; 3 averages the 3 x 3 square
  # (two red columns, one green): (2 * E0 + 20) / 3 = A0, (2 * 30 + A0) / 3 = 55, (2 * 20 + 40) / 3 = 2B.
  xdotool type xyz
  xdotool key 3
  screenshot loupe_averaging_three
  xdotool key Return
  drv wait-gone - "Vandrel Loupe" 3000 >/dev/null || fail "the loupe stayed after Enter"
  drv wait-clipboard "#A0552B" 3000 >/dev/null || fail "the clipboard holds '$(drv clipboard)' after Enter, not #A0552B"
  wait_output 3000 "#A0552B\\r\\n" picked_bytes || fail "picked.pal holds $E2E_LAST_OUTPUT after the first pick"
  assert_eq q "$(receiver_text)" "what reached the receiver while picking"
  # After the pick the receiver gets keys again.
  xdotool type ok
  wait_output 3000 qok receiver_text || fail "the receiver holds '$E2E_LAST_OUTPUT' after the pick, not qok"

  # Escape cancels; a right click cancels and does not reach the receiver; the shortcut again cancels.
  xdotool mousemove $((px + 1)) "$py"
  shortcut
  read -r lhwnd _ < <(wait_loupe "the second pick")
  wait_loupe_cell "$lhwnd" 5 5 "$STRIPE_GREEN" "the second pick, one pixel right"
  xdotool key Escape
  drv wait-gone - "Vandrel Loupe" 3000 >/dev/null || fail "the loupe stayed after Escape"
  shortcut
  wait_loupe "the third pick" >/dev/null
  xdotool click 3
  drv wait-gone - "Vandrel Loupe" 3000 >/dev/null || fail "the loupe stayed after a right click"
  shortcut
  wait_loupe "the fourth pick" >/dev/null
  shortcut again
  assert_eq "#A0552B" "$(drv clipboard)" "the clipboard after three cancels"
  assert_eq "#A0552B\\r\\n" "$(picked_bytes)" "picked.pal after three cancels"

  # A left click takes the single pixel (the square of 3 is kept for the run: 1 goes back to it),
  # and the newest colour comes first. Nothing of the click reaches the receiver's window.
  shortcut
  read -r lhwnd _ < <(wait_loupe "the fifth pick")
  xdotool key 1
  wait_loupe_cell "$lhwnd" 5 5 "$STRIPE_GREEN" "the fifth pick"
  xdotool click 1
  drv wait-clipboard "#$STRIPE_GREEN" 3000 >/dev/null || fail "the clipboard holds '$(drv clipboard)' after a click"
  wait_output 3000 "#$STRIPE_GREEN\\r\\n#A0552B\\r\\n" picked_bytes ||
    fail "picked.pal holds $E2E_LAST_OUTPUT after the second pick"
  assert_eq qok "$(receiver_text)" "the receiver's text after the picks"

  # "Pick color" in the tray menu, just above "Manage": a pick without the shortcut.
  open_tray_menu right
  drv menu-keys up up up up enter >/dev/null
  wait_loupe "Pick color in the tray menu" >/dev/null
  xdotool key Escape
  drv wait-gone - "Vandrel Loupe" 3000 >/dev/null || fail "the loupe stayed after Escape"
  exit_from_tray
}

# e2e-timeout test_picker_reads_the_right_pixel_on_the_right_hand_monitor 150

test_picker_reads_the_right_pixel_on_the_right_hand_monitor() {
  start_two_monitor_display
  start_vandrel
  # The first Wine program on a display of its own starts Wine's services there too: on a
  # loaded machine that took over 10 s once.
  wait_started 30000
  start_receiver --pos 1950 200 600 300 --stripes
  local rhwnd cx cy
  read -r rhwnd _ < <(drv wait-window VandrelE2EReceiver Receiver 5000) || fail "no receiver window"
  read -r cx cy _ < <(drv client-rect "$rhwnd")
  # The last column of a yellow stripe (the 28th) near the right monitor's right edge; black follows.
  local px=$((cx + 559)) py=$((cy + 150))
  xdotool mousemove $((cx + 100)) $((cy + 20)) click 1
  xdotool mousemove "$px" "$py"
  shortcut
  local lhwnd lx ly lw lh
  read -r lhwnd lx ly lw lh < <(wait_loupe "the shortcut on the right monitor")
  wait_loupe_cell "$lhwnd" 5 5 F0E010 "the centre on the right monitor"
  assert_eq 101010 "$(loupe_cell "$lhwnd" 6 5)" "right of the centre on the right monitor"
  read -r lx ly lw lh < <(drv rect "$lhwnd")
  # No room to the right: the loupe turns to the pointer's left and stays on the right monitor.
  assert_eq "$((px - 20 - lw)) $((py + 20))" "$lx $ly" "the loupe's place at the right monitor's edge"
  [ "$lx" -ge 1280 ] && [ $((lx + lw)) -le 2560 ] || fail "the loupe at $lx ($lw wide) left the right monitor"
  screenshot loupe_on_the_right_monitor
  xdotool key Return
  drv wait-clipboard "#F0E010" 3000 >/dev/null || fail "the clipboard holds '$(drv clipboard)', not #F0E010"
  exit_from_tray
}

