# The main job: open a palette from the tray, click a swatch, get its code on the clipboard or
# typed into the application in front; exit from the tray and find the same windows again.

# The start palette's colours, top to bottom.
START_COLOURS=(000000 FF0000 FFFF00 00FF00 00FFFF 0000FF FF00FF FFFFFF)

# Chooses "Open" in the start palette's sub-menu of the tray menu: start is the first palette,
# its sub-menu holds 8 colours, a separator, "Open" and "Edit".
open_start_from_tray() {
  open_tray_menu left
  drv menu-keys down right down down down down down down down down enter >/dev/null
}

# Screen point of swatch J (from 0) of a palette window at X Y with rounded 59 x 18 swatches:
# the middle of its second row, above the code text.
swatch_point() { # X Y J
  printf '%s %s' $(($1 + 30)) $(($2 + 1 + $3 * 19 + 1))
}

test_palette_opened_from_tray_appears_transparent_at_its_place() {
  start_vandrel
  wait_started
  # What lies below: read the desktop where the window will appear, before it does.
  local before after
  before=$(drv pixels 1219 200 61 153)
  open_start_from_tray
  local hwnd x y w h
  read -r hwnd x y w h < <(drv wait-window VandrelPalette VN 5000) ||
    fail "no palette window appeared after Open in the tray menu"
  screenshot palette_opened
  # The default place: the right edge of the screen, 200 pixels down; 8 rounded swatches of 59 x 18.
  assert_eq "1219 200 61 153" "$x $y $w $h" "palette window place and size"
  assert_eq "FEFEFE 0 1" "$(drv layered "$hwnd")" "colour key of the palette window"
  local exstyle
  exstyle=$(drv exstyle "$hwnd")
  for bit in 0x8 0x80 0x80000 0x8000000; do # topmost, tool window, layered, no-activate
    [ $((exstyle & bit)) -ne 0 ] || fail "the palette window lacks extended style bit $bit (has $exstyle)"
  done
  after=$(drv pixels 1219 200 61 153)
  local j row col want got
  for j in "${!START_COLOURS[@]}"; do
    row=$((1 + j * 19 + 1))
    want=${START_COLOURS[$j]}
    got=$(sed -n "$((row + 1))p" <<<"$after" | awk '{print $31}')
    assert_eq "$want" "$got" "colour of swatch $j on screen"
  done
  # The margin and the gaps between swatches show the desktop.
  for row in 0 19 38 152; do
    for col in 1 31 60; do
      got=$(sed -n "$((row + 1))p" <<<"$after" | awk -v c=$col '{print $c}')
      want=$(sed -n "$((row + 1))p" <<<"$before" | awk -v c=$col '{print $c}')
      assert_eq "$want" "$got" "pixel $((col - 1)),$row of the window should show the desktop"
    done
  done
  exit_from_tray
}

test_swatch_click_puts_the_code_on_the_clipboard() {
  write_crlf "$(settings_dir)/Vandrel.ini" "[start.pal]" "WinID = 1" "X = 500" "Y = 150"
  start_vandrel
  read -r hwnd x y w h < <(drv wait-window VandrelPalette VN 10000) ||
    fail "the palette window of the last run did not reopen"
  drv set-clipboard "nothing yet" >/dev/null
  # A quick click (the press and release reach the program together).
  drv click $(swatch_point 500 150 1) >/dev/null
  drv wait-clipboard "#FF0000" 3000 >/dev/null ||
    fail "after a click on the red swatch the clipboard holds '$(drv clipboard)'"
  assert_eq "#FF0000" "$(xclip -display "$E2E_DISPLAY" -o -selection clipboard 2>&1)" \
    "clipboard as Linux programs see it"
  # A slow click: the press starts the move loop of this movable palette, which takes the release.
  drv press $(swatch_point 500 150 5) >/dev/null
  sleep 0.3 # the user holds the button a moment
  drv release $(swatch_point 500 150 5) >/dev/null
  drv wait-clipboard "#0000FF" 3000 >/dev/null ||
    fail "after a slow click on the blue swatch the clipboard holds '$(drv clipboard)'"
  assert_eq "$x $y" "$(drv rect "$hwnd" | cut -d' ' -f1,2)" "a click must not move the window"
  exit_from_tray
}

test_keyboard_mode_types_into_the_application_in_front() {
  write_crlf "$(settings_dir)/Vandrel.ini" "[start.pal]" "WinID = 1" "X = 700" "Y = 150" "Output = 1"
  start_vandrel
  drv wait-window VandrelPalette VN 10000 >/dev/null || fail "the palette window did not reopen"
  start_receiver --pos 100 150 400 120
  drv wait-foreground - Receiver 5000 >/dev/null || fail "the receiving application is not in front"

  drv press $(swatch_point 700 150 1) >/dev/null
  sleep 0.2 # the user holds the button a moment
  drv release $(swatch_point 700 150 1) >/dev/null
  wait_output 3000 "#FF0000" receiver_text ||
    fail "after a click on the red swatch the other program's text field holds '$(receiver_text)'"
  [[ "$(drv foreground)" == *Receiver* ]] ||
    fail "the palette took the focus: in front is now $(drv foreground)"

  sleep 0.6 # typing is allowed again 500 ms after the last code
  # Two clicks within 500 ms: only the first one types.
  drv click $(swatch_point 700 150 3) double >/dev/null
  wait_output 3000 "#FF0000#00FF00" receiver_text ||
    fail "after a double click on the green swatch the text field holds '$(receiver_text)'"
  sleep 1 # time for a second code to arrive, if one was wrongly typed
  assert_eq "#FF0000#00FF00" "$(receiver_text)" "text typed by two clicks within 500 ms"
  [[ "$(drv foreground)" == *Receiver* ]] ||
    fail "the palette took the focus: in front is now $(drv foreground)"
  exit_from_tray
}

test_exit_and_restart_keeps_both_palettes_in_their_slots_and_places() {
  mkdir -p "$(settings_dir)"
  printf '%s\r\n' "${START_COLOURS[@]/#/#}" >"$(settings_dir)/start.pal"
  printf '%s\r\n' '#1A2B3C' '#FF8000' '#00AA55' >"$(settings_dir)/web.pal"
  write_crlf "$(settings_dir)/Vandrel.ini" \
    "[start.pal]" "WinID = 2" "X = 300" "Y = 120" "[web.pal]" "WinID = 1" "X = 600" "Y = 140" "Drag = 1"
  start_vandrel
  wait_palette_windows 2
  # Drag the web palette by its first swatch to a new place.
  drv drag 630 142 730 262 10 60 >/dev/null
  wait_until 3000 eval 'drv window-at 701 262 2>/dev/null | grep -q VandrelSwatch' ||
    fail "the web palette did not follow the drag"
  exit_from_tray
  local ini
  ini="$(settings_dir)/Vandrel.ini"
  grep -q $'^\[web.pal\]\r$' "$ini" || fail "Vandrel.ini has no group for web.pal: $(file_repr "$ini")"
  tr -d '\r' <"$ini" | grep -A3 '^\[web.pal\]' | tr '\n' ' ' | grep -q 'WinID = 1 X = 700 Y = 260' ||
    fail "web.pal should be stored open in slot 1 at 700,260: $(tr -d '\r' <"$ini" | grep -A3 '^\[web.pal\]' | tr '\n' ' ')"
  tr -d '\r' <"$ini" | grep -A3 '^\[start.pal\]' | tr '\n' ' ' | grep -q 'WinID = 2 X = 300 Y = 120' ||
    fail "start.pal should be stored open in slot 2 at 300,120: $(tr -d '\r' <"$ini" | grep -A3 '^\[start.pal\]' | tr '\n' ' ')"

  start_vandrel
  wait_palette_windows 2
  local first second
  first=$(drv window-at 701 262)
  second=$(drv window-at 301 122)
  [[ "$first" == *VandrelSwatch* ]] || fail "no palette at 700,260 after the restart: $first"
  [[ "$second" == *VandrelSwatch* ]] || fail "no palette at 300,120 after the restart: $second"
  # Slot 1 owns swatch numbers from 1200, slot 2 from 1400.
  assert_eq 1200 "$(drv children "$(awk '{print $4}' <<<"$first")" | head -n 1 | awk '{print $1}')" \
    "first swatch number of the web palette (slot 1)"
  assert_eq 1400 "$(drv children "$(awk '{print $4}' <<<"$second")" | head -n 1 | awk '{print $1}')" \
    "first swatch number of the start palette (slot 2)"
  exit_from_tray
}

test_tray_colour_item_copies_its_code_and_popup_close_remembers_the_place() {
  printf '%s\r\n' '#1A2B3C' '#FF8000' >"$(mkdir -p "$(settings_dir)" && settings_dir)/web.pal"
  write_crlf "$(settings_dir)/Vandrel.ini" "Pound = 0" "[web.pal]" "WinID = 1" "X = 400" "Y = 300" "Output = 1"
  start_vandrel
  local hwnd x y w h
  read -r hwnd x y w h < <(drv wait-window VandrelPalette VN 10000) || fail "the palette did not reopen"
  # Tray menu: web > second colour. The palette types its codes, but a tray item always copies.
  open_tray_menu left
  drv menu-keys down right down enter >/dev/null
  drv wait-clipboard "FF8000" 3000 >/dev/null ||
    fail "the tray menu's second colour of web put '$(drv clipboard)' on the clipboard"

  # Right click a swatch: the palette popup menu; its last item is "Close".
  drv click $((x + 30)) $((y + 3)) right >/dev/null
  drv menu-wait >/dev/null || fail "no popup menu appeared after a right click on a swatch"
  screenshot popup_menu
  drv menu-keys up enter >/dev/null
  drv wait-gone VandrelPalette VN 3000 >/dev/null || fail "the palette window stayed open after Close"

  # Open it again from the tray ("Open" of web): it comes back where it was.
  open_tray_menu left
  drv menu-keys down right down down enter >/dev/null  # #1A2B3C, #FF8000, separator, Open
  read -r hwnd x y w h < <(drv wait-window VandrelPalette VN 5000) || fail "Open did not reopen the palette"
  assert_eq "400 300" "$x $y" "place of the reopened palette"
  exit_from_tray
  tr -d '\r' <"$(settings_dir)/Vandrel.ini" | grep -q '^Pound = 0$' || fail "Pound = 0 was not kept"
}

# The narrowest gap, in pixels, between a menu picture (colours PICTURES, RRGGBB separated by
# spaces) and what follows it on its right, over the pixel rows of the menu's box that are not
# highlighted; "none" when no row shows a picture with something beside it.
picture_gap() { # X Y W H PICTURES
  drv pixels "$1" "$2" "$3" "$4" | awk -v pictures="$5" '
    BEGIN { n = split(pictures, p, " "); for (i = 1; i <= n; i++) picture[p[i]] = 1 }
    { rows[NR] = $0; for (i = 1; i <= NF; i++) count[$i]++ }
    END {
      for (c in count) if (count[c] > most) { most = count[c]; background = c }
      narrowest = -1
      for (r = 1; r <= NR; r++) {
        m = split(rows[r], px, " ")
        split("", inRow)
        top = ""
        for (i = 1; i <= m; i++) if (++inRow[px[i]] > inRow[top]) top = px[i]
        if (top != background) continue  # the highlighted row
        last = 0
        for (i = 1; i <= m; i++) if (px[i] in picture) last = i
        if (!last) continue
        for (i = last + 1; i <= m && px[i] == background; i++) {}
        if (i > m) continue
        if (narrowest < 0 || i - last - 1 < narrowest) narrowest = i - last - 1
      }
      print (narrowest < 0 ? "none" : narrowest)
    }'
}

# Under Wine the pictures of the tray menu touched the first letters of their captions.
test_tray_menu_pictures_stand_apart_from_their_captions() {
  mkdir -p "$(settings_dir)"
  write_crlf "$(settings_dir)/a.pal" "#FF8000" "#00C000"
  write_crlf "$(settings_dir)/b.pal" "#1A2B3C" "#C000C0"
  start_vandrel
  wait_started
  open_tray_menu left
  drv menu-keys down right >/dev/null  # a highlighted, its sub-menu open
  wait_output 3000 2 bash -c "drv count-windows '#32768' - | tail -n1" || fail "the palette's sub-menu did not open"
  screenshot tray_menu_pictures
  local menus main sub gap
  menus=$(drv count-windows '#32768' -)
  # The sub-menu opens right of the tray menu.
  main=$(printf '%s\n' "$menus" | head -n2 | sort -k2 -n | head -n1 | cut -d' ' -f2-)
  sub=$(printf '%s\n' "$menus" | head -n2 | sort -k2 -n | tail -n1 | cut -d' ' -f2-)
  # shellcheck disable=SC2086
  gap=$(picture_gap $main "FF8000 00C000 1A2B3C C000C0")
  [ "$gap" != none ] && [ "$gap" -ge 3 ] || fail "in the tray menu a palette's picture and its caption are $gap pixels apart"
  # shellcheck disable=SC2086
  gap=$(picture_gap $sub "FF8000 00C000")
  [ "$gap" != none ] && [ "$gap" -ge 3 ] || fail "in a palette's sub-menu a colour's picture and its code are $gap pixels apart"
  drv menu-keys escape escape >/dev/null
  exit_from_tray
}

test_a_third_palette_is_refused_with_a_message() {
  mkdir -p "$(settings_dir)"
  printf '%s\r\n' '#111111' >"$(settings_dir)/a.pal"
  printf '%s\r\n' '#222222' >"$(settings_dir)/b.pal"
  printf '%s\r\n' '#333333' >"$(settings_dir)/c.pal"
  write_crlf "$(settings_dir)/Vandrel.ini" "Systray_Color_Menu = 0" \
    "[a.pal]" "WinID = 1" "X = 300" "Y = 100" "[b.pal]" "WinID = 2" "X = 500" "Y = 100"
  start_vandrel
  wait_palette_windows 2
  # The plain tray menu lists the three palettes in the folder's order; open each in turn:
  # whichever is not open yet must be refused.
  local item refused=0
  for item in 1 2 3; do
    open_tray_menu left
    local keys=()
    for ((i = 0; i < item; i++)); do keys+=(down); done
    drv menu-keys "${keys[@]}" enter >/dev/null
    if box=$(drv msgbox-wait Error 3000 2>/dev/null); then
      assert_eq "Error|Maximum number of palettes open! (2)" "$(printf '%s' "$box" | tr '\n' '|')" \
        "message for a third palette"
      drv msgbox-answer Error ok >/dev/null
      refused=$((refused + 1))
    fi
  done
  assert_eq 1 "$refused" "palettes refused (the two open ones reopen in their own slots)"
  wait_palette_windows 2
  exit_from_tray
}
