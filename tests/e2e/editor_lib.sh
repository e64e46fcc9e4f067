# What the editor's and the manage window's end-to-end tests share: opening palettes from the tray
# menu, reading the editor's rows and focus, clicking its buttons, the manage list,
# the folder chooser. Sourced by the test files that drive those windows.

START_BYTES="#000000 #FF0000 #FFFF00 #00FF00 #00FFFF #0000FF #FF00FF #FFFFFF"

# The bytes of a palette file holding CODES (CR LF after each).
palette_bytes() {
  local out="$E2E_TEST_DIR/expected.$RANDOM" code
  : >"$out"
  for code in "$@"; do printf '%s\r\n' "$code" >>"$out"; done
  printf '%s' "$out"
}

# Opens the tray menu and chooses, in the sub-menu of palette N (from 1), the item reached
# with KEYS from its first colour ("up" wraps to "Edit", "up up" is "Open").
tray_palette_item() { # N KEYS...
  local n=$1 keys=() i
  shift
  open_tray_menu left
  for ((i = 0; i < n; i++)); do keys+=(down); done
  drv menu-keys "${keys[@]}" right "$@" enter >/dev/null
}

edit_from_tray() { tray_palette_item "${1:-1}" up; }
open_from_tray() { tray_palette_item "${1:-1}" up up; }

# "HWND X Y W H" of the editor window once it is on screen.
wait_editor() {
  drv wait-window VandrelWindow Vandrel "${1:-5000}" || fail "no editor window appeared"
}

# The text of editor control ID as it stands now (WM_GETTEXT: what was typed since, too).
control_text() { # HWND ID
  local control
  control=$(drv control "$1" "$2" | cut -d' ' -f9) || return 1
  drv text "$control"
}

# Text of the code field of row N.
row_text() { control_text "$1" $((128 + $2)); }

wait_row_text() { # HWND ROW TEXT
  wait_output 5000 "$3" row_text "$1" "$2" ||
    fail "editor row $2 shows '$E2E_LAST_OUTPUT' instead of '$3'"
}

# How many code fields (rows) the editor has.
row_count() { drv children "$1" | awk '$2 == "Edit"' | wc -l; }

wait_row_count() { # HWND COUNT
  wait_output 5000 "$2" row_count "$1" || fail "the editor shows $E2E_LAST_OUTPUT rows instead of $2"
}

# The control number of the editor's focused control, or "none".
focused_id() { # HWND
  local focus
  focus=$(drv thread-info "$1" | sed -n 's/.* focus \([^ ]*\) .*/\1/p')
  drv children "$1" | awk -v f="$focus" '$9 == f { print $1; found = 1 } END { if (!found) print "none" }'
}

wait_focus() { # HWND ID WHAT
  wait_output 5000 "$2" focused_id "$1" || fail "$3: the focus is on control $E2E_LAST_OUTPUT, not $2"
}

# Clicks the middle of editor control ID.
click_control() { # HWND ID
  local id class x y w h
  read -r id class x y w h _ < <(drv control "$1" "$2") || fail "the editor has no control $2"
  drv click $((x + w / 2)) $((y + h / 2)) >/dev/null
}

# Clicks toolbar button N (from 1; the separator counts) of the editor.
click_tool() { # HWND N [BUTTON-WIDTH]
  local id class x y w h b=${3:-23}
  read -r id class x y w h _ < <(drv control "$1" 20) || fail "the editor has no toolbar"
  # Flat buttons of 23 pixels at 96 DPI (32 at 144), the separator 8: the first two, then the tools.
  local offset=$(( $2 <= 2 ? ($2 - 1) * b : 2 * b + 8 + ($2 - 4) * b ))
  drv click $((x + offset + b / 2)) $((y + h / 2)) >/dev/null
}

# What the close box sends.
press_close_box() { drv post "$1" 0x112 0xF060 0 >/dev/null; }

expect_save_question() {
  local shown
  shown=$(drv msgbox-wait Save 5000 | tr '\n' '|') || fail "no \"Save\" question appeared"
  assert_eq "Save|Save your changes?|" "$shown" "the question"
  assert_eq "yes no" "$(drv msgbox-buttons Save)" "the question's buttons"
}


# Raises the menu event of ITEM at Vandrel's tray owner, as a menu without a window yet would
# (the new-palette menu: "Blank" 20, "From clipboard" 21).
menu_command() { # ITEM
  local owner
  owner=$(drv wait-exists VandrelTrayOwner Vandrel 5000 | cut -d' ' -f1) || fail "Vandrel's tray owner is gone"
  drv post "$owner" 0x111 $((0x10000 + $1)) 0 >/dev/null
}

# Names the new palette in the "Palette Name" box.
answer_palette_name() { # NAME
  drv dialog-wait "Palette Name" 5000 >/dev/null || fail "no \"Palette Name\" box appeared"
  drv dialog-set "Palette Name" 100 "$1" >/dev/null
  drv dialog-click "Palette Name" 1 >/dev/null
}

manage_window() { drv wait-window VandrelWindow Vandrel 5000 || fail "the manage window is gone"; }

# Selects a palette in the list by typing its first letters, as the list view allows.
select_palette() { # HWND NAME
  local id class lx ly lw lh
  read -r id class lx ly lw lh _ < <(drv control "$1" 50)
  drv click $((lx + lw / 2)) $((ly + lh - 10)) >/dev/null  # empty space below the rows
  drv type "$2" >/dev/null
  wait_until 3000 bash -c "drv control $1 54 | awk '{exit !(\$7 == 1)}'" ||
    fail "selecting $2 did not enable the palette's controls"
}

# In the folder chooser: selects the Desktop folder NAME (the Desktop's folders are at the top of
# its tree; the tree selects by typed letters); choose_desktop_folder also says OK.
pick_desktop_folder() { # NAME
  local dialog
  dialog=$(drv dialog-wait "Browse for Folder" 5000 | cut -d' ' -f1) || fail "no folder chooser appeared"
  local id class tx ty tw th
  read -r id class tx ty tw th _ < <(drv control "$dialog" 14145) || fail "the folder chooser has no tree"
  drv click $((tx + tw / 2)) $((ty + 10)) >/dev/null  # into the tree
  drv key home >/dev/null
  drv type "$1" >/dev/null
}

choose_desktop_folder() { # NAME
  pick_desktop_folder "$1"
  drv dialog-click "Browse for Folder" 1 >/dev/null
}
