#!/usr/bin/env bash
# Start-up, memory and click timing of Vandrel.exe under Wine with a full folder:
#     bench/startup.sh [RUNS=10]
#
# The folder holds 800 palettes of 12 colours and a settings file with 800 palette groups, two
# of them open in palette windows. In turns, RUNS times each, vdriver (inside Wine, so starting
# a probe costs nothing) starts Vandrel.exe and waits until both palette windows show, and
# starts build/win64/blank_window.exe and waits until its window shows; it prints both medians
# and their ratio. Then, with Vandrel running: its private memory from /proc (Private_Clean +
# Private_Dirty of smaps_rollup), once started, after the tray menu was opened, with the manage
# window open, and after 10 and 20 rebuilds of the menus ("Use #'s" ticked and cleared in the
# manage window, which reopens the palette windows too) and once the manage window is closed
# again; with the editor open on the first palette and after 10 and 20 saves in it (each
# rebuilds the list, the menus and that palette's window), each once it has settled, beside the
# blank window's; the time from a swatch's button release to the clipboard, median of 20
# clicks; and the time a palette folder switch to another folder of as many palettes takes.
# Needs what scripts/test needs (Wine, Xvfb) and a build: scripts/build win64.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
# PALETTES (default 800): a smaller folder, to see what the palettes themselves cost.
palettes=${PALETTES:-800}
E2E_ROOT=$root
# shellcheck source=../tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh"
# shellcheck source=../tests/e2e/editor_lib.sh
source "$root/tests/e2e/editor_lib.sh"

VANDREL_EXE="$root/build/win64/Vandrel.exe"
VDRIVER_EXE="$root/build/win64/vdriver.exe"
blank_exe="$root/build/win64/blank_window.exe"
for exe in "$VANDREL_EXE" "$VDRIVER_EXE" "$blank_exe"; do
  [ -f "$exe" ] || { echo "startup: $exe is missing (scripts/build win64)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/vandrel-startup.XXXXXX")
E2E_TEST_DIR="$work/test"
E2E_ARTIFACT_DIR="$work/artifacts"
export WINEPREFIX="$work/prefix" HOME="$work/home"
mkdir -p "$E2E_TEST_DIR" "$E2E_ARTIFACT_DIR" "$HOME"
xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
say() { echo "startup: $*" >&2; }
fail() { say "FAIL: $*"; exit 1; }

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
wait_until 10000 test -s "$work/display" || fail "Xvfb did not start"
E2E_DISPLAY=":$(tr -d '\n' <"$work/display")"
e2e_wine_env
{ wineboot -i && wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f; } \
  >"$work/prefix.log" 2>&1 || fail "could not make the Wine prefix"
for user_dir in "$WINEPREFIX/drive_c/users"/*/; do
  user_dir=$(basename "$user_dir")
  [ "$user_dir" == Public ] || { E2E_WINE_USER="$user_dir"; break; }
done

# ---- the full folder ------------------------------------------------------------------------
folder=$(settings_dir)
mkdir -p "$folder"
awk -v folder="$folder" -v count="$palettes" 'BEGIN {
  for (p = 0; p < count; p++) {
    file = sprintf("%s/palette%03d.pal", folder, p)
    for (c = 0; c < 12; c++) printf "#%06X\r\n", (p * 12 + c) * 1747 % 16777216 > file
    close(file)
  }
  ini = folder "/Vandrel.ini"
  printf "maxfiles = 799\r\nPound = 1\r\nSnap = 1\r\n" > ini
  for (p = 0; p < count; p++) {
    printf "\r\n[palette%03d.pal]\r\n", p > ini
    printf "WinID = %d\r\nX = %d\r\nY = 100\r\n", (p < 2 ? p + 1 : -1), 300 + 200 * (p % 2) > ini
    printf "Drag = 1\r\nSticky = 0\r\nStyle = 1\r\nOutline = 1\r\nOutput = 0\r\n" > ini
    printf "SwatchWidth = 77\r\nSwatchHeight = 18\r\nSwatchFont = 1\r\nLocked = 0\r\n" > ini
  }
}'

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# start_timed EXE CLASS COUNT: "MS PID" once COUNT windows of CLASS show.
start_timed() { wine "$VDRIVER_EXE" start-timed "$(winepath -w "$1")" "$2" "$3" 20000; }

# ---- start-up -------------------------------------------------------------------------------
# A first start of each, not counted: Wine's first start of a program reads more from the disk,
# and the first start after an ended Vandrel (its tray icon gone without a word) waits for the
# notification area, here about 2 s.
for pair in "$VANDREL_EXE VandrelPalette 2" "$blank_exe BlankWindow 1"; do
  # shellcheck disable=SC2086
  read -r _ pid < <(start_timed $pair) || fail "could not start $pair"
  wine "$VDRIVER_EXE" end-process "$pid" || fail "could not end $pair"
done
: >"$work/blank.ms"
: >"$work/vandrel.ms"
for ((i = 1; i <= runs; i++)); do
  read -r ms pid < <(start_timed "$blank_exe" BlankWindow 1) || fail "the blank window did not show"
  echo "$ms" >>"$work/blank.ms"
  wine "$VDRIVER_EXE" end-process "$pid" || fail "could not end the blank window"
  read -r ms pid < <(start_timed "$VANDREL_EXE" VandrelPalette 2) || fail "Vandrel's palette windows did not show"
  echo "$ms" >>"$work/vandrel.ms"
  wine "$VDRIVER_EXE" end-process "$pid" || fail "could not end Vandrel"
  wait_until 5000 bash -c '! wine "$0" count-windows VandrelTrayOwner Vandrel | grep -q ^0x' "$VDRIVER_EXE"
done
blank_ms=$(median <"$work/blank.ms")
vandrel_ms=$(median <"$work/vandrel.ms")
echo "start-up, median of $runs: Vandrel.exe $vandrel_ms ms, blank window $blank_ms ms," \
  "ratio $(awk -v a="$vandrel_ms" -v b="$blank_ms" 'BEGIN { printf "%.2f", a / b }')"
echo "  Vandrel.exe runs: $(tr '\n' ' ' <"$work/vandrel.ms")"
echo "  blank window runs: $(tr '\n' ' ' <"$work/blank.ms")"

# ---- memory ---------------------------------------------------------------------------------
# private_kb EXE-NAME: Private_Clean + Private_Dirty of the process running it in this prefix
# (Wine names a process by its Windows path; other runs on the machine have other prefixes).
private_kb() {
  local pid
  for pid in $(pgrep -f "^[A-Z]:.*\\\\$1"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    awk '/^Private_(Clean|Dirty):/ { sum += $2 } END { print sum }' "/proc/$pid/smaps_rollup"
    return 0
  done
  return 1
}
# settled_kb EXE-NAME: private_kb once it has stopped moving (three readings 200 ms apart
# within 64 KB of each other, for at most 6 s): windows and menus that were just closed give
# their memory back over a few hundred milliseconds.
settled_kb() {
  local now before=-1000000 steady=0 deadline=$(($(e2e_now_ms) + 6000))
  while :; do
    now=$(private_kb "$1") || return 1
    if [ $((now - before)) -lt 64 ] && [ $((before - now)) -lt 64 ]; then steady=$((steady + 1)); else steady=0; fi
    [ "$steady" -lt 2 ] && [ "$(e2e_now_ms)" -lt "$deadline" ] || break
    before=$now
    sleep 0.2
  done
  echo "$now"
}
in_mb() { awk -v kb="$1" 'BEGIN { printf "%.1f", kb / 1024 }'; }

read -r _ blank_pid < <(start_timed "$blank_exe" BlankWindow 1) || fail "the blank window did not show"
blank_kb=$(settled_kb blank_window.exe) || fail "no blank window process"
wine "$VDRIVER_EXE" end-process "$blank_pid"

read -r _ vandrel_pid < <(start_timed "$VANDREL_EXE" VandrelPalette 2) || fail "Vandrel did not start"
started_kb=$(settled_kb Vandrel.exe) || fail "no Vandrel process"
open_tray_menu left
drv menu-keys escape >/dev/null
drv wait-gone '#32768' - 3000 >/dev/null || fail "the tray menu did not close"
menu_kb=$(settled_kb Vandrel.exe)
open_tray_menu left
drv menu-keys up up up enter >/dev/null  # Manage (above Start with Windows and Exit)
read -r manage _ < <(drv wait-window VandrelWindow Vandrel 5000) || fail "no manage window"
manage_kb=$(settled_kb Vandrel.exe)
for ((i = 1; i <= 20; i++)); do
  click_control "$manage" 67  # "Use #'s"
  want=$((i % 2 == 1 ? 0 : 1))
  read -r _ _ _ _ _ _ _ _ box _ < <(drv control "$manage" 67)
  wait_output 5000 "$want" drv check "$box" || fail "\"Use #'s\" did not change on click $i"
  [ "$i" -ne 10 ] || ten_kb=$(settled_kb Vandrel.exe)
done
open_tray_menu left
drv menu-keys escape >/dev/null
drv wait-gone '#32768' - 3000 >/dev/null || fail "the tray menu did not close"
rebuilt_kb=$(settled_kb Vandrel.exe)
drv close "$manage" >/dev/null
drv wait-gone VandrelWindow Vandrel 5000 >/dev/null || fail "the manage window did not close"
closed_kb=$(settled_kb Vandrel.exe)
echo "private memory: blank window $(in_mb "$blank_kb") MB; Vandrel.exe started $(in_mb "$started_kb") MB," \
  "after the tray menu $(in_mb "$menu_kb") MB; with the manage window open $(in_mb "$manage_kb") MB," \
  "after 10 and 20 menu rebuilds $(in_mb "$ten_kb") and $(in_mb "$rebuilt_kb") MB," \
  "the manage window closed after them $(in_mb "$closed_kb") MB"

# 20 saves in the editor, each rebuilding the list, the menus and the palette's window: rows 1
# and 2 of the first palette change places and the file is saved.
edit_from_tray 1
read -r editor _ < <(wait_editor) || fail "no editor"
wait_row_count "$editor" 12
editor_kb=$(settled_kb Vandrel.exe)
first_file="$folder/palette000.pal"
for ((i = 1; i <= 20; i++)); do
  before=$(head -c 7 "$first_file")
  click_control "$editor" $((512 + 2))  # Move up on row 2
  click_tool "$editor" 1                # Save
  wait_until 5000 bash -c '[ "$(head -c 7 "$0")" != "$1" ]' "$first_file" "$before" ||
    fail "save $i did not change palette000.pal"
  [ "$i" -ne 10 ] || ten_saves_kb=$(settled_kb Vandrel.exe)
done
saved_kb=$(settled_kb Vandrel.exe)
echo "private memory with the editor open $(in_mb "$editor_kb") MB, after 10 and 20 saves" \
  "$(in_mb "$ten_saves_kb") and $(in_mb "$saved_kb") MB"

# ---- click to clipboard ---------------------------------------------------------------------
read -r _ x y w h < <(drv count-windows VandrelPalette VN | head -n 1) || fail "no palette window"
: >"$work/click.ms"
for ((i = 1; i <= 20; i++)); do
  drv click-to-clipboard $((x + w / 2)) $((y + 9)) 5000 >>"$work/click.ms" ||
    fail "a swatch click did not reach the clipboard"
done
echo "swatch click to clipboard, median of 20: $(median <"$work/click.ms") ms"

# ---- palette folder switch ------------------------------------------------------------------
# From the manage window to another folder of as many palettes, alternating between two copies of
# the full folder on the Desktop: from the chooser's OK until the window shows the new folder's
# palettes and answers (vdriver dialog-click-timed).
press_close_box "$editor"
drv wait-gone VandrelWindow Vandrel 5000 >/dev/null || fail "the editor did not close"
for copy in aaa bbb; do
  mkdir -p "$(profile_dir)/Desktop/$copy"
  cp "$folder"/*.pal "$(profile_dir)/Desktop/$copy/"
done
open_tray_menu left
drv menu-keys up up up enter >/dev/null  # Manage (above Start with Windows and Exit)
read -r manage _ < <(drv wait-window VandrelWindow Vandrel 5000) || fail "no manage window"
: >"$work/switch.ms"
for ((i = 1; i <= runs; i++)); do
  click_control "$manage" 51  # the palette folder
  pick_desktop_folder "$( ((i % 2)) && echo aaa || echo bbb)"
  drv dialog-click-timed "Browse for Folder" 1 "$manage" 50 "$palettes" 60000 >>"$work/switch.ms" ||
    fail "the manage window did not show the other folder's palettes"
done
switch_ms=$(median <"$work/switch.ms")
echo "palette folder switch to $palettes palettes, median of $runs: $switch_ms ms," \
  "$(awk -v a="$switch_ms" -v b="$vandrel_ms" 'BEGIN { printf "%.2f", a / b }') times the start-up"
echo "  switch runs: $(tr '\n' ' ' <"$work/switch.ms")"
wine "$VDRIVER_EXE" end-process "$vandrel_pid"
