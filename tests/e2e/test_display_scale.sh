# The windows at 150 % display scale (LogPixels 144 in the prefix; Wine gives one DPI to all
# monitors): half as large again as at 96 DPI, every code whole inside its swatch, clicks deliver,
# the manage window and the editor laid out at that scale with no control over another.

# shellcheck source=editor_lib.sh
source "$E2E_ROOT/tests/e2e/editor_lib.sh"

# The colours of start.pal, without "#", row by row.
START_COLOURS=(000000 FF0000 FFFF00 00FF00 00FFFF 0000FF FF00FF FFFFFF)

# SIZE x 1.5, rounded halves up, as every size is scaled at 144 DPI.
at_144() { echo $(((${1} * 3 + 1) / 2)); }

# Every visible control of window HWND lies inside its client area and on no other, group boxes
# (which hold controls) aside.
expect_controls_apart() { # HWND WHAT
  local cx cy cw ch found
  read -r cx cy cw ch < <(drv client-rect "$1")
  found=$(drv children "$1" | awk -v cx="$cx" -v cy="$cy" -v cw="$cw" -v ch="$ch" '
    $8 == 1 && !($2 == "Button" && ($1 == 91 || $1 == 92)) {
      n++; id[n] = $1; l[n] = $3; t[n] = $4; r[n] = $3 + $5; b[n] = $4 + $6
      if ($3 < cx || $4 < cy || $3 + $5 > cx + cw || $4 + $6 > cy + ch) { print "control " $1 " leaves the window"; exit }
    }
    END {
      for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++)
        if (l[i] < r[j] && l[j] < r[i] && t[i] < b[j] && t[j] < b[i]) { print "controls " id[i] " and " id[j] " overlap"; exit }
    }')
  [ -z "$found" ] || fail "$2 at 144 DPI: $found"
}

test_at_144_dpi_the_windows_grow_by_half_and_palettes_show_every_code_whole() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 ||
    fail "could not set the display scale"
  mkdir -p "$(settings_dir)"
  write_start_palette "$(settings_dir)/start.pal"
  write_crlf "$(settings_dir)/Vandrel.ini" "Systray = 0" "WinX = 500" "WinY = 20" "EditX = 20" "EditY = 320" \
    "[start.pal]" "WinID = 1" "X = 300" "Y = 100"
  start_vandrel
  wait_palette_windows 1
  local hwnd x y w h
  read -r hwnd x y w h < <(palette_window)
  # At 96 DPI: 59 + 2 wide, 8 swatches of 18 with a pixel between them and one around: 153 high.
  assert_eq "$(at_144 61) $(at_144 153)" "$w $h" "the palette window's size at 144 DPI"
  screenshot palette-144

  local j top bottom left right fill text
  left=$((x + $(at_144 1)))
  right=$((x + $(at_144 60)))  # the first column right of the swatch
  for j in 0 1 2 3 4 5 6 7; do
    top=$((y + $(at_144 $((1 + 19 * j)))))
    bottom=$((y + $(at_144 $((19 + 19 * j)))))
    fill=${START_COLOURS[$j]}
    # Three columns inside each edge (past the 2-pixel outline), over the straight middle rows
    # (the corners are 11 pixels round) where the code stands: only the swatch's colour. A code
    # cut at the edges puts its letters there.
    local found
    found=$(drv pixels "$left" "$((top + 11))" "$((right - left))" "$((bottom - top - 22))" |
      awk -v fill="$fill" -v w="$((right - left))" '{
        for (c = 1; c <= NF; c++)
          if ((c == 3 || c == 5 || c == w - 4 || c == w - 2) && $c != fill) { print $c " in column " c; exit }
      }')
    [ -z "$found" ] || fail "swatch $((j + 1)): $found within its edge, where only $fill belongs"
    # And the code is there, in the middle of the swatch.
    text=$(drv pixel-stats "$((left + 6))" "$((top + 4))" "$((right - left - 12))" "$((bottom - top - 8))" | wc -l)
    [ "$text" -gt 1 ] || fail "swatch $((j + 1)) shows no code"
  done

  # A click still delivers the code.
  drv click $(((left + right) / 2)) $((y + $(at_144 10))) >/dev/null
  wait_output 5000 "#000000" drv clipboard || fail "the first swatch's click put '$E2E_LAST_OUTPUT' on the clipboard"

  # The manage window and the editor: their 96-DPI client sizes half as large again, every
  # control where it belongs.
  local manage cw ch
  manage=$(drv wait-window VandrelWindow Vandrel 5000 | cut -d' ' -f1) || fail "no manage window"
  read -r _ _ cw ch < <(drv client-rect "$manage")
  assert_eq "$(at_144 345) $(at_144 345)" "$cw $ch" "the manage window's client size at 144 DPI"
  expect_controls_apart "$manage" "the manage window"
  select_palette "$manage" start
  click_control "$manage" 55
  local editor
  editor=$(drv count-windows VandrelWindow Vandrel | awk -v m="$manage" '$1 != m && $1 ~ /^0x/ {print $1; exit}')
  [ -n "$editor" ] || fail "no editor window"
  wait_row_count "$editor" 9
  read -r _ _ cw ch < <(drv client-rect "$editor")
  assert_eq "$(at_144 150)" "$cw" "the editor's width at 144 DPI"
  expect_controls_apart "$editor" "the editor"
  local id class fx fy fw fh
  read -r id class fx fy fw fh _ < <(drv control "$editor" 129)
  assert_eq "$(at_144 58) $(at_144 18)" "$fw $fh" "the first code field's size"
  screenshot windows-144

  # The eyedropper reads the pixel under the pointer (moved through X: a SendInput move from
  # another process does not move it while the grab's hook is installed).
  click_tool "$editor" 4 32
  local sx=$((left + 4)) sy  # beside the code, in the swatch's colour
  sy=$((y + $(at_144 $((1 + 19 * 2 + 9)))))  # the middle of the third swatch, #FFFF00
  xdotool mousemove "$sx" "$((sy - $(at_144 19)))"
  wait_row_text "$editor" 9 "#FF0000"
  xdotool mousemove "$sx" "$sy" click 1
  wait_row_count "$editor" 10
  assert_eq "#FFFF00" "$(row_text "$editor" 9)" "the colour the eyedropper took at 144 DPI"
  kill_vandrel
}
