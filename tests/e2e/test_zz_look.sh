test_zz_look() {
  mkdir -p "$(settings_dir)"
  write_crlf "$(settings_dir)/Vandrel.ini" "Systray = 0"
  start_vandrel
  local hwnd x y w h
  read -r hwnd x y w h < <(drv wait-window VandrelWindow Vandrel 10000) || fail "no manage window"
  drv children "$hwnd" >&2
  screenshot manage
  drv click $((x + 3 + 30)) $((y + 25 + 15)) >&2
  sleep 0.5
  screenshot manage_selected
  drv click $((x + 3 + 327)) $((y + 25 + 327)) >&2
  sleep 1
  screenshot about
  kill_vandrel
}
