#!/usr/bin/env bash
# Runs the end-to-end tests: tests/e2e/run.sh [NAME-FILTER]
#
# Finds Vandrel.exe and vdriver.exe (VANDREL_EXE, VDRIVER_EXE; default build/win64/), starts one
# Xvfb display (unless E2E_DISPLAY names one), makes one template Wine prefix, then runs each
# test_* function of tests/e2e/test_*.sh in a fresh copy of it, one after the other.
# E2E_TEST_TIMEOUT (seconds, default 120) bounds each test.
set -u

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export E2E_ROOT
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$E2E_ROOT/tests/e2e/lib.sh"

filter="${1:-}"
test_timeout="${E2E_TEST_TIMEOUT:-120}"

die() {
  echo "e2e: $*" >&2
  exit 2
}

for tool in wine wineboot wineserver Xvfb xdpyinfo xdotool import timeout od flock; do
  command -v "$tool" >/dev/null || die "missing tool: $tool"
done

find_exe() {
  local name="$1" given="$2" candidate
  if [ -n "$given" ]; then
    [ -f "$given" ] || die "$name not found at $given"
    realpath "$given"
    return
  fi
  for candidate in "$E2E_ROOT/build/win64/$name" "$E2E_ROOT/build/win64/tests/e2e/driver/$name"; do
    [ -f "$candidate" ] && { realpath "$candidate"; return; }
  done
  die "$name not found under build/win64 (build it: cmake -S . -B build/win64" \
    "-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake && cmake --build build/win64)"
}
VANDREL_EXE=$(find_exe Vandrel.exe "${VANDREL_EXE:-}") || exit 2
VDRIVER_EXE=$(find_exe vdriver.exe "${VDRIVER_EXE:-}") || exit 2
export VANDREL_EXE VDRIVER_EXE

# ---- which tests ----------------------------------------------------------------------------
selected_files=()
selected_names=()
# E2E_FILES chooses other files of test functions (scripts/screenshots runs shots_*.sh).
for file in "$E2E_ROOT"/tests/e2e/${E2E_FILES:-test_*.sh}; do
  [ -f "$file" ] || continue
  # In the order they are written; each must be a function once the file is sourced.
  names=$(grep -oE '^(function +)?test_[A-Za-z0-9_]+ *\(\)' "$file" | sed -E 's/^function +//; s/ *\(\)$//')
  # shellcheck disable=SC2086  # one word per name
  bash -c 'source "$E2E_ROOT/tests/e2e/lib.sh" && source "$1" && shift && declare -F "$@"' \
    _ "$file" $names >/dev/null || die "could not load the tests of $file"
  for name in $names; do
    [ -z "$filter" ] || [[ "$name" == *"$filter"* ]] || continue
    selected_files+=("$file")
    selected_names+=("$name")
  done
done
if [ ${#selected_names[@]} -eq 0 ]; then
  echo "e2e: no test matches '${filter}'" >&2
  echo "e2e: 0 passed, 0 failed"
  exit 1
fi

E2E_ARTIFACTS="${E2E_ARTIFACTS:-$E2E_ROOT/build/e2e-artifacts}"
mkdir -p "$(dirname "$E2E_ARTIFACTS")"
# A second run from the same tree at the same time must not wipe the first one's artifacts.
exec 9>"$E2E_ARTIFACTS.lock"
if ! flock -n 9; then
  E2E_ARTIFACTS="$E2E_ARTIFACTS.$$"
  echo "e2e: another run uses the artifacts folder; this one writes to $E2E_ARTIFACTS"
fi
rm -rf "$E2E_ARTIFACTS"
mkdir -p "$E2E_ARTIFACTS"
E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/vandrel-e2e.XXXXXX")
# What tests of one run share (the release files, made once): removed with the run.
E2E_SHARED_DIR="$E2E_WORK/shared"
export E2E_SHARED_DIR
xvfb_pid=
current_prefix=
test_pid=

cleanup() {
  [ -z "$test_pid" ] || kill -TERM "$test_pid" 2>/dev/null
  [ -z "$current_prefix" ] || WINEPREFIX="$current_prefix" wineserver -k 2>/dev/null
  [ ! -d "$E2E_WORK/template" ] || WINEPREFIX="$E2E_WORK/template" wineserver -k 2>/dev/null
  rm -rf "${E2E_WORK:?}/template" "${E2E_WORK:?}/home" "${E2E_WORK:?}/display" "${E2E_WORK:?}/shared"
  # Failed tests' prefixes stay, to be looked at.
  rmdir "$E2E_WORK/tests" "$E2E_WORK" 2>/dev/null
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# ---- the display ----------------------------------------------------------------------------
if [ -z "${E2E_DISPLAY:-}" ]; then
  # -displayfd lets Xvfb pick a free display number, so other sessions' displays are safe.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$E2E_WORK/display" \
    >"$E2E_ARTIFACTS/xvfb.log" 2>&1 &
  xvfb_pid=$!
  wait_until 10000 test -s "$E2E_WORK/display" || die "Xvfb did not start (see $E2E_ARTIFACTS/xvfb.log)"
  E2E_DISPLAY=":$(tr -d '\n' <"$E2E_WORK/display")"
fi
export E2E_DISPLAY
wait_until 10000 xdpyinfo -display "$E2E_DISPLAY" >/dev/null 2>&1 || die "display $E2E_DISPLAY does not answer"
e2e_wine_env

# ---- the template prefix --------------------------------------------------------------------
started=$(e2e_now_ms)
template="$E2E_WORK/template"
mkdir -p "$E2E_WORK/home"
(
  export WINEPREFIX="$template" HOME="$E2E_WORK/home"
  wineboot -i &&
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f &&
    wineserver -k
  wineserver -w
) >"$E2E_ARTIFACTS/template.log" 2>&1
grep -q '"Managed"="N"' "$template/user.reg" 2>/dev/null ||
  die "could not prepare the template Wine prefix (see $E2E_ARTIFACTS/template.log)"
E2E_WINE_USER=
for user_dir in "$template/drive_c/users"/*/; do
  user_dir=$(basename "$user_dir")
  [ "$user_dir" == Public ] || { E2E_WINE_USER="$user_dir"; break; }
done
[ -n "$E2E_WINE_USER" ] || die "the template prefix has no user folder"
export E2E_WINE_USER
# Desktop, Documents... link to the run's HOME; real folders keep each copy self-contained.
for link in "$template/drive_c/users/$E2E_WINE_USER"/*; do
  [ -L "$link" ] && rm "$link" && mkdir "$link"
done
echo "e2e: display $E2E_DISPLAY, template prefix ready in" \
  "$(awk "BEGIN{printf \"%.1f\", ($(e2e_now_ms) - $started) / 1000}")s"

# ---- the tests ------------------------------------------------------------------------------
passed=0
failed=0
skipped=0

# A test that builds (the release package from a clean copy) says so in its file:
# "# e2e-timeout NAME SECONDS".
timeout_of() { # FILE NAME
  local own
  own=$(sed -n "s/^# e2e-timeout $2 \([0-9][0-9]*\)$/\1/p" "$1" | head -n 1)
  printf '%s' "${own:-$test_timeout}"
}

run_one() {
  local file="$1" name="$2" dir="$E2E_WORK/tests/$2" artifacts="$E2E_ARTIFACTS/$2" start rc message
  local limit
  limit=$(timeout_of "$file" "$name")
  mkdir -p "$dir/home" "$artifacts"
  start=$(e2e_now_ms)
  current_prefix="$dir/prefix"
  if ! cp -a "$template" "$dir/prefix"; then
    failed=$((failed + 1))
    echo "FAIL $name: could not copy the template Wine prefix to $dir/prefix"
    return
  fi
  # shellcheck disable=SC2016  # the test's own shell expands them
  E2E_TEST_NAME="$name" E2E_TEST_DIR="$dir" E2E_ARTIFACT_DIR="$artifacts" \
    WINEPREFIX="$dir/prefix" HOME="$dir/home" \
    timeout -k 5 "$limit" bash -c \
    'source "$E2E_ROOT/tests/e2e/lib.sh" && source "$1" && e2e_run_test "$2"' _ "$file" "$name" \
    >"$artifacts/log.txt" 2>&1 &
  test_pid=$!
  wait "$test_pid"
  rc=$?
  test_pid=
  message=
  [ -s "$dir/failure" ] && message=$(head -n 1 "$dir/failure")
  if [ -z "$message" ] && [ "$rc" -ne 0 ]; then
    if [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
      message="the test did not finish within ${limit}s"
    else
      message="the test ended with status $rc (see $artifacts/log.txt)"
    fi
  fi
  # A failing test took its own screenshot; one that timed out did not.
  [ -z "$message" ] || [ -e "$artifacts/failure.png" ] ||
    import -display "$E2E_DISPLAY" -window root "$artifacts/failure.png" 2>/dev/null
  # Nothing of this test may outlive it.
  WINEPREFIX="$dir/prefix" wineserver -k 2>/dev/null
  WINEPREFIX="$dir/prefix" timeout 20 wineserver -w 2>/dev/null
  # A mount left by a test that was killed must not outlive it either.
  awk -v d="$dir/" 'index($2, d) == 1 { print $2 }' /proc/mounts | while read -r mounted; do
    umount -l "$mounted"
  done
  current_prefix=
  if [ -z "$message" ] && [ -s "$dir/skipped" ]; then
    skipped=$((skipped + 1))
    echo "SKIP $name: $(head -n 1 "$dir/skipped")"
    rm -rf "$dir"
  elif [ -z "$message" ]; then
    rm -rf "$dir"
    passed=$((passed + 1))
    echo "PASS $name ($(awk "BEGIN{printf \"%.1f\", ($(e2e_now_ms) - $start) / 1000}")s)"
  else
    failed=$((failed + 1))
    echo "FAIL $name: $message"
    echo "     kept: prefix $dir/prefix, log and screenshots $artifacts/"
  fi
}

for i in "${!selected_names[@]}"; do
  run_one "${selected_files[$i]}" "${selected_names[$i]}"
done

echo "e2e: $passed passed, $failed failed$([ "$skipped" -eq 0 ] || echo ", $skipped skipped")"
[ "$failed" -eq 0 ]
