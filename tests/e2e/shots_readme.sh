# The README's pictures, made by scripts/screenshots as the tests run (one function a picture):
# each starts Vandrel in a fresh profile, shows what the picture is of and crops the desktop
# to it, into $E2E_SHOTS (docs/ of the checkout).
# shellcheck source-path=SCRIPTDIR source=editor_lib.sh
source "$E2E_ROOT/tests/e2e/editor_lib.sh"

# The desktop cropped to X Y W H, as docs/NAME.png.
shot() { # NAME X Y W H
  local full="$E2E_TEST_DIR/full.png"
  import -display "$E2E_DISPLAY" -window root "$full" || fail "no screenshot"
  convert "$full" -crop "${4}x${5}+${2}+${3}" +repage "${E2E_SHOTS:?}/$1.png" || fail "could not crop $1"
  e2e_log "wrote $E2E_SHOTS/$1.png"
}

# Two palettes, a style sheet in Notepad beneath them.
shots_profile() {
  mkdir -p "$(settings_dir)"
  printf '%s\r\n' '#264653' '#2A9D8F' '#8AB17D' '#E9C46A' '#F4A261' '#E76F51' >"$(settings_dir)/Coast.pal"
  printf '%s\r\n' '#0B132B' '#1C2541' '#3A506B' '#5BC0BE' '#6FFFE9' '#F7F7FF' '#FF6B6B' '#FFD93D' \
    >"$(settings_dir)/Night.pal"
  write_crlf "$(settings_dir)/Vandrel.ini" \
    "[Coast.pal]" "WinID = 1" "X = 470" "Y = 130" "Format = rgb({red}, {green}, {blue})" \
    "[Night.pal]" "WinID = 2" "X = 545" "Y = 130" "Style = 0"
  mkdir -p "$WINEPREFIX/drive_c/site"
  printf '%s\r\n' ':root {' '  --ink: #0B132B;' '  --sea: #2A9D8F;' '  --sand: #E9C46A;' '}' '' \
    'header {' '  background: var(--ink);' '  color: #F7F7FF;' '}' '' '.button {' \
    '  background: rgb(231, 111, 81);' '  border-radius: 6px;' '}' >"$WINEPREFIX/drive_c/site/style.css"
  local key='HKCU\Software\Microsoft\Notepad'
  wine reg add "$key" /v iWindowPosX /t REG_DWORD /d 40 /f >/dev/null 2>&1
  wine reg add "$key" /v iWindowPosY /t REG_DWORD /d 80 /f >/dev/null 2>&1
  wine reg add "$key" /v iWindowPosDX /t REG_DWORD /d 600 /f >/dev/null 2>&1
  wine reg add "$key" /v iWindowPosDY /t REG_DWORD /d 400 /f >/dev/null 2>&1
  wine notepad 'C:\site\style.css' >/dev/null 2>&1 &
  drv wait-window - "style.css - Notepad" 15000 >/dev/null || fail "Notepad did not open"
  start_vandrel
  wait_palette_windows 2
}

test_shot_palettes() {
  shots_profile
  drv move 900 700 >/dev/null
  shot palettes 30 70 620 420
  exit_from_tray
}

test_shot_format_menu() {
  shots_profile
  local x y
  read -r _ x y _ < <(palette_window 1)
  drv click $((x + 30)) $((y + 10)) right >/dev/null
  drv menu-wait 3000 >/dev/null || fail "no popup menu"
  drv menu-keys down down down right >/dev/null
  local sub sx sy sw sh
  sub=$(drv menu-wait 3000) || fail "no Format sub-menu"
  read -r _ sx sy sw sh _ <<<"$sub"
  sleep 0.3 # the sub-menu drawn whole
  shot format-menu $((x - 10)) $((y - 10)) $((sx + sw - x + 20)) $((sy + sh - y + 20))
  drv menu-keys escape escape >/dev/null
  exit_from_tray
}

test_shot_editor() {
  shots_profile
  edit_from_tray 1
  local hwnd x y w h
  read -r hwnd x y w h < <(wait_editor)
  wait_row_count "$hwnd" 7
  sleep 0.3 # drawn whole
  shot editor "$x" "$y" "$w" "$h"
  exit_from_tray
}

test_shot_manage() {
  shots_profile
  menu_command 30
  local hwnd x y w h
  read -r hwnd x y w h < <(manage_window)
  select_palette "$hwnd" Coast
  sleep 0.3 # drawn whole
  shot manage "$x" "$y" "$w" "$h"
  exit_from_tray
}

test_shot_loupe() {
  start_vandrel
  wait_started
  start_receiver --pos 200 150 600 440 --stripes
  local rhwnd cx cy
  read -r rhwnd _ < <(drv wait-window VandrelE2EReceiver Receiver 5000) || fail "no receiver window"
  read -r cx cy _ < <(drv client-rect "$rhwnd")
  xdotool mousemove $((cx + 100)) $((cy + 20)) click 1
  # At an edge between two stripes, so that the loupe shows both.
  xdotool mousemove $((cx + 139)) $((cy + 140))
  xdotool keydown super keydown alt keydown c
  local lhwnd lx ly lw lh
  read -r lhwnd lx ly lw lh < <(drv wait-window - "Vandrel Loupe" 5000)
  xdotool keyup c keyup alt keyup super
  [ -n "${lhwnd:-}" ] || fail "no loupe"
  wait_output 3000 "$((cx + 159)) $((cy + 160))" window_place "$lhwnd" || fail "the loupe is not beside the pointer"
  shot loupe $((cx + 60)) $((cy + 90)) $((lw + 140)) $((lh + 110))
  xdotool key Escape
  drv wait-gone - "Vandrel Loupe" 3000 >/dev/null || fail "the loupe stayed after Escape"
  exit_from_tray
}
