# Palette windows at 150 % display scale (LogPixels 144 in the prefix; Wine gives one DPI to all
# monitors): half as large again as at 96 DPI, every code whole inside its swatch, clicks deliver.

# The colours of start.pal, without "#", row by row.
START_COLOURS=(000000 FF0000 FFFF00 00FF00 00FFFF 0000FF FF00FF FFFFFF)

# SIZE x 1.5, rounded halves up, as every size is scaled at 144 DPI.
at_144() { echo $(((${1} * 3 + 1) / 2)); }

test_at_144_dpi_palette_windows_grow_by_half_and_show_every_code_whole() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 ||
    fail "could not set the display scale"
  mkdir -p "$(settings_dir)"
  write_start_palette "$(settings_dir)/start.pal"
  write_crlf "$(settings_dir)/Vandrel.ini" "[start.pal]" "WinID = 1" "X = 300" "Y = 100"
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
    # Three columns inside each edge, over the middle rows where the code stands: only the
    # swatch's colour. A code cut at the edges puts its letters there.
    local found
    found=$(drv pixels "$left" "$((top + 9))" "$((right - left))" "$((bottom - top - 19))" |
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
  kill_vandrel
}
