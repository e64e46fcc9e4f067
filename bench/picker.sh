#!/usr/bin/env bash
# How closely the picker's loupe follows the pointer, and what it costs while the pointer rests,
# under Wine:
#     bench/picker.sh [MOVES=40]
#
# Over a window of coloured stripes, a pick is started with the shortcut (real X input, as a
# hand gives it). vdriver (inside Wine) watches the loupe about every millisecond, its place and
# the colour of its centre, and the pointer; the pointer is moved MOVES times by xdotool between
# two stripes of different colours, 150 ms apart. Each move's latency is the time from the first
# look that shows the pointer at its new place to the first that shows the loupe at its new
# place with the new centre (a look every millisecond or so: a millisecond each way is noise). Then, the pointer resting, the CPU time Vandrel uses
# over 5 s with the loupe showing, beside the same 5 s with no pick running.
# Needs what scripts/test needs (Wine, Xvfb) and a build: scripts/build win64.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
moves=${1:-40}
E2E_ROOT=$root
# shellcheck source=../tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh"

VANDREL_EXE="$root/build/win64/Vandrel.exe"
VDRIVER_EXE="$root/build/win64/vdriver.exe"
for exe in "$VANDREL_EXE" "$VDRIVER_EXE"; do
  [ -f "$exe" ] || { echo "picker: $exe is missing (scripts/build win64)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/vandrel-picker.XXXXXX")
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
say() { echo "picker: $*" >&2; }
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

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# cpu_ticks PID: user + system clock ticks of a process so far.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# vandrel_pid: the Linux process running Vandrel.exe in this prefix.
vandrel_pid() {
  local pid
  for pid in $(pgrep -f 'Vandrel\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && { echo "$pid"; return; }
  done
}
# cpu_percent PID SECONDS: the share of one core the process used meanwhile.
cpu_percent() {
  local before after hz
  hz=$(getconf CLK_TCK)
  before=$(cpu_ticks "$1")
  sleep "$2"
  after=$(cpu_ticks "$1")
  awk -v t=$((after - before)) -v hz="$hz" -v s="$2" 'BEGIN { printf "%.2f", 100 * t / hz / s }'
}

start_vandrel
wait_started
start_receiver --pos 200 200 600 300 --stripes
read -r rhwnd _ < <(drv wait-window VandrelE2EReceiver Receiver 5000) || fail "no receiver window"
read -r cx cy _ < <(drv client-rect "$rhwnd")
xdotool mousemove $((cx + 100)) $((cy + 20)) click 1
pid=$(vandrel_pid)
[ -n "$pid" ] || fail "no Vandrel process found"
idle=$(cpu_percent "$pid" 5)

# Two points 20 pixels apart, in a red and a green stripe.
x1=$((cx + 10)) x2=$((cx + 30)) y=$((cy + 150))
xdotool mousemove "$x1" "$y"
xdotool keydown super keydown alt keydown c
drv wait-window - "Vandrel Loupe" 5000 >/dev/null || fail "no loupe after the shortcut"
xdotool keyup c keyup alt keyup super
resting=$(cpu_percent "$pid" 5)

# The centre cell of the loupe at 11 across: 1 + 13 * 5 + 6.
wine "$VDRIVER_EXE" watch-window "Vandrel Loupe" 72 72 $((moves * 150 + 3000)) >"$work/watch.txt" 2>/dev/null &
watcher=$!
wait_until 10000 grep -q watching "$work/watch.txt" || fail "the watcher did not start"
sleep 0.5
: >"$work/moves.txt"
for ((i = 1; i <= moves; i++)); do
  if ((i % 2)); then x=$x2 colour=20A040; else x=$x1 colour=E03020; fi
  echo "$(date +%s%3N) $((x + 20)) $((y + 20)) $colour $x $y" >>"$work/moves.txt"
  xdotool mousemove "$x" "$y"
  sleep 0.15
done
wait "$watcher"
xdotool key Escape

# For each move: the first look at or after it that shows the pointer there, and the first that
# shows the loupe's new place and centre.
awk 'NR == FNR { if ($1 != "watching") { t[++n] = $1; loupe[n] = $2 " " $3 " " $4; pointer[n] = $5 " " $6 } next }
     { moved = 0
       for (i = 1; i <= n; i++) {
         if (t[i] < $1 - 5) continue
         if (!moved && pointer[i] == $5 " " $6) moved = t[i]
         if (moved && loupe[i] == $2 " " $3 " " $4) { printf "%.1f\n", t[i] - moved; next }
       }
       print "missed" }' "$work/watch.txt" "$work/moves.txt" >"$work/latency.txt"
missed=$(grep -c missed "$work/latency.txt")
latency=$(grep -v missed "$work/latency.txt" | median)
echo "loupe follows a move: median $latency ms over $((moves - missed)) moves (target one frame, 16.7 ms);" \
  "$missed not seen"
echo "  moves: $(tr '\n' ' ' <"$work/latency.txt")"
echo "resting with the loupe: $resting % of one core; without a pick: $idle % (target under 2 %)"
exit_from_tray
