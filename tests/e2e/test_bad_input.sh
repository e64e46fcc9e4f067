# The bad-input table: what a user's folders may hold, and what may happen to them while the
# program runs. Each case prepares one hostile thing, starts Vandrel on it and checks that it keeps
# working (started within 10 s, the tray menu opening with the palettes it should list, the palette
# windows the files ask for), that the tray's "Exit" ends it with exit code 0, and what became of
# the files. A crash or an error report from Wine in the program's output fails the case.

# shellcheck source=editor_lib.sh
source "$E2E_ROOT/tests/e2e/editor_lib.sh"

ini_file() { printf '%s' "$(settings_dir)/Vandrel.ini"; }
start_pal() { printf '%s' "$(settings_dir)/start.pal"; }

# ini_value GROUP KEY [FILE]: the first value of KEY in GROUP ("" is the top group), as written.
ini_value() {
  awk -v g="$1" -v k="$2" '
    { sub(/\r$/, "") }
    /^\[/ { n = index($0, "]"); group = substr($0, 2, length($0) - 2); next }
    group == g && (i = index($0, "=")) {
      key = substr($0, 1, i - 1); gsub(/^[ \t]+|[ \t]+$/, "", key)
      if (key == k) { value = substr($0, i + 1); gsub(/^[ \t]+|[ \t]+$/, "", value); print value; exit }
    }' "${3:-$(ini_file)}"
}

expect_ini() { # GROUP KEY VALUE
  local got
  got=$(ini_value "$1" "$2")
  [ "$got" == "$3" ] || fail "the settings file holds $2 = '$got' in group [$1], not '$3'" \
    "($(file_repr "$(ini_file)"))"
}

# keep_copy PATH...: remembers the files' bytes; expect_unchanged PATH... compares them later.
keep_copy() {
  local path
  for path in "$@"; do cp -a "$path" "$E2E_TEST_DIR/kept.$(printf '%s' "$path" | md5sum | cut -c1-12)"; done
}
expect_unchanged() {
  local path
  for path in "$@"; do
    assert_file_bytes "$path" "$E2E_TEST_DIR/kept.$(printf '%s' "$path" | md5sum | cut -c1-12)" \
      "$(basename "$path") should be as it was"
  done
}

# Deterministic junk: BYTES pseudo-random bytes from SEED, NULs and line ends among them.
junk() { # SEED BYTES
  LC_ALL=C awk -v seed="$1" -v n="$2" 'BEGIN { srand(seed); for (i = 0; i < n; i++) printf "%c", int(rand() * 256) }'
}

start_on_it() {
  start_vandrel
  wait_started
}

# The tray's palette menu opens, and closes again on Escape.
expect_tray_menu() {
  open_tray_menu left
  drv menu-keys escape >/dev/null
  drv wait-gone '#32768' - 3000 >/dev/null || fail "the tray menu did not close on Escape"
}

# After the exit: the settings file holds a group for each of the COUNT palettes the run listed
# (and for no other, when the file had none of its own before).
expect_listed_palettes() { # COUNT
  assert_eq "$1" "$(grep -c '^\[' "$(ini_file)")" "palette groups in the settings file"
}

# Still running, no crash reported, then "Exit" in the tray menu gives exit code 0, and no
# half-written file is left in FOLDERS (default: the settings folder).
end_case() { # [FOLDER...]
  vandrel_running || fail "Vandrel ended by itself (exit code $(cat "$E2E_TEST_DIR/vandrel.rc"))"
  exit_from_tray
  if grep -aE 'Unhandled|page fault|err:|Assertion|terminate called' "$E2E_ARTIFACT_DIR/vandrel.log" \
    >"$E2E_TEST_DIR/crash.txt"; then
    fail "Wine reported a fault of the program: $(head -n 3 "$E2E_TEST_DIR/crash.txt")"
  fi
  local folder leftovers
  for folder in "${@:-$(settings_dir)}"; do
    [ -d "$folder" ] || continue
    leftovers=$(find "$folder" -maxdepth 1 -name '*.saving' | head -n 3)
    [ -z "$leftovers" ] || fail "a half-written file was left behind: $leftovers"
  done
}

# The start palette in the settings folder, and a settings file of LINES.
prepare() { # LINE...
  mkdir -p "$(settings_dir)"
  write_start_palette "$(start_pal)"
  [ $# -eq 0 ] || write_crlf "$(ini_file)" "$@"
}

# The single palette window's place and size: "X Y W H".
palette_rect() { palette_window 1 | cut -d' ' -f2-; }

# Every palette window lies on the 1280 x 800 screen.
expect_windows_on_screen() {
  local line hwnd x y w h
  while read -r hwnd x y w h; do
    [[ "$hwnd" == 0x* ]] || continue
    { [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 800 ]; } ||
      fail "palette window $hwnd lies at $x $y $w $h, off the 1280 x 800 screen"
  done < <(drv count-windows VandrelPalette VN)
}

# Clicks swatch J of the palette window at X Y (59 x 19 rows) and expects CODE on the clipboard.
expect_swatch_copies() { # J CODE
  local hwnd x y w h
  read -r hwnd x y w h < <(palette_window 1) || fail "no palette window to click"
  drv set-clipboard "nothing yet" >/dev/null
  drv click $((x + w / 2)) $((y + 1 + $1 * 19 + 4)) >/dev/null
  drv wait-clipboard "$2" 3000 >/dev/null || fail "a click on swatch $1 copied '$(drv clipboard)', not '$2'"
}

# Types a ninth colour into the editor (its entry row has the focus) and clicks "Save palette".
type_a_colour_and_save() { # EDITOR
  wait_focus "$1" 137 "the freshly opened editor"
  drv type "a1b2c3" >/dev/null
  wait_row_text "$1" 9 "#A1B2C3"
  click_tool "$1" 1
}

# With start.pal open: a save from the editor fails with the message, the exit writes nothing, and
# both files stay as they were.
expect_failed_save_and_exit() {
  start_on_it
  wait_palette_windows 1
  edit_from_tray 1
  local editor shown
  editor=$(wait_editor | cut -d' ' -f1)
  type_a_colour_and_save "$editor"
  shown=$(drv msgbox-wait Error 5000 | tr '\n' '|') || fail "no Error message after a failed save"
  assert_eq 'Error|The palette could not be saved to the file "start.pal".|' "$shown" "the message"
  drv msgbox-answer Error ok >/dev/null
  end_case
  expect_unchanged "$(ini_file)" "$(start_pal)"
}

# Mounts a tmpfs of SIZE at FOLDER (made empty); unmounted when the test ends.
mount_small_disk() { # FOLDER SIZE
  mkdir -p "$1"
  mount -t tmpfs -o "size=$2" tmpfs "$1" || skip_case "a tmpfs cannot be mounted here"
  E2E_MOUNTS+=("$1")
}

# Makes FOLDER read-only (a read-only bind mount: the tests run as root, whom modes do not stop).
make_read_only() { # FOLDER
  if [ "$(id -u)" -ne 0 ]; then
    chmod a-w "$1"
    return
  fi
  mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" || skip_case "a folder cannot be made read-only here"
  E2E_MOUNTS+=("$1")
}


# ---- hand-edited settings ---------------------------------------------------------------------

test_bad_settings_every_global_key_out_of_range() {
  prepare "Pound = 4294967297" "Snap = -129" "WinX = 99999999999" "WinY = -99999999999" \
    "EditX = 2147483648" "EditY = -2147483649" "Systray_Color_Menu = 1000" "Systray = 65537" \
    "Palette_Directory = $(printf 'C:\\%0300d' 7)" "maxfiles = -1"
  keep_copy "$(start_pal)"
  start_on_it
  # The stored folder cannot be used: the palettes come from the settings folder.
  expect_tray_menu
  end_case
  expect_listed_palettes 1
  # Each number is held at its field's nearest end; the unusable folder is kept for the next run.
  expect_ini "" Pound 127
  expect_ini "" Snap -128
  expect_ini "" WinX 2147483647
  expect_ini "" WinY -2147483648
  expect_ini "" EditX 2147483647
  expect_ini "" EditY -2147483648
  expect_ini "" Systray_Color_Menu 127
  expect_ini "" Systray 127
  expect_ini "" Palette_Directory "$(printf 'C:\\%0300d' 7)"
  expect_unchanged "$(start_pal)"
}

test_bad_settings_every_palette_key_out_of_range() {
  prepare "[start.pal]" "WinID = 1" "X = 99999999999" "Y = -99999999999" "Drag = 300" "Sticky = -300" \
    "Style = 1000" "Outline = -1000" "Output = 77" "SwatchWidth = 70000" "SwatchHeight = -70000" \
    "SwatchFont = 99" "Locked = 0"
  start_on_it
  wait_palette_windows 1
  # The place is held within reach of the window's arithmetic; the widest swatch a file may ask
  # for is 1000; a height that is no height gives the usual 18.
  assert_eq "1000000 -1000000 1002 153" "$(palette_rect)" "place and size of the palette window"
  end_case
  expect_ini start.pal X 1000000
  expect_ini start.pal Y -1000000
  expect_ini start.pal SwatchWidth 32767
  expect_ini start.pal SwatchHeight -32768
  expect_ini start.pal SwatchFont 99
  expect_ini start.pal WinID 1
}

test_bad_settings_values_that_are_not_numbers() {
  prepare "Pound = yes" "Snap = " "WinX = 1e9" "[start.pal]" "WinID = 1abc" "X = 0x200" "Y = --5" \
    "SwatchWidth = 40px" "SwatchHeight = twenty" "SwatchFont = -" "Output = 77" "Style = 0.5"
  start_on_it
  wait_palette_windows 1
  expect_windows_on_screen
  # An output that is neither clipboard nor typing copies.
  expect_swatch_copies 2 "FFFF00"
  end_case
  expect_ini start.pal WinID 1
  expect_ini start.pal SwatchWidth 40
}

test_bad_settings_binary_file() {
  prepare
  junk 11 8192 >"$(ini_file)"
  cp "$(ini_file)" "$E2E_ARTIFACT_DIR/binary.ini"
  keep_copy "$(start_pal)"
  start_on_it
  expect_tray_menu
  end_case
  expect_listed_palettes 1
  expect_unchanged "$(start_pal)"
  # The options were written where they belong, readable by the next run.
  expect_ini "" Systray 1
  expect_ini start.pal WinID -1
  start_on_it
  expect_tray_menu
  end_case
  expect_listed_palettes 1
}

test_bad_settings_file_of_two_megabytes() {
  prepare
  {
    awk 'BEGIN { printf "Snap = 0\r\n"; for (i = 0; i < 40000; i++) printf "[gone%05d.pal]\r\nX = %d\r\n", i, i
                 printf "[start.pal]\r\nWinID = 2\r\nX = 400\r\nY = 300\r\nLong = " }'
    head -c 1400000 /dev/zero | tr '\0' v
    printf '\r\n'
  } >"$(ini_file)"
  local size
  size=$(stat -c %s "$(ini_file)")
  [ "$size" -ge 2000000 ] || fail "the settings file is only $size bytes"
  start_on_it
  wait_palette_windows 1
  assert_eq "400 300" "$(palette_rect | cut -d' ' -f1,2)" "place of the reopened palette window"
  end_case
  # Nothing of the file is lost: the groups of other folders' palettes and the long line stay.
  expect_ini "" Snap 0
  expect_ini gone39999.pal X 39999
  [ "$(ini_value start.pal Long | wc -c)" -eq 1400001 ] || fail "the long line did not survive"
}

test_bad_settings_duplicate_groups_and_keys() {
  prepare "Snap = 0" "Snap = 1" "[start.pal]" "WinID = 1" "X = 300" "X = 500" "Y = 100" \
    "[start.pal]" "X = 700" "Y = 600" "WinID = 2" "[]" "Snap = 1"
  start_on_it
  wait_palette_windows 1
  # The first group and the first key count, as the system's own reader has it.
  assert_eq "300 100" "$(palette_rect | cut -d' ' -f1,2)" "place of the palette window"
  end_case
  expect_ini "" Snap 0
  expect_ini start.pal X 300
  start_on_it
  wait_palette_windows 1
  assert_eq "300 100" "$(palette_rect | cut -d' ' -f1,2)" "place after a second run"
  end_case
}

test_bad_settings_broken_group_headers() {
  prepare "[start.pal" "WinID = 1" "start.pal]" "WinID = 1" "[[start.pal]]" "WinID = 1" \
    "[ start.pal ]" "WinID = 1" "=" "== 1" "no sign at all" "[start.pal] ; a comment" "WinID = 2" \
    "X = 250" "Y = 250" "[" "]" "[x" "Y = 9"
  start_on_it
  wait_palette_windows 1
  end_case
  start_on_it
  wait_palette_windows 1
  end_case
}

test_bad_settings_saved_as_utf16_by_notepad() {
  prepare
  printf '\xff\xfe' >"$(ini_file)"
  printf '[start.pal]\r\nWinID = 1\r\nX = 200\r\nY = 200\r\n' | iconv -f ASCII -t UTF-16LE >>"$(ini_file)"
  start_on_it
  expect_tray_menu
  end_case
  expect_listed_palettes 1
  start_on_it
  expect_tray_menu
  end_case
  expect_listed_palettes 1
}

test_bad_settings_with_utf8_mark_still_reads() {
  prepare
  printf '\xef\xbb\xbf[start.pal]\r\nWinID = 1\r\nX = 333\r\nY = 222\r\n' >"$(ini_file)"
  start_on_it
  wait_palette_windows 1
  assert_eq "333 222" "$(palette_rect | cut -d' ' -f1,2)" "place of the palette window"
  end_case
  assert_eq "efbbbf" "$(head -c 3 "$(ini_file)" | od -An -tx1 | tr -d ' \n')" "the mark at the file's start"
  expect_ini start.pal X 333
}

test_bad_settings_file_is_a_folder() {
  prepare
  mkdir -p "$(ini_file)/inside"
  start_on_it
  expect_tray_menu
  end_case
  [ -d "$(ini_file)/inside" ] || fail "the folder named Vandrel.ini lost its content"
}

test_bad_settings_many_palettes_claim_the_two_slots() {
  prepare "[start.pal]" "WinID = 1" "[b.pal]" "WinID = 1" "[c.pal]" "WinID = 1" "[d.pal]" "WinID = 2"
  local name
  for name in b c d; do printf '#%s\r\n' 112233 445566 >"$(settings_dir)/$name.pal"; done
  start_on_it
  wait_palette_windows 2
  end_case
  # What did not fit is recorded as closed: the next run opens the same two.
  local open=0
  for name in start b c d; do
    [ "$(ini_value "$name.pal" WinID)" == -1 ] || open=$((open + 1))
  done
  assert_eq 2 "$open" "palettes recorded as open"
  start_on_it
  wait_palette_windows 2
  end_case
}

# ---- odd palette files -------------------------------------------------------------------------

test_bad_palette_binary_file() {
  prepare "[junk.pal]" "WinID = 1" "X = 600" "Y = 100"
  junk 5 3000 >"$(settings_dir)/junk.pal"
  keep_copy "$(settings_dir)/junk.pal" "$(start_pal)"
  start_on_it
  expect_tray_menu
  end_case
  expect_listed_palettes 2
  expect_unchanged "$(settings_dir)/junk.pal" "$(start_pal)"
}

test_bad_palette_huge_file() {
  prepare "[huge.pal]" "WinID = 1" "X = 600" "Y = 100"
  awk 'BEGIN { for (i = 0; i < 2500000; i++) printf "#%06X\r\n", (i * 7) % 16777216 }' >"$(settings_dir)/huge.pal"
  local sum
  sum=$(md5sum <"$(settings_dir)/huge.pal")
  start_on_it
  wait_palette_windows 1
  # Twelve colours at most.
  assert_eq "61 229" "$(palette_rect | cut -d' ' -f3,4)" "size of the palette window"
  expect_swatch_copies 11 "#00004D"
  end_case
  assert_eq "$sum" "$(md5sum <"$(settings_dir)/huge.pal")" "the checksum of huge.pal"
}

test_bad_palette_empty_files_and_odd_line_ends() {
  prepare "[lf.pal]" "WinID = 1" "X = 600" "Y = 100" "[empty.pal]" "WinID = 2" "X = 800" "Y = 100"
  local d
  d=$(settings_dir)
  : >"$d/empty.pal"
  printf '#ABCDEF\n#123456\n' >"$d/lf.pal"
  printf '#ABCDEF\r#123456\r' >"$d/cr.pal"
  printf '#ABCDEF\0#123456\0\0' >"$d/nul.pal"
  printf '%0100000d\r\n#123456' 0 >"$d/long.pal"
  printf 'abcdef\r\nzzzzzz\r\n#12\r\n' >"$d/nohash.pal"
  printf '\r\n\r\n\r\n' >"$d/blank.pal"
  mkdir "$d/folder.pal"
  printf '#ABCDEF\r\n' >"$d/other.palette"
  keep_copy "$d/empty.pal" "$d/lf.pal" "$d/nul.pal" "$d/long.pal"
  start_on_it
  wait_palette_windows 2
  expect_tray_menu
  local hwnd x y w h
  read -r hwnd x y w h < <(drv count-windows VandrelPalette VN | awk '$2 == 600')
  [ -n "$hwnd" ] || fail "the palette window of lf.pal is not at 600"
  drv click $((x + 30)) $((y + 1 + 19 + 4)) >/dev/null
  drv wait-clipboard "#123456" 3000 >/dev/null || fail "lf.pal's second swatch copied '$(drv clipboard)'"
  end_case
  expect_listed_palettes 8
  expect_unchanged "$d/empty.pal" "$d/lf.pal" "$d/nul.pal" "$d/long.pal"
}

test_bad_palette_a_thousand_files() {
  prepare
  local d i
  d=$(settings_dir)
  for ((i = 0; i < 1000; i++)); do printf '#%06X\r\n' $((i * 4111)) $((i * 13)) >"$d/p$(printf '%04d' "$i").pal"; done
  start_on_it
  # The list holds 800 palettes; the rest stay on disk untouched.
  expect_tray_menu
  end_case
  expect_listed_palettes 800
  assert_eq 1001 "$(find "$d" -name '*.pal' | wc -l)" "palette files in the folder"
}

test_bad_palette_odd_names() {
  local d name
  d=$(settings_dir)
  prepare "[x]y.pal]" "WinID = 1" "X = 500" "Y = 100" "[R&D.pal]" "WinID = 2" "X = 700" "Y = 100"
  for name in 'my palette' 'a.b.c' 'R&D' 'x]y' '[z]' 'Grün' 'semi;colon' 'eq=ual' ' lead' '.hidden' \
    'UPPER'; do
    printf '#%s\r\n' 102030 405060 >"$d/$name.pal"
  done
  mv "$d/UPPER.pal" "$d/UPPER.PAL"
  start_on_it
  wait_palette_windows 2
  expect_tray_menu
  end_case
  expect_listed_palettes 12
  # The odd names are written and read back: the same two windows open again, at their places.
  start_on_it
  wait_palette_windows 2
  [ -n "$(drv count-windows VandrelPalette VN | awk '$2 == 500 && $3 == 100')" ] ||
    fail "the palette window of x]y.pal did not reopen at 500 100"
  [ -n "$(drv count-windows VandrelPalette VN | awk '$2 == 700 && $3 == 100')" ] ||
    fail "the palette window of R&D.pal did not reopen at 700 100"
  end_case
  expect_ini 'x]y.pal' X 500
}

# ---- folders that cannot be used -----------------------------------------------------------------

test_bad_palette_folder_is_a_file() {
  local windows
  windows="$(profile_dir_windows)\\notes.txt"
  printf 'not a folder\r\n' >"$(profile_dir)/notes.txt"
  prepare "Palette_Directory = $windows"
  keep_copy "$(profile_dir)/notes.txt"
  start_on_it
  expect_tray_menu
  end_case
  expect_listed_palettes 1
  expect_unchanged "$(profile_dir)/notes.txt"
  expect_ini "" Palette_Directory "$windows"
}

test_bad_palette_folder_missing_two_levels_deep() {
  local windows
  windows="$(profile_dir_windows)\\gone\\palettes"
  prepare "Palette_Directory = $windows"
  start_on_it
  expect_tray_menu
  end_case
  expect_listed_palettes 1
  [ ! -e "$(profile_dir)/gone" ] || fail "the missing folder was made"
  expect_ini "" Palette_Directory "$windows"
}

test_bad_palette_folder_on_a_missing_drive() {
  prepare "Palette_Directory = Q:\\palettes"
  start_on_it
  expect_tray_menu
  end_case
  expect_listed_palettes 1
  expect_ini "" Palette_Directory 'Q:\palettes'
}

test_bad_palette_folder_read_only_and_empty() {
  local folder="$(profile_dir)/Locked"
  mkdir -p "$folder"
  prepare "Palette_Directory = $(profile_dir_windows)\\Locked"
  make_read_only "$folder"
  start_on_it
  # No start palette could be made there: nothing to list, and nothing half-made.
  expect_tray_menu
  end_case "$folder"
  expect_listed_palettes 0
  assert_eq "" "$(ls -A "$folder")" "the read-only folder's content"
}

test_bad_settings_folder_read_only() {
  prepare "[start.pal]" "WinID = 1" "X = 400" "Y = 100"
  keep_copy "$(ini_file)" "$(start_pal)"
  make_read_only "$(settings_dir)"
  expect_failed_save_and_exit
}

test_bad_settings_folder_cannot_be_made() {
  printf 'a file where the folder belongs\r\n' >"$(settings_dir)"
  keep_copy "$(settings_dir)"
  start_vandrel
  local shown
  shown=$(drv msgbox-wait Error 10000 | tr '\n' '|') || fail "no Error message about the folder"
  assert_eq "Error|Could not create the folder $(profile_dir_windows)\\Vandrel|" "$shown" "the message"
  drv msgbox-answer Error ok >/dev/null
  wait_started
  expect_tray_menu
  end_case "$(profile_dir)"
  expect_unchanged "$(settings_dir)"
}

test_bad_full_disk() {
  mount_small_disk "$(settings_dir)" 64k
  prepare "[start.pal]" "WinID = 1" "X = 400" "Y = 100"
  # Fill what is left.
  dd if=/dev/zero of="$(settings_dir)/filler" bs=4k 2>/dev/null
  keep_copy "$(ini_file)" "$(start_pal)"
  expect_failed_save_and_exit
}

# ---- things done to the files while the program runs ----------------------------------------------

test_bad_palette_file_deleted_while_its_window_is_open() {
  prepare "[start.pal]" "WinID = 1" "X = 400" "Y = 100"
  start_on_it
  wait_palette_windows 1
  rm "$(start_pal)"
  # The window still gives its colours; the editor opens on what the file now is: nothing.
  expect_swatch_copies 3 "#00FF00"
  edit_from_tray 1
  local editor
  editor=$(wait_editor | cut -d' ' -f1)
  wait_row_count "$editor" 1
  press_close_box "$editor"
  drv wait-gone VandrelWindow Vandrel 5000 >/dev/null || fail "the editor did not close"
  end_case
  expect_ini start.pal X 400
}

test_bad_settings_folder_removed_while_running() {
  prepare "[start.pal]" "WinID = 1" "X = 400" "Y = 100"
  start_on_it
  wait_palette_windows 1
  rm -rf "$(settings_dir)"
  expect_swatch_copies 0 "#000000"
  expect_tray_menu
  end_case
  [ ! -e "$(settings_dir)" ] || [ -z "$(find "$(settings_dir)" -name '*.saving')" ] ||
    fail "a half-written file was left in the new settings folder"
}

# ---- kill -9 in the middle of saves and exits ----------------------------------------------------
# Every write goes to a temporary file that replaces the old one whole: after a kill at any moment
# each file is its old or its new version, never a mixture or a fragment.

# The eight start colours, each once, on complete CR LF lines: some order the editor saved.
expect_whole_start_palette() { # ROUND
  [ "$(stat -c %s "$(start_pal)")" -eq 72 ] || fail "round $1: start.pal is not 8 whole lines: $(file_repr "$(start_pal)")"
  assert_eq "#000000 #0000FF #00FF00 #00FFFF #FF0000 #FF00FF #FFFF00 #FFFFFF" \
    "$(tr -d '\r' <"$(start_pal)" | sort | tr '\n' ' ' | sed 's/ $//')" "round $1: the colours of start.pal"
  [ "$(tail -c 2 "$(start_pal)" | od -An -tx1 | tr -d ' \n')" == 0d0a ] ||
    fail "round $1: start.pal does not end with a whole line"
}

# Kills the program after DELAY seconds, in the background.
kill_after() { # DELAY
  local pid=$E2E_VANDREL_PID
  (sleep "$1" && kill -KILL "$pid" 2>/dev/null) &
}

wait_killed() { # ROUND
  wait_vandrel_exit 5000 >/dev/null || fail "round $1: the program still runs after kill -9"
  E2E_VANDREL_PID=
  wineserver -w 2>/dev/null
}

# "Move up" of a random row, then "Save palette", as their clicks send them.
swap_and_save() { # EDITOR
  drv post "$1" 0x111 $((512 + RANDOM % 7 + 2)) 0 >/dev/null 2>&1 &&
    drv post "$1" 0x111 40 0 >/dev/null 2>&1
}

test_bad_kill_during_saves_leaves_whole_palette_files() {
  prepare "[start.pal]" "WinID = 1" "X = 400" "Y = 100"
  keep_copy "$(ini_file)"
  # A fixed number of runs, so that the test takes about the same time on every machine (a count
  # of saves to reach made the number of runs, and the time, depend on where the kills fell).
  local round saves=0 editor
  for ((round = 1; round <= 10; round++)); do
    start_on_it
    edit_from_tray 1
    editor=$(wait_editor | cut -d' ' -f1)
    wait_row_count "$editor" 9
    # Swap two colours and save, again and again, until the kill comes; it is set off once the
    # first save is on its way, so that every run ends among saves.
    swap_and_save "$editor" && saves=$((saves + 1))
    kill_after "$((RANDOM % 2)).$((RANDOM % 10))"
    while vandrel_running && swap_and_save "$editor"; do saves=$((saves + 1)); done
    wait_killed "$round"
    expect_whole_start_palette "$round"
    expect_unchanged "$(ini_file)"
  done
  e2e_log "$saves saves in 10 runs, each run ended by kill -9"
  # The program starts on what the kills left and ends normally.
  start_on_it
  wait_palette_windows 1
  end_case
}

# The settings file: the old bytes, or the whole file the exit writes with the round's place.
expect_whole_settings() { # ROUND OLD-COPY X
  cmp -s "$(ini_file)" "$2" && return 0
  assert_eq "maxfiles = 799" "$(head -n 1 "$(ini_file)" | tr -d '\r')" "round $1: the first line of the settings file"
  assert_eq "$3" "$(ini_value start.pal X)" "round $1: X of start.pal in the settings file"
  assert_eq "Locked = 0" "$(tail -n 1 "$(ini_file)" | tr -d '\r')" "round $1: the last line of the settings file"
  [ "$(tail -c 2 "$(ini_file)" | od -An -tx1 | tr -d ' \n')" == 0d0a ] ||
    fail "round $1: the settings file does not end with a whole line"
  assert_eq 0 "$(tr -d '\r' <"$(ini_file)" | grep -cvE '^(\[.*\]|[A-Za-z_]+ = .*|)$')" \
    "round $1: lines of the settings file that are neither groups nor keys"
}

# ROUNDS starts, each ended by kill -9 at a random moment of the tray's "Exit", with the palette
# windows of NAMES open (slots in order) at a new place each round.
kill_during_exits() { # ROUNDS NAME...
  local rounds=$1 round x slot name lines kept=0
  shift
  for name in "$@"; do [ -e "$(settings_dir)/$name" ] || printf '#%s\r\n' 123456 654321 >"$(settings_dir)/$name"; done
  keep_copy "$(settings_dir)"/*.pal
  for ((round = 1; round <= rounds; round++)); do
    x=$((300 + RANDOM % 600))
    lines=() slot=0
    for name in "$@"; do
      slot=$((slot + 1))
      lines+=("[$name]" "WinID = $slot" "X = $((x - 100 * slot + 100))" "Y = 100")
    done
    write_crlf "$(ini_file)" "${lines[@]}"
    cp "$(ini_file)" "$E2E_TEST_DIR/old.ini"
    start_on_it
    wait_palette_windows $#
    open_tray_menu right
    kill_after "0.$((RANDOM % 10))$((RANDOM % 10))"
    drv menu-keys up enter >/dev/null
    wait_killed "$round"
    expect_whole_settings "$round" "$E2E_TEST_DIR/old.ini" "$x"
    cmp -s "$(ini_file)" "$E2E_TEST_DIR/old.ini" && kept=$((kept + 1))
    expect_unchanged "$(settings_dir)"/*.pal
  done
  e2e_log "$rounds exits killed: $kept left the old settings file, $((rounds - kept)) the new one"
  start_on_it
  wait_palette_windows $#
  end_case
}

test_bad_kill_during_exits_with_one_palette_open() {
  prepare
  kill_during_exits 10 start.pal
}

test_bad_kill_during_exits_with_both_palettes_open() {
  prepare
  kill_during_exits 10 start.pal second.pal
}
