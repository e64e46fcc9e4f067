# Harness for the end-to-end tests, sourced by tests/e2e/run.sh and by each test.
#
# run.sh prepares one Xvfb display and one template Wine prefix per run, then runs every test
# function in its own copy of that prefix (so each starts from a clean profile folder). The
# helpers below are what a test uses; every timeout is in milliseconds.
#
# Environment a test sees (set by run.sh): E2E_ROOT, E2E_DISPLAY, VANDREL_EXE, VDRIVER_EXE,
# E2E_WINE_USER, E2E_TEST_NAME, E2E_TEST_DIR (scratch), E2E_ARTIFACT_DIR, WINEPREFIX.

E2E_DLL_OVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The variables every Wine call of the run needs.
e2e_wine_env() {
  export DISPLAY="$E2E_DISPLAY"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="$E2E_DLL_OVERRIDES"
}

e2e_now_ms() { date +%s%3N; }

e2e_log() { printf '[%s] %s\n' "$(date +%T.%3N)" "$*" >&2; }

# ---- failing --------------------------------------------------------------------------------

# Records the first failure and ends the test, even when called inside $( ... ).
fail() {
  local message="$*"
  e2e_log "FAIL: $message"
  if [ -n "${E2E_TEST_DIR:-}" ] && [ ! -s "$E2E_TEST_DIR/failure" ]; then
    printf '%s\n' "$message" >"$E2E_TEST_DIR/failure"
    screenshot failure
  fi
  if [ -n "${E2E_MAIN_PID:-}" ] && [ "$BASHPID" != "$E2E_MAIN_PID" ]; then
    kill -TERM "$E2E_MAIN_PID" 2>/dev/null
  fi
  exit 1
}

# Ends the test as skipped, with the reason run.sh prints: only for what this machine cannot do.
skip_case() {
  e2e_log "SKIP: $*"
  [ -z "${E2E_TEST_DIR:-}" ] || printf '%s\n' "$*" >"$E2E_TEST_DIR/skipped"
  [ -z "${E2E_MAIN_PID:-}" ] || [ "$BASHPID" == "$E2E_MAIN_PID" ] || kill -TERM "$E2E_MAIN_PID" 2>/dev/null
  exit 0
}

# Folders a test mounted something on; unmounted when the test ends.
E2E_MOUNTS=()

# assert_eq EXPECTED ACTUAL MESSAGE
assert_eq() {
  [ "$1" == "$2" ] || fail "$3: expected '$1', got '$2'"
}

# Shows a file's bytes readably (CR and LF made visible), cut after 300 characters.
file_repr() {
  local text
  text=$(od -An -c -v "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
  [ ${#text} -le 300 ] || text="${text:0:300}..."
  printf '%s' "$text"
}

# assert_file_bytes PATH HEXBYTES|EXPECTED-FILE [MESSAGE]
# HEXBYTES may contain spaces: "23 30 0d 0a".
assert_file_bytes() {
  local path="$1" expected="$2" what="${3:-$1}" want got
  [ -f "$path" ] || fail "$what: the file does not exist"
  if [ -f "$expected" ]; then
    want=$(od -An -tx1 -v "$expected" | tr -d ' \n')
  else
    want=$(printf '%s' "$expected" | tr -d ' \n' | tr 'A-F' 'a-f')
  fi
  got=$(od -An -tx1 -v "$path" | tr -d ' \n')
  [ "$want" == "$got" ] && return 0
  local i=0
  while [ "${want:i:2}" == "${got:i:2}" ]; do i=$((i + 2)); done
  fail "$what: differs from byte $((i / 2)) on, $(( ${#got} / 2 )) bytes where" \
    "$(( ${#want} / 2 )) were expected; the file holds: $(file_repr "$path")"
}

# assert_no_file PATH MESSAGE
assert_no_file() {
  [ ! -e "$1" ] || fail "$2 (it holds: $(file_repr "$1"))"
}

# Runs one test function in the current (fresh) shell; run.sh calls it in a new bash.
e2e_run_test() {
  E2E_MAIN_PID=$$
  e2e_wine_env
  trap 'exit 143' TERM
  trap e2e_end_test EXIT
  # So that conditions polled through `bash -c '...'` can use them too.
  export -f drv e2e_log
  "$1"
}

# Whatever the outcome, no Wine process of the test outlives it.
e2e_end_test() {
  local status=$?
  trap - EXIT
  if vandrel_running; then e2e_log "Vandrel was still running at the end of the test"; fi
  wineserver -k 2>/dev/null
  wait
  local folder
  for folder in "${E2E_MOUNTS[@]}"; do umount -l "$folder" 2>/dev/null; done
  exit "$status"
}

# ---- waiting --------------------------------------------------------------------------------

# wait_until TIMEOUT_MS COMMAND [ARGS...]: polls the command until it succeeds.
wait_until() {
  local timeout="$1" deadline
  shift
  deadline=$(($(e2e_now_ms) + timeout))
  until "$@"; do
    [ "$(e2e_now_ms)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# wait_output TIMEOUT_MS EXPECTED COMMAND [ARGS...]: polls until the command prints EXPECTED;
# the last output stays in E2E_LAST_OUTPUT for the failure message.
wait_output() {
  local timeout="$1" expected="$2" deadline
  shift 2
  deadline=$(($(e2e_now_ms) + timeout))
  for (( ; ; )); do
    E2E_LAST_OUTPUT=$("$@" 2>/dev/null)
    [ "$E2E_LAST_OUTPUT" != "$expected" ] || return 0
    [ "$(e2e_now_ms)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# wait_for_file PATH [TIMEOUT_MS=5000]
wait_for_file() { wait_until "${2:-5000}" test -e "$1"; }

# ---- the program under test -----------------------------------------------------------------

# Runs Vandrel.exe in the background in the test's prefix; its output goes to vandrel.log.
# A test may start it again once the previous run has ended.
start_vandrel() {
  ! vandrel_running || fail "start_vandrel: Vandrel is already running in this test"
  rm -f "$E2E_TEST_DIR/vandrel.pid" "$E2E_TEST_DIR/vandrel.rc"
  e2e_log "start Vandrel"
  (
    wine "$VANDREL_EXE" >>"$E2E_ARTIFACT_DIR/vandrel.log" 2>&1 &
    # Whole or not at all: the file appears only once the number is in it.
    echo $! >"$E2E_TEST_DIR/vandrel.pid.tmp"
    mv "$E2E_TEST_DIR/vandrel.pid.tmp" "$E2E_TEST_DIR/vandrel.pid"
    wait $!
    echo $? >"$E2E_TEST_DIR/vandrel.rc.tmp"
    mv "$E2E_TEST_DIR/vandrel.rc.tmp" "$E2E_TEST_DIR/vandrel.rc"
  ) &
  wait_for_file "$E2E_TEST_DIR/vandrel.pid" 5000 || fail "could not start wine"
  E2E_VANDREL_PID=$(cat "$E2E_TEST_DIR/vandrel.pid")
  [ -n "$E2E_VANDREL_PID" ] || fail "start_vandrel: the process number of wine was not recorded"
}

vandrel_running() { [ -n "${E2E_VANDREL_PID:-}" ] && [ ! -e "$E2E_TEST_DIR/vandrel.rc" ]; }

# wait_vandrel_exit [TIMEOUT_MS=5000]: prints the exit code; status 1 if it is still running.
wait_vandrel_exit() {
  [ -n "${E2E_VANDREL_PID:-}" ] || fail "wait_vandrel_exit: Vandrel was not started"
  wait_until "${1:-5000}" test -e "$E2E_TEST_DIR/vandrel.rc" || return 1
  cat "$E2E_TEST_DIR/vandrel.rc"
}

# Ends the program without its own exit path (nothing gets saved).
kill_vandrel() {
  vandrel_running || return 0
  e2e_log "kill Vandrel (pid $E2E_VANDREL_PID)"
  kill -TERM "$E2E_VANDREL_PID" 2>/dev/null
  if ! wait_until 3000 test -e "$E2E_TEST_DIR/vandrel.rc"; then
    kill -KILL "$E2E_VANDREL_PID" 2>/dev/null
    wait_until 3000 test -e "$E2E_TEST_DIR/vandrel.rc" || fail "Vandrel could not be killed"
  fi
  E2E_VANDREL_PID=
}

# ---- common steps ---------------------------------------------------------------------------

# Waits until the program has finished starting (its tray owner exists).
# wait_started [TIMEOUT_MS=10000]
wait_started() {
  drv wait-exists VandrelTrayOwner Vandrel "${1:-10000}" >/dev/null ||
    fail "Vandrel did not finish starting: its tray icon's window never appeared"
}

# open_tray_menu left|right: clicks the tray icon and waits for its menu. Under Wine a mouse
# message of an earlier drag can arrive late and close the new menu the moment it opens (seen
# once in many whole runs, never alone), so a click whose menu does not show within 3 s is
# answered with Escape and made once more, as a user would click again; the retry is logged.
open_tray_menu() {
  local attempt
  for attempt in 1 2; do
    drv tray-click "$1" >/dev/null || fail "the tray icon did not answer"
    drv menu-wait 3000 >/dev/null && return 0
    e2e_log "no tray menu after click $attempt; pressing Escape and clicking again"
    drv menu-keys escape >/dev/null 2>&1
  done
  fail "no tray menu appeared after two clicks on the tray icon"
}

# Chooses "Exit", the last item of the tray menu.
exit_from_tray() {
  open_tray_menu right
  drv menu-keys up enter >/dev/null
  local code
  code=$(wait_vandrel_exit 10000) || fail "Vandrel was still running 10 s after Exit in the tray menu"
  assert_eq 0 "$code" "exit code after Exit in the tray menu"
  drv wait-gone VandrelTrayOwner Vandrel 3000 >/dev/null ||
    fail "the tray icon's window is still there after the program ended"
}

# window_place HWND: "X Y" of the window's top-left corner.
window_place() { drv rect "$1" | cut -d' ' -f1,2; }

# drag_by HWND DX DY: presses the window in its middle (a swatch) and moves the mouse by DX, DY
# in steps of at most 15 pixels, as a hand does. Under Wine the move loop only sees the pointer
# while it is over one of the program's windows: a step may not leave the window before it follows.
drag_by() {
  local x y w h distance
  read -r x y w h < <(drv rect "$1")
  x=$((x + w / 2))
  y=$((y + h / 2))
  distance=$(( ${2#-} > ${3#-} ? ${2#-} : ${3#-} ))
  drv drag "$x" "$y" $((x + $2)) $((y + $3)) $((distance / 15 + 1)) 20 >/dev/null ||
    fail "the drag from $x,$y did not finish"
}

# expect_place HWND "X Y" WHAT: the window settles there.
expect_place() {
  wait_output 3000 "$2" window_place "$1" || fail "$3: the window is at $E2E_LAST_OUTPUT, not at $2"
}

# drv ARGS...: runs the test driver in the test's prefix; its stdout is the result.
drv() {
  e2e_log "drv $*"
  # What the driver (or Wine, when it cannot start it) says on failure goes into the test's log
  # too: a failing command is otherwise known only by its exit status.
  local status=0 errors="$E2E_TEST_DIR/drv.$BASHPID.err" began
  began=$(e2e_now_ms)
  wine "$VDRIVER_EXE" "$@" 2>"$errors" || status=$?
  # The driver says why whenever it fails: a quick failure without a word is Wine not starting
  # it (seen twice in whole runs, within 70 ms, just after Vandrel started or ended), and such a
  # command never ran, so it runs once more. Not the receiver: it runs until it is ended from
  # outside, which ends it without a word too.
  if [ "$status" -ne 0 ] && [ ! -s "$errors" ] && [ "$1" != receiver ] &&
     [ $(($(e2e_now_ms) - began)) -lt 1000 ]; then
    e2e_log "drv $1 ended with status $status before the driver said anything; once more"
    status=0
    wine "$VDRIVER_EXE" "$@" 2>"$errors" || status=$?
  fi
  [ "$status" -eq 0 ] || e2e_log "drv $1 ended with status $status: $(tr '\n' ' ' <"$errors" | cut -c 1-400)"
  cat "$errors" >&2
  rm -f "$errors"
  return "$status"
}

# The "other application" that receives typed keys; returns once it has the keyboard focus.
start_receiver() {
  local out="$E2E_TEST_DIR/receiver.txt"
  rm -f "$out"
  drv receiver --out "$out" "$@" >>"$E2E_ARTIFACT_DIR/receiver.log" 2>&1 &
  wait_for_file "$out" 5000 || fail "the receiving application did not get the keyboard focus within 5 s"
}

receiver_text() { cat "$E2E_TEST_DIR/receiver.txt" 2>/dev/null; }
# How often the receiver's "Press" button was clicked.
receiver_clicks() { cat "$E2E_TEST_DIR/receiver.txt.clicks" 2>/dev/null || printf 0; }

# ---- palette windows ------------------------------------------------------------------------

# palette_window [INDEX]: "HWND X Y W H" of the INDEXth visible palette window (from 1).
palette_window() {
  local line
  line=$(drv count-windows VandrelPalette VN | sed -n "${1:-1}p")
  [ -n "$line" ] && [[ "$line" == 0x* ]] || return 1
  printf '%s\n' "$line"
}

palette_window_count() { drv count-windows VandrelPalette VN | tail -n 1; }

wait_palette_windows() { # COUNT
  wait_output 5000 "$1" palette_window_count ||
    fail "expected $1 palette window(s) on screen, found $E2E_LAST_OUTPUT"
}

# ---- places ---------------------------------------------------------------------------------

# C:\users\<user> of the test's prefix, as a Linux path.
profile_dir() { printf '%s' "$WINEPREFIX/drive_c/users/$E2E_WINE_USER"; }
settings_dir() { printf '%s' "$(profile_dir)/Vandrel"; }
# C:\users\<user> as the program sees it.
profile_dir_windows() { printf 'C:\\users\\%s' "$E2E_WINE_USER"; }

# screenshot NAME: the whole screen into the test's artifacts folder.
screenshot() {
  import -display "$E2E_DISPLAY" -window root "$E2E_ARTIFACT_DIR/$1.png" 2>/dev/null ||
    e2e_log "screenshot $1 failed"
}

# The start palette: eight colours, one a line, each line ended by CR LF.
write_start_palette() {
  printf '%s\r\n' '#000000' '#FF0000' '#FFFF00' '#00FF00' '#00FFFF' '#0000FF' '#FF00FF' \
    '#FFFFFF' >"$1"
}

# Writes text with CR LF line ends: write_crlf PATH LINE...
write_crlf() {
  local path="$1"
  shift
  mkdir -p "$(dirname "$path")"
  printf '%s\r\n' "$@" >"$path"
}

# ---- two monitors side by side ---------------------------------------------------------------
# The run's display has one monitor: a test that needs two starts its own, one Xvfb screen of
# 2560 x 800 split into two RandR monitors of 1280 x 800. Wine's RandR code ignores such monitors,
# but the server's Xinerama answers with them, so the test's prefix gets UseXRandR = N. -noreset
# keeps the monitors: Xvfb forgets them when it resets after its last client has gone.

# Starts the private two-monitor display and points this test's Wine at it. Call it first, before
# any Wine process of the test; the display is stopped when the test ends, however it ends.
start_two_monitor_display() {
  local number_file="$E2E_TEST_DIR/monitors.display" heads
  command -v xrandr >/dev/null || fail "xrandr is missing (scripts/setup installs x11-xserver-utils)"
  # -displayfd picks a free display number, so no one else's display is touched.
  Xvfb -displayfd 3 -screen 0 2560x800x24 -nolisten tcp -noreset 3>"$number_file" 9>&- \
    >"$E2E_ARTIFACT_DIR/xvfb-monitors.log" 2>&1 &
  E2E_MONITORS_XVFB_PID=$!
  trap end_two_monitor_test EXIT
  wait_until 10000 test -s "$number_file" ||
    fail "the two-monitor Xvfb did not start (see xvfb-monitors.log)"
  E2E_DISPLAY=":$(tr -d '\n' <"$number_file")"
  export E2E_DISPLAY DISPLAY="$E2E_DISPLAY"
  e2e_log "two-monitor display $E2E_DISPLAY"
  # The left monitor takes Xvfb's one output, which would otherwise be a third, 2560-wide one.
  if ! xrandr --setmonitor VandrelLeft 1280/339x800/212+0+0 screen >/dev/null ||
    ! xrandr --setmonitor VandrelRight 1280/339x800/212+1280+0 none >/dev/null; then
    fail "xrandr could not split $E2E_DISPLAY into two monitors"
  fi
  heads=$(xdpyinfo -ext XINERAMA | grep -o 'head #.*' | tr '\n' ';')
  assert_eq "head #0: 1280x800 @ 0,0;head #1: 1280x800 @ 1280,0;" "$heads" \
    "the monitors of $E2E_DISPLAY"
  # Wine's X11 driver reads it as it loads: stopping this wineserver saves it, and no process of
  # the test has loaded the driver with the old value.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null ||
    fail "could not turn XRandR off for Wine"
  wineserver -k 2>/dev/null
  wineserver -w
}

# Wine's processes go before the display they draw on, then the usual end of a test.
end_two_monitor_test() {
  local status=$?
  wineserver -k 2>/dev/null
  if [ -n "${E2E_MONITORS_XVFB_PID:-}" ]; then
    kill "$E2E_MONITORS_XVFB_PID" 2>/dev/null
    wait "$E2E_MONITORS_XVFB_PID" 2>/dev/null
  fi
  (exit "$status")
  e2e_end_test
}
