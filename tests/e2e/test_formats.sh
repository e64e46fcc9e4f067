# Colour formats: what a click copies and types, the popup's Format sub-menu and its "Custom..."
# box, the tray's captions, a swatch's tooltip, and a settings file without the new keys kept.

format_point() { # X Y J: the middle of swatch J of a palette window whose top left is X Y
  printf '%s %s' $(($1 + 30)) $(($2 + 1 + $3 * 19 + 9))
}

# The visible tooltip's text, or nothing.
visible_tip() {
  local hwnd
  for hwnd in $(drv windows | awk '$2 == "tooltips_class32" && $8 == "visible" { print $1 }'); do
    drv text "$hwnd"
  done
}

test_formats_reach_the_clipboard_the_keys_the_tray_menu_and_the_swatch_tips() {
  mkdir -p "$(settings_dir)"
  printf '%s\r\n' '#1A2B3C' '#FF8000' >"$(settings_dir)/web.pal"
  write_start_palette "$(settings_dir)/start.pal"
  write_crlf "$(settings_dir)/Vandrel.ini" \
    "[start.pal]" "WinID = 1" "X = 500" "Y = 150" "Format = rgb({red}, {green}, {blue})" \
    "[web.pal]" "WinID = 2" "X = 700" "Y = 150" "Output = 1" "Format = rgb({red}, {green}, {blue})"
  start_vandrel
  wait_palette_windows 2

  # A click copies the format; a palette that types types it into the program in front.
  drv set-clipboard "nothing yet" >/dev/null
  drv click $(format_point 500 150 1) >/dev/null
  drv wait-clipboard "rgb(255, 0, 0)" 3000 >/dev/null ||
    fail "a click on the red swatch copied '$(drv clipboard)'"
  start_receiver --pos 100 450 400 120
  drv wait-foreground - Receiver 5000 >/dev/null || fail "the receiving application is not in front"
  drv click $(format_point 700 150 0) >/dev/null
  wait_output 3000 "rgb(26, 43, 60)" receiver_text ||
    fail "the text field holds '$(receiver_text)' after a click on #1A2B3C"

  # Resting on a swatch of a palette that is not active shows its four lines. The pointer
  # comes over the palette as a hand moves it, in steps: under Wine a tooltip starts its wait
  # only at the second move it sees over a swatch.
  drv move $(format_point 500 150 0) >/dev/null
  drv move $(format_point 500 150 1) >/dev/null
  local tip_x tip_y
  read -r tip_x tip_y < <(format_point 500 150 1)
  drv move $((tip_x + 1)) "$tip_y" >/dev/null
  local expected=$'rgb(255, 0, 0) (#FF0000)\nred\non white 3.99:1 AA large\non black 5.25:1 AA'
  wait_output 5000 "$expected" visible_tip || fail "the tooltip over the red swatch reads '$(visible_tip)'"
  screenshot swatch_tip
  [[ "$(drv foreground)" == *Receiver* ]] || fail "the tooltip took the focus: in front is $(drv foreground)"

  # The popup's Format sub-menu: each format on the first colour, the palette's own checked.
  drv click $(format_point 700 150 0) right >/dev/null
  drv menu-wait 3000 >/dev/null || fail "no popup menu after a right click"
  drv menu-keys down down down right >/dev/null
  drv menu-wait 3000 >/dev/null || fail "the Format sub-menu did not open"
  screenshot format_menu
  # The check mark stands beside the palette's format, the second item, and nowhere else:
  # dark pixels in the check-mark column of each of the 13 rows (the first row is highlighted).
  local sub_x sub_y sub_h marks
  read -r _ sub_x sub_y _ sub_h _ < <(drv menu-wait 1000)
  marks=$(drv pixels $((sub_x + 2)) $((sub_y + 3)) 16 $((sub_h - 6)) | awk -v rows=13 '
    { n = 0; for (i = 1; i <= NF; i++) if (substr($i, 1, 2) < "60" && substr($i, 3, 2) < "60" && substr($i, 5, 2) < "60") n++
      row = int((NR - 1) * rows / total); dark[row] += n }
    BEGIN { total = '"$((sub_h - 6))"' }
    END { for (r = 0; r < rows; r++) printf "%s%s", (r ? " " : ""), (dark[r] > 3 ? 1 : 0); print "" }')
  assert_eq "0 1 0 0 0 0 0 0 0 0 0 0 0" "$marks" "rows of the Format sub-menu with a check mark"
  # "Custom...", the last item: the box suggests the current template; Cancel changes nothing.
  drv menu-keys up enter >/dev/null
  local box
  box=$(drv dialog-wait "Color Format" 3000) || fail "Custom... showed no Color Format box"
  assert_eq "rgb({red}, {green}, {blue})" "$(drv dialog-get "Color Format" 100)" "the suggested template"
  drv close "${box%% *}" >/dev/null
  drv wait-gone - "Color Format" 3000 >/dev/null || fail "the Color Format box stayed open"

  # A built-in choice: hsl(), the fourth item, is what the click copies now (the palette types
  # it into the program in front).
  drv click $(format_point 700 150 0) right >/dev/null
  drv menu-wait 3000 >/dev/null || fail "no popup menu after a right click"
  drv menu-keys down down down right down down down enter >/dev/null
  drv wait-gone "#32768" - 3000 >/dev/null
  sleep 0.6 # typing is allowed again 500 ms after the last code
  drv activate "$(drv wait-window - Receiver 1000 | cut -d' ' -f1)" >/dev/null
  drv click $(format_point 700 150 1) >/dev/null
  wait_output 3000 "rgb(26, 43, 60)hsl(30, 100%, 50%)" receiver_text ||
    fail "after choosing hsl() the text field holds '$(receiver_text)'"

  # "Custom..." once more: the last item, the current template suggested.
  drv click $(format_point 700 150 0) right >/dev/null
  drv menu-wait 3000 >/dev/null || fail "no popup menu after a right click"
  drv menu-keys down down down right up enter >/dev/null
  drv dialog-wait "Color Format" 3000 >/dev/null || fail "Custom... showed no Color Format box"
  assert_eq "hsl({h}, {s}%, {l}%)" "$(drv dialog-get "Color Format" 100)" "the suggested template"
  drv dialog-set "Color Format" 100 "A&B {r}-{g}-{b}" >/dev/null
  drv dialog-click "Color Format" 1 >/dev/null
  drv wait-gone - "Color Format" 3000 >/dev/null || fail "the Color Format box stayed open"

  # The tray's colour items show and copy the palette's format.
  open_tray_menu left
  drv menu-keys down down right >/dev/null
  drv menu-keys down enter >/dev/null
  drv wait-clipboard "A&B ff-80-00" 3000 >/dev/null || fail "the tray item copied '$(drv clipboard)'"
  exit_from_tray

  local ini
  ini=$(tr -d '\r' <"$(settings_dir)/Vandrel.ini")
  grep -qx 'Format = A&B {r}-{g}-{b}' <<<"$ini" || fail "the custom format is not in the settings file: $ini"
  grep -qx 'Format = rgb({red}, {green}, {blue})' <<<"$ini" || fail "start.pal's format was not kept: $ini"
  grep -q 'SwatchTips' <<<"$ini" && fail "SwatchTips was written although nobody changed it"

  # A file without the new keys comes back byte for byte.
  grep -v '^Format = ' "$(settings_dir)/Vandrel.ini" >"$E2E_TEST_DIR/plain.ini"
  cp "$E2E_TEST_DIR/plain.ini" "$(settings_dir)/Vandrel.ini"
  start_vandrel
  wait_palette_windows 2
  exit_from_tray
  cmp -s "$E2E_TEST_DIR/plain.ini" "$(settings_dir)/Vandrel.ini" ||
    fail "a settings file without the new keys changed: $(diff <(tr -d '\r' <"$E2E_TEST_DIR/plain.ini") <(tr -d '\r' <"$(settings_dir)/Vandrel.ini"))"
}
