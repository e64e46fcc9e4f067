# The editor's colour tools: the eyedropper over a palette window and over another program's
# button, the random colour and the blender, a new palette from the clipboard.

# shellcheck source=editor_lib.sh
source "$E2E_ROOT/tests/e2e/editor_lib.sh"

# Screen point of swatch J (from 0) of the start palette's window at X Y.
swatch_at() { printf '%s %s' $(($1 + 30)) $(($2 + 1 + $3 * 19 + 5)); }

# During a grab the pointer is moved and clicked through X: under Wine a SendInput move from
# another process does not move the pointer while a low-level mouse hook is installed.
x_move() { xdotool mousemove "$1" "$2"; }
x_click() { xdotool mousemove "$1" "$2" click 1; }

# wait_grab_running HWND: the eyedropper's grab has begun (the editor holds the mouse).
wait_grab_running() {
  wait_until 3000 bash -c "[ \"\$(drv thread-info $1 | sed -n 's/.* capture \([^ ]*\) .*/\1/p')\" = \"$1\" ]" ||
    fail "the eyedropper's grab did not begin: the editor does not hold the mouse"
}

# The middle of the receiver's "Press" button.
receiver_button() {
  local hwnd
  hwnd=$(drv wait-window VandrelE2EReceiver Receiver 5000 | cut -d' ' -f1) || fail "no receiver window"
  drv children "$hwnd" | awk '$1 == 101 { print $3 + int($5 / 2), $4 + int($6 / 2) }'
}

wait_receiver_clicks() { # COUNT WHAT
  wait_output 3000 "$1" receiver_clicks || fail "$2: the receiver's button counted $E2E_LAST_OUTPUT clicks, not $1"
}

test_eyedropper_follows_the_pointer_and_takes_a_click_nobody_else_sees() {
  start_vandrel
  wait_started
  open_from_tray 1
  local phwnd px py pw ph
  read -r phwnd px py pw ph < <(drv wait-window VandrelPalette VN 5000) || fail "no palette window opened"
  start_receiver --pos 200 420 480 120
  local bx by
  read -r bx by < <(receiver_button)
  drv click "$bx" "$by" >/dev/null
  wait_receiver_clicks 1 "a click before any grab"
  edit_from_tray 1
  local hwnd x y w h
  read -r hwnd x y w h < <(wait_editor)
  wait_row_count "$hwnd" 9
  drv set-clipboard marker >/dev/null

  # The first grab: the last row follows the pointer; a click on a swatch takes its colour.
  click_tool "$hwnd" 4
  # shellcheck disable=SC2046
  x_move $(swatch_at "$px" "$py" 1)
  wait_row_text "$hwnd" 9 "#FF0000"
  # shellcheck disable=SC2046
  x_move $(swatch_at "$px" "$py" 2)
  wait_row_text "$hwnd" 9 "#FFFF00"
  screenshot grab_live
  # shellcheck disable=SC2046
  x_click $(swatch_at "$px" "$py" 2)
  wait_row_count "$hwnd" 10
  wait_row_text "$hwnd" 10 ""
  assert_eq "#FFFF00" "$(row_text "$hwnd" 9)" "the colour taken"
  assert_eq "marker" "$(drv clipboard)" "the clipboard (the swatch below must not have seen the click)"
  drv click "$bx" "$by" >/dev/null
  wait_receiver_clicks 2 "a click after the first grab (no hook may be left)"

  # The second grab ends when another window comes forward: no new row.
  drv activate "$hwnd" >/dev/null
  click_tool "$hwnd" 4
  # shellcheck disable=SC2046
  x_move $(swatch_at "$px" "$py" 5)
  wait_row_text "$hwnd" 10 "#0000FF"
  local receiver
  receiver=$(drv wait-window VandrelE2EReceiver Receiver 5000 | cut -d' ' -f1)
  drv activate "$receiver" >/dev/null 2>&1 || true
  # The grab ends at its next look at the foreground window: the capture goes, and at its very
  # end the editor comes forward again.
  wait_until 3000 bash -c "[ \"\$(drv thread-info $hwnd | sed -n 's/.* capture \([^ ]*\) .*/\1/p')\" != \"$hwnd\" ]" ||
    fail "the editor still holds the mouse after another window came forward"
  wait_until 3000 bash -c "[ \"\$(drv foreground | cut -d' ' -f1)\" = \"$hwnd\" ]" ||
    fail "the editor did not come forward at the end of the grab"
  # Ended: the row keeps blue whatever the pointer shows now.
  # shellcheck disable=SC2046
  x_move $(swatch_at "$px" "$py" 1)
  assert_eq "#0000FF" "$(row_text "$hwnd" 10)" "the colour kept at the end of the second grab"
  assert_eq 10 "$(row_count "$hwnd")" "rows after a grab ended by another window"
  drv click "$bx" "$by" >/dev/null
  wait_receiver_clicks 3 "a click after the second grab"

  # The third grab ends with a click on the receiver's button, which must not see the press.
  drv activate "$hwnd" >/dev/null
  click_tool "$hwnd" 4
  # The click must come once the grab runs (its hook is set before it takes the capture): a
  # click before it would be an ordinary click on the button, as seen once on a loaded machine.
  wait_grab_running "$hwnd"
  x_click "$bx" "$by"
  wait_row_count "$hwnd" 11
  # Clicks are counted in order: had the grab's press got through, this one would count 5.
  drv click "$bx" "$by" >/dev/null
  wait_receiver_clicks 4 "the grab's click on the button, then a click after the grab"
  screenshot grab_done
  exit_from_tray
}

test_picker_random_blender_and_from_clipboard_fill_rows() {
  start_vandrel
  wait_started
  open_from_tray 1
  local phwnd
  phwnd=$(drv wait-window VandrelPalette VN 5000 | cut -d' ' -f1) || fail "no palette window opened"
  edit_from_tray 1
  local hwnd x y w h
  read -r hwnd x y w h < <(wait_editor)
  wait_row_count "$hwnd" 9

  # The colour chooser: the palette window leaves the topmost band and the editor is disabled
  # while it is open; cancelled, it adds nothing.
  click_tool "$hwnd" 5
  drv dialog-wait Color 5000 >/dev/null || fail "no colour chooser appeared"
  [ $(($(drv exstyle "$phwnd") & 0x8)) -eq 0 ] || fail "the palette window stayed topmost over the chooser"
  [ $(($(drv style "$hwnd") & 0x08000000)) -ne 0 ] || fail "the editor was not disabled under the chooser"
  drv dialog-click Color 2 >/dev/null
  wait_until 5000 bash -c "[ \$((\$(drv exstyle $phwnd) & 0x8)) -ne 0 ]" ||
    fail "the palette window did not come back to the topmost band"
  [ $(($(drv style "$hwnd") & 0x08000000)) -eq 0 ] || fail "the editor stayed disabled after the chooser"
  assert_eq 9 "$(row_count "$hwnd")" "rows after a cancelled chooser"
  click_tool "$hwnd" 6  # Random color
  wait_row_count "$hwnd" 10
  [[ "$(row_text "$hwnd" 9)" =~ ^#[0-9A-F]{6}$ ]] || fail "the random colour row holds '$(row_text "$hwnd" 9)'"
  click_tool "$hwnd" 7  # Magic color blender: rows 1 and 2 are black and red
  wait_row_count "$hwnd" 11
  [[ "$(row_text "$hwnd" 10)" =~ ^#[0-9A-F]{2}0000$ ]] ||
    fail "a blend of black and red gave '$(row_text "$hwnd" 10)'"

  # Windows line ends and no "#": the usual clipboard of a list of codes.
  # xclip serves the selection until it is killed (in the foreground with -quiet).
  printf 'ff8000\r\n00ff80\r\n' | xclip -display "$E2E_DISPLAY" -selection clipboard -quiet \
    >/dev/null 2>&1 &
  local xclip_pid=$!
  menu_command 21  # "From clipboard"
  expect_save_question
  drv msgbox-answer Save no >/dev/null || fail "the question could not be answered"
  answer_palette_name clip
  wait_output 5000 clip control_text "$hwnd" 21 || fail "the editor shows $E2E_LAST_OUTPUT, not the new palette"
  wait_row_count "$hwnd" 3
  assert_eq "#FF8000" "$(row_text "$hwnd" 1)" "first row from the clipboard"
  assert_eq "#00FF80" "$(row_text "$hwnd" 2)" "second row from the clipboard"
  assert_eq "" "$(row_text "$hwnd" 3)" "the entry row"
  screenshot from_clipboard
  kill "$xclip_pid" 2>/dev/null
  exit_from_tray
}

# Another program stands behind the editor; when a box of the editor's closes, the editor is
# in front again and typing goes on in its field, not into the program behind.
test_boxes_the_editor_raises_give_it_the_focus_back() {
  mkdir -p "$(settings_dir)"
  write_crlf "$(settings_dir)/one.pal" "#FF0000"
  start_vandrel
  wait_started
  start_receiver --pos 200 420 480 120
  edit_from_tray 1
  local hwnd x y w h
  read -r hwnd x y w h < <(wait_editor)
  wait_row_count "$hwnd" 2
  wait_focus "$hwnd" 130 "a freshly opened editor of one colour"

  click_tool "$hwnd" 7  # Magic color blender, with one colour only
  local shown
  shown=$(drv msgbox-wait Error 5000 | tr '\n' '|') || fail "no \"Error\" box appeared for the blender"
  assert_eq "Error|Magic color blending requires at least two colors.|" "$shown" "the blender's box"
  drv msgbox-answer Error ok >/dev/null || fail "the blender's box could not be answered"
  drv type "00ff00" >/dev/null
  wait_output 5000 "#00FF00" row_text "$hwnd" 2 ||
    fail "typed after the blender's box, 00ff00 did not reach the editor's row 2 (it shows" \
      "'$E2E_LAST_OUTPUT'; the program behind holds '$(receiver_text)')"
  wait_row_count "$hwnd" 3

  # The palette-name box: "Blank" asks about the changes first, then for the name.
  menu_command 20
  expect_save_question
  drv msgbox-answer Save no >/dev/null || fail "the question could not be answered"
  answer_palette_name fresh
  wait_output 5000 fresh control_text "$hwnd" 21 || fail "the editor shows $E2E_LAST_OUTPUT, not the new palette"
  wait_row_count "$hwnd" 1
  drv type "0000ff" >/dev/null
  wait_output 5000 "#0000FF" row_text "$hwnd" 1 ||
    fail "typed after the name box, 0000ff did not reach the new palette's row (it shows" \
      "'$E2E_LAST_OUTPUT'; the program behind holds '$(receiver_text)')"
  assert_eq "" "$(receiver_text)" "what reached the program behind the editor"
  exit_from_tray
}
