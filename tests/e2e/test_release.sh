# The release: scripts/package on a clean copy of the sources (made once per run and shared by
# these tests), the zip's contents, and the installer under Wine: a silent install into a fresh
# prefix, the installed program's "Start with Windows", an install over a running copy, and the
# silent uninstall. Sizes and times measured go to the test's measures.txt.

# e2e-timeout test_release_package 480
# e2e-timeout test_release_install_start_with_windows_and_reinstall 480
# e2e-timeout test_release_uninstall_keeps_palettes_and_settings 480

release_version() { sed -n 's/^project(Vandrel VERSION \([0-9.]*\) .*/\1/p' "$E2E_ROOT/CMakeLists.txt"; }

measure() { # WHAT VALUE
  printf '%s: %s\n' "$1" "$2" >>"$E2E_ARTIFACT_DIR/measures.txt"
  e2e_log "measured $1: $2"
}

# The three release files in $E2E_SHARED_DIR/dist, made from a copy of the tracked sources
# (what a clean clone holds, with the changes not yet committed) the first time they are asked for.
release_dist() {
  local dist="$E2E_SHARED_DIR/dist" copy="$E2E_SHARED_DIR/clone" began
  if [ ! -s "$dist/SHA256SUMS" ]; then
    rm -rf "$copy" "$dist"
    mkdir -p "$copy"
    git -C "$E2E_ROOT" ls-files -z --cached --others --exclude-standard |
      (cd "$E2E_ROOT" && tar -c --null -T -) | tar -x -C "$copy" || fail "could not copy the sources"
    [ ! -e "$copy/build" ] && [ ! -e "$copy/dist" ] || fail "the copy of the sources holds a build or dist folder"
    began=$(e2e_now_ms)
    nice "$copy/scripts/package" >"$E2E_ARTIFACT_DIR/package.log" 2>&1 ||
      fail "scripts/package failed on a clean copy (see package.log): $(tail -n 3 "$E2E_ARTIFACT_DIR/package.log")"
    measure "scripts/package on a clean copy (s)" "$(( ($(e2e_now_ms) - began) / 1000 ))"
    mv "$copy/dist" "$dist"
    rm -rf "$copy"
  fi
  printf '%s' "$dist"
}

installed_dir() { printf '%s' "$(profile_dir)/AppData/Local/Programs/Vandrel"; }
installed_exe_windows() { printf '%s' "$(profile_dir_windows)\\AppData\\Local\\Programs\\Vandrel\\Vandrel.exe"; }
start_menu_link() { printf '%s' "$(profile_dir)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vandrel.lnk"; }

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vandrel'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
OPEN_WITH_KEY='HKCU\Software\Classes\Applications\Vandrel.exe'

# reg_value KEY NAME: "TYPE DATA" as `wine reg query` shows it; status 1 when there is none.
reg_value() {
  local out
  if [ "$2" == "" ]; then
    out=$(wine reg query "$1" /ve 2>/dev/null | tr -d '\r') || return 1
  else
    out=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r') || return 1
  fi
  out=$(printf '%s\n' "$out" | awk -F'    ' 'NF >= 4 && $2 != "" { print $3 " " $4; exit }')
  # Wine lists a key's unset default value as "(value not set)".
  [ -n "$out" ] && [ "$out" != "REG_SZ (value not set)" ] || return 1
  printf '%s' "$out"
}

reg_key_exists() { wine reg query "$1" >/dev/null 2>&1; }

# install_silently SETUP: runs the installer with /S and waits for it (it exits when done).
install_silently() {
  local began
  began=$(e2e_now_ms)
  wine "$1" /S >>"$E2E_ARTIFACT_DIR/setup.log" 2>&1 || fail "the installer with /S ended with status $?"
  E2E_INSTALL_MS=$(($(e2e_now_ms) - began))
}

# menu_ticked: whether the open tray menu shows a check mark on "Start with Windows", the
# item above "Exit", the last. Only the check mark is dark in the picture column of the
# menu's last items (Start with Windows and Exit have no pictures; the palettes above are light).
menu_ticked() {
  local hwnd x y w h dark
  read -r hwnd x y w h _ < <(drv menu-wait 3000) || fail "no tray menu"
  local colour count
  dark=0
  while read -r colour count; do
    [ $((16#${colour:0:2} + 16#${colour:2:2} + 16#${colour:4:2})) -ge 200 ] || dark=$((dark + count))
  done < <(drv pixel-stats "$((x + 2))" "$((y + h - 44))" 22 41 | tr -d '\r')
  e2e_log "dark pixels in the picture column of the last items: $dark"
  [ "$dark" -ge 6 ]
}

test_release_package() {
  local version dist zip setup listing
  version=$(release_version)
  [ -n "$version" ] || fail "no version in CMakeLists.txt's project()"
  dist=$(release_dist)
  zip="Vandrel-$version-win64.zip"
  setup="Vandrel-$version-setup.exe"
  assert_eq "SHA256SUMS $setup $zip" "$(ls "$dist" | sort | tr '\n' ' ' | sed 's/ $//')" "files in dist/"
  (cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the files"
  assert_eq 2 "$(wc -l <"$dist/SHA256SUMS")" "lines of SHA256SUMS"
  listing=$(unzip -Z1 "$dist/$zip" | sort | tr '\n' ' ')
  for member in Vandrel.exe README.txt LICENSE; do
    [[ " $listing" == *" $member "* ]] || fail "the zip lacks $member (it holds: $listing)"
  done
  local pictures
  pictures=$(cd "$E2E_ROOT" && git ls-files --cached --others --exclude-standard 'docs/*.png' | sort | tr '\n' ' ')
  for member in $pictures; do
    [[ " $listing" == *" $member "* ]] || fail "the zip lacks $member (it holds: $listing)"
  done
  mkdir -p "$E2E_TEST_DIR/zip"
  unzip -q "$dist/$zip" -d "$E2E_TEST_DIR/zip" || fail "the zip does not unpack"
  # README.txt: the README with CR LF line ends, every line.
  sed 's/$/\r/' "$E2E_ROOT/README.md" >"$E2E_TEST_DIR/readme.expected"
  assert_file_bytes "$E2E_TEST_DIR/zip/README.txt" "$E2E_TEST_DIR/readme.expected" "README.txt in the zip"
  assert_file_bytes "$E2E_TEST_DIR/zip/LICENSE" "$E2E_ROOT/LICENSE" "LICENSE in the zip"
  grep -q 'Copyright (c) 2026 the Vandrel authors' "$E2E_TEST_DIR/zip/LICENSE" || fail "LICENSE names no copyright"
  # The version reaches the program's version resource.
  strings -el "$E2E_TEST_DIR/zip/Vandrel.exe" | grep -qx "$version" ||
    fail "Vandrel.exe's version resource does not hold $version"
  strings -el "$dist/$setup" | grep -qx "$version" || fail "the installer's version information does not hold $version"
  local size
  size=$(stat -c %s "$dist/$setup")
  measure "installer size (bytes)" "$size"
  [ "$size" -lt 1048576 ] || fail "the installer is $size bytes, not under 1 MB"
  # A 64-bit installer: PE32+ (its optional header's magic 0x20b).
  local pe
  pe=$(od -An -tu4 -j 60 -N 4 "$dist/$setup" | tr -d ' ')
  assert_eq "0b02" "$(od -An -tx1 -j $((pe + 24)) -N 2 "$dist/$setup" | tr -d ' ')" "the installer's PE magic (PE32+)"
}

test_release_install_start_with_windows_and_reinstall() {
  local dist setup dir
  dist=$(release_dist)
  setup="$dist/Vandrel-$(release_version)-setup.exe"
  dir=$(installed_dir)
  mkdir -p "$E2E_TEST_DIR/zip"
  unzip -q "$dist/Vandrel-$(release_version)-win64.zip" Vandrel.exe -d "$E2E_TEST_DIR/zip" || fail "the zip does not unpack"

  install_silently "$setup"
  measure "silent install into a fresh prefix (ms)" "$E2E_INSTALL_MS"
  assert_file_bytes "$dir/Vandrel.exe" "$E2E_TEST_DIR/zip/Vandrel.exe" "the installed Vandrel.exe"
  [ -f "$dir/Uninstall.exe" ] || fail "no Uninstall.exe in $dir"
  [ -f "$(start_menu_link)" ] || fail "no Start menu shortcut at $(start_menu_link)"
  local install_windows="$(profile_dir_windows)\\AppData\\Local\\Programs\\Vandrel"
  local exe_windows
  exe_windows=$(installed_exe_windows)
  local expected=(
    "DisplayName|REG_SZ Vandrel"
    "DisplayVersion|REG_SZ $(release_version)"
    "Publisher|REG_SZ the Vandrel authors"
    "DisplayIcon|REG_SZ $exe_windows"
    "InstallLocation|REG_SZ $install_windows"
    "UninstallString|REG_SZ \"$install_windows\\Uninstall.exe\""
    "QuietUninstallString|REG_SZ \"$install_windows\\Uninstall.exe\" /S"
    "NoModify|REG_DWORD 0x1"
    "NoRepair|REG_DWORD 0x1"
  )
  local line name value
  for line in "${expected[@]}"; do
    name=${line%%|*}
    value=$(reg_value "$UNINSTALL_KEY" "$name") || fail "the uninstall entry has no $name"
    assert_eq "${line#*|}" "$value" "the uninstall entry's $name"
  done
  # EstimatedSize in KB: the installed files' size, rounded.
  value=$(reg_value "$UNINSTALL_KEY" EstimatedSize) || fail "the uninstall entry has no EstimatedSize"
  local kb=$(( $(printf '%d' "${value#REG_DWORD }") )) files_kb=$(( $(du -sb "$dir" | cut -f1) / 1024 ))
  [ "${value%% *}" == REG_DWORD ] && [ "$kb" -ge $((files_kb - 4)) ] && [ "$kb" -le $((files_kb + 4)) ] ||
    fail "EstimatedSize is '$value', the installed files take $files_kb KB"
  assert_eq "REG_SZ \"$exe_windows\"" "$(reg_value "$RUN_KEY" Vandrel)" "the Run value after a default install"
  assert_eq "REG_SZ \"$exe_windows\" \"%1\"" "$(reg_value "$OPEN_WITH_KEY\\shell\\open\\command" "")" \
    "the open-with command"
  reg_value "$OPEN_WITH_KEY\\SupportedTypes" .gpl >/dev/null && reg_value "$OPEN_WITH_KEY\\SupportedTypes" .ase >/dev/null ||
    fail "SupportedTypes does not list .gpl and .ase"
  local ext
  for ext in gpl ase; do
    reg_key_exists "HKCU\\Software\\Classes\\.$ext\\OpenWithList\\Vandrel.exe" ||
      fail ".$ext's OpenWithList does not name Vandrel.exe"
    ! reg_value "HKCU\\Software\\Classes\\.$ext" "" >/dev/null || fail "the installer took over the .$ext file type"
  done

  # The installed program starts with "Start with Windows" checked; choosing it removes the Run value.
  VANDREL_EXE="$exe_windows"
  write_crlf "$(settings_dir)/start.pal" '#FF8080' '#FFFF80'
  start_vandrel
  wait_started
  open_tray_menu right
  screenshot tray-menu-checked
  menu_ticked || fail "the tray menu's \"Start with Windows\" is not checked after the install"
  drv menu-keys up up enter >/dev/null
  wait_until 5000 bash -c "! wine reg query '$RUN_KEY' /v Vandrel >/dev/null 2>&1" ||
    fail "choosing \"Start with Windows\" left the Run value: $(reg_value "$RUN_KEY" Vandrel)"
  open_tray_menu right
  screenshot tray-menu-unchecked
  ! menu_ticked || fail "the tray menu's \"Start with Windows\" is still checked after choosing it"
  # Chosen again, the program writes its own path.
  drv menu-keys up up enter >/dev/null
  wait_output 5000 "REG_SZ \"$exe_windows\"" reg_value "$RUN_KEY" Vandrel ||
    fail "choosing \"Start with Windows\" again wrote '$E2E_LAST_OUTPUT'"

  # Installing again over the running copy ends it as its Exit does (settings written) and
  # replaces the program file.
  # Dated back (its bytes untouched): the installer's copy carries the build's date.
  touch -d '2001-01-01 00:00:00' "$dir/Vandrel.exe"
  rm -f "$(settings_dir)/Vandrel.ini"
  install_silently "$setup"
  measure "silent install over a running copy (ms)" "$E2E_INSTALL_MS"
  local code
  code=$(wait_vandrel_exit 5000) || fail "the running copy still runs after the second install"
  assert_eq 0 "$code" "exit code of the copy the installer ended"
  [ -s "$(settings_dir)/Vandrel.ini" ] || fail "the ended copy wrote no settings file"
  grep -q '^\[start.pal\]' "$(settings_dir)/Vandrel.ini" || fail "the settings file lacks start.pal's group"
  [ "$(stat -c %Y "$dir/Vandrel.exe")" != "$(date -d '2001-01-01 00:00:00' +%s)" ] ||
    fail "the program file was not replaced"
  assert_file_bytes "$dir/Vandrel.exe" "$E2E_TEST_DIR/zip/Vandrel.exe" "the reinstalled Vandrel.exe"
  assert_eq "LICENSE README.txt Uninstall.exe Vandrel.exe" "$(ls "$dir" | sort | tr '\n' ' ' | sed 's/ $//')" \
    "files in the installation folder"
  drv wait-gone VandrelTrayOwner Vandrel 3000 >/dev/null || fail "a Vandrel window is left after the install"
}

test_release_uninstall_keeps_palettes_and_settings() {
  local dist dir
  dist=$(release_dist)
  dir=$(installed_dir)
  install_silently "$dist/Vandrel-$(release_version)-setup.exe"
  VANDREL_EXE=$(installed_exe_windows)
  write_crlf "$(settings_dir)/start.pal" '#000000' '#FF0000'
  write_crlf "$(settings_dir)/mine.pal" '#123456'
  start_vandrel
  wait_started
  exit_from_tray
  # What the user has: compared byte for byte after the uninstall.
  (cd "$(settings_dir)" && find . -type f -print0 | sort -z | xargs -0 sha256sum) >"$E2E_TEST_DIR/profile.before"
  [ "$(wc -l <"$E2E_TEST_DIR/profile.before")" -ge 3 ] || fail "no settings and palettes to keep: $(cat "$E2E_TEST_DIR/profile.before")"
  # The uninstaller copies itself away and returns at once; the copy ends the running program first.
  start_vandrel
  wait_started
  wine "$dir/Uninstall.exe" /S >>"$E2E_ARTIFACT_DIR/setup.log" 2>&1 || fail "the uninstaller ended with status $?"
  wait_until 20000 bash -c "[ ! -e '$dir' ]" || fail "the installation folder is still there: $(ls "$dir")"
  local code
  code=$(wait_vandrel_exit 5000) || fail "the running copy still runs after the uninstall"
  assert_eq 0 "$code" "exit code of the copy the uninstaller ended"
  [ ! -e "$(start_menu_link)" ] || fail "the Start menu shortcut is still there"
  ! reg_key_exists "$UNINSTALL_KEY" || fail "the uninstall entry is still there"
  ! reg_value "$RUN_KEY" Vandrel >/dev/null || fail "the Run value is still there"
  ! reg_key_exists "$OPEN_WITH_KEY" || fail "the open-with entry is still there"
  ! reg_key_exists 'HKCU\Software\Classes\.gpl\OpenWithList\Vandrel.exe' || fail ".gpl still names Vandrel"
  ! reg_key_exists 'HKCU\Software\Classes\.ase\OpenWithList\Vandrel.exe' || fail ".ase still names Vandrel"
  (cd "$(settings_dir)" && find . -type f -print0 | sort -z | xargs -0 sha256sum) >"$E2E_TEST_DIR/profile.after"
  diff "$E2E_TEST_DIR/profile.before" "$E2E_TEST_DIR/profile.after" >&2 ||
    fail "the uninstall changed the palettes or settings in the profile"
}
