# The palette editor: opened from the tray menu, typed into with the real keyboard, saved, closed
# with and without unsaved changes; a blank palette started, named, filled and saved.

# Chooses "Edit" in the first palette's sub-menu of the tray menu (its last item).
edit_first_from_tray() {
  drv tray-click left >/dev/null || fail "the tray icon did not answer"
  drv menu-wait >/dev/null || fail "no tray menu appeared after a click on the tray icon"
  drv menu-keys down right up enter >/dev/null
}

# "HWND X Y W H" of the editor window.
wait_editor() {
  drv wait-window VandrelWindow Vandrel "${1:-5000}" || fail "no editor window appeared"
}

test_editor_look() {
  start_vandrel
  wait_started
  edit_first_from_tray
  local hwnd x y w h
  read -r hwnd x y w h < <(wait_editor)
  drv children "$hwnd" >&2
  drv client-rect "$hwnd" >&2
  screenshot editor_start
  exit_from_tray
}
