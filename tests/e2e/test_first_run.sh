# First start in a clean profile: Vandrel makes its start palette and writes no settings
# until it exits.

folder_listing() {
  if [ -d "$1" ]; then
    printf 'the folder holds: %s' "$(cd "$1" && ls -A | tr '\n' ' ')"
  else
    printf 'the folder does not exist'
  fi
}

# Waits for a palette file to appear and to reach its full content, then checks its bytes.
expect_start_palette() {
  local palette="$1" windows_path="$2" expected="$E2E_TEST_DIR/expected-start.pal"
  write_start_palette "$expected"
  wait_for_file "$palette" 10000 ||
    fail "$windows_path did not appear within 10 s of the start" \
      "($(folder_listing "$(dirname "$palette")"))"
  wait_until 2000 cmp -s "$palette" "$expected"
  assert_file_bytes "$palette" "$expected" "$windows_path"
}

test_first_run_creates_start_palette() {
  start_vandrel
  expect_start_palette "$(settings_dir)/start.pal" "$(profile_dir_windows)\\Vandrel\\start.pal"

  # Once the tray icon's owner exists the start is over: still no settings file.
  drv wait-exists VandrelTrayOwner Vandrel 10000 >/dev/null ||
    fail "Vandrel did not finish starting: its tray owner window never appeared"
  vandrel_running || fail "Vandrel quit by itself right after the first start"
  assert_no_file "$(settings_dir)/Vandrel.ini" \
    "$(profile_dir_windows)\\Vandrel\\Vandrel.ini already exists while the program runs; settings are written only at exit"
  kill_vandrel
}

test_settings_naming_other_palette_folder() {
  local folder
  folder="$(profile_dir_windows)\\Palettes"
  write_crlf "$(settings_dir)/Vandrel.ini" "Palette_Directory = $folder"
  start_vandrel
  expect_start_palette "$(profile_dir)/Palettes/start.pal" "$folder\\start.pal"
  kill_vandrel
}
