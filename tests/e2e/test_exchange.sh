# Palette files of other programs: the import through the system's open dialog (a GIMP palette of
# 30 colours, an Adobe Swatch Exchange file with two groups, several files at once, a broken
# file), files handed over by a second start, and the export of a palette to every type.

# shellcheck source=editor_lib.sh
source "$E2E_ROOT/tests/e2e/editor_lib.sh"

# Where the test's own files lie: a folder of the profile, and its Windows name.
exchange_dir() { printf '%s' "$(profile_dir)/exchange"; }
exchange_dir_windows() { printf '%s\\exchange' "$(profile_dir_windows)"; }

# The bytes of an Adobe Swatch Exchange file: ase_file COUNT BLOCK... where each block is
# "group NAME", "end" or "rgb NAME R G B" (floats 0..1), written from the format's layout.
ase_file() {
  python3 - "$@" <<'EOF'
import struct, sys
def name(s):
    units = s.encode("utf-16-be") + b"\0\0"
    return struct.pack(">H", len(units) // 2) + units
def block(kind, body):
    return struct.pack(">HI", kind, len(body)) + body
out = b"ASEF" + struct.pack(">HHI", 1, 0, int(sys.argv[1]))
for entry in sys.argv[2:]:
    word = entry.split(" ")
    if word[0] == "group":
        out += block(0xC001, name(word[1]))
    elif word[0] == "end":
        out += block(0xC002, b"")
    else:
        out += block(0x0001, name(word[1]) + b"RGB " + struct.pack(">fff", *map(float, word[2:5])) + struct.pack(">H", 2))
sys.stdout.buffer.write(out)
EOF
}

# Chooses "From file..." of the new-palette menu and waits for the open dialog.
open_import_dialog() {
  menu_command 22
  drv dialog-wait "Import palettes" 10000 >/dev/null || fail "no open dialog appeared after \"From file...\""
}

# "X Y W H HWND" of the file name field (the edit inside the dialog's name box) of dialog TITLE.
file_name_field() { # TITLE
  local dialog
  dialog=$(drv dialog-wait "$1" 5000 | cut -d' ' -f1) || fail "the dialog \"$1\" is gone"
  drv children "$dialog" | awk '$1 == 1148 && $2 == "Edit" { print $3, $4, $5, $6, $9; found = 1 }
                                END { exit !found }' || fail "the dialog \"$1\" has no file name field"
}

# Types TEXT into the file name field of the dialog TITLE, over what it holds, and presses its
# OK button; with SHOT, a screenshot of the dialog first.
type_file_name() { # TITLE TEXT [SHOT]
  local x y w h field
  read -r x y w h field < <(file_name_field "$1")
  drv click $((x + w / 2)) $((y + h / 2)) >/dev/null
  drv key home >/dev/null
  drv key shift+end >/dev/null
  drv type "$2" --unicode >/dev/null
  wait_output 3000 "$2" drv text "$field" || fail "the file name field shows '$E2E_LAST_OUTPUT', not '$2'"
  [ -z "${3:-}" ] || screenshot "$3"
  drv dialog-click "$1" 1 >/dev/null
}

# Waits for the message titled Vandrel, checks its text and answers it.
expect_vandrel_message() { # TEXT
  local shown
  shown=$(drv msgbox-wait Vandrel 10000 | tail -n +2 | tr -d '\r') || fail "no message titled Vandrel appeared"
  assert_eq "$1" "$shown" "the message"
  drv msgbox-answer Vandrel ok >/dev/null
}

palette_files() { (cd "$(settings_dir)" && ls -- *.pal | sort | tr '\n' '|'); }

test_exchange_import_through_the_open_dialog() {
  mkdir -p "$(settings_dir)" "$(exchange_dir)"
  write_start_palette "$(settings_dir)/start.pal"
  # 30 colours, "Name:" and "Columns:" headers, a comment, an empty line, CR LF and LF lines.
  {
    printf 'GIMP Palette\r\nName: Thirty\r\nColumns: 3\r\n# thirty reds\r\n\r\n'
    for i in $(seq 1 30); do printf '%3d   0 %3d\tred %d\n' $((i * 8)) "$i" "$i"; done
  } >"$(exchange_dir)/thirty.gpl"
  ase_file 6 "group Warm" "rgb Orange 1 0.5 0" "end" "group Cool" "rgb Sea 0 0.5 1" "rgb Ice 0.8 0.4 1" \
    "end" >"$(exchange_dir)/two.ase"
  printf '#123456\n654321\n' >"$(exchange_dir)/list.hex"
  printf '.a { color: #abc; background: rgb(0 128 255); }\n' >"$(exchange_dir)/sheet.css"
  printf 'ASEF\0\1\0\0\377\377\377\377\0\1\377\377' >"$(exchange_dir)/broken.ase"
  start_vandrel
  wait_started

  open_import_dialog
  type_file_name "Import palettes" "$(exchange_dir_windows)\\thirty.gpl" open_dialog
  drv msgbox-wait Vandrel 10000 >/dev/null && screenshot import_message
  expect_vandrel_message "Imported 30 colors from thirty.gpl into 3 palettes."
  local n expected
  for n in 1 2 3; do
    expected=$(for i in $(seq $(((n - 1) * 12 + 1)) $((n * 12 < 30 ? n * 12 : 30))); do
      printf '#%02X00%02X\r\n' $((i * 8)) "$i"; done | xxd -p | tr -d '\n')
    assert_file_bytes "$(settings_dir)/Thirty $n.pal" "$expected" "Thirty $n.pal"
  done

  open_import_dialog
  type_file_name "Import palettes" "$(exchange_dir_windows)\\two.ase"
  expect_vandrel_message "Imported 3 colors from two.ase into 2 palettes."
  assert_file_bytes "$(settings_dir)/Warm.pal" "$(printf '#FF8000\r\n' | xxd -p)" "Warm.pal"
  assert_file_bytes "$(settings_dir)/Cool.pal" "$(printf '#0080FF\r\n#CC66FF\r\n' | xxd -p | tr -d '\n')" "Cool.pal"

  # Several files at once: the folder first, then the names in quotes, as the dialog takes them.
  open_import_dialog
  type_file_name "Import palettes" "$(exchange_dir_windows)"
  type_file_name "Import palettes" '"list.hex" "sheet.css" "broken.ase"'
  expect_vandrel_message "$(printf '%s\n' "Imported 2 colors from list.hex into 1 palette." \
    "Imported 2 colors from sheet.css into 1 palette." "broken.ase is not a palette file Vandrel can read.")"
  assert_file_bytes "$(settings_dir)/list.pal" "$(printf '#123456\r\n#654321\r\n' | xxd -p | tr -d '\n')" "list.pal"
  assert_file_bytes "$(settings_dir)/sheet.pal" "$(printf '#AABBCC\r\n#0080FF\r\n' | xxd -p | tr -d '\n')" "sheet.pal"
  assert_eq "Cool.pal|Thirty 1.pal|Thirty 2.pal|Thirty 3.pal|Warm.pal|list.pal|sheet.pal|start.pal|" \
    "$(palette_files)" "the palette files (nothing for the broken file, no temporary left)"

  # The tray menu lists the new palettes.
  open_tray_menu right
  screenshot tray_menu_after_import
  drv menu-keys escape >/dev/null

  # Handed over by a second start while Vandrel runs: that copy ends, this one imports.
  printf 'FFFF0000\r\nFF00FF00\r\n' >"$(exchange_dir)/handed.txt"
  local code
  timeout 30 wine "$VANDREL_EXE" "$(exchange_dir_windows)\\handed.txt" >>"$E2E_ARTIFACT_DIR/vandrel.log" 2>&1
  code=$?
  assert_eq 0 "$code" "the second start's exit code"
  expect_vandrel_message "Imported 2 colors from handed.txt into 1 palette."
  assert_file_bytes "$(settings_dir)/handed.pal" "$(printf '#FF0000\r\n#00FF00\r\n' | xxd -p | tr -d '\n')" "handed.pal"
  vandrel_running || fail "the running copy ended"
  exit_from_tray
}

test_exchange_export_to_every_type() {
  mkdir -p "$(settings_dir)" "$(exchange_dir)"
  write_crlf "$(settings_dir)/start.pal" "#FF0000" "#0A0B0C"
  write_crlf "$(settings_dir)/Second.pal" "#FFFFFF"
  write_crlf "$(settings_dir)/Vandrel.ini" "[start.pal]" "WinID = 1" "X = 300" "Y = 200"
  start_vandrel
  wait_started
  palette_window 1 >/dev/null || fail "no palette window"

  local type file
  local -a names=(gpl ase txt hex css all)
  for type in 0 1 2 3 4 5; do
    file="export-${names[$type]}"
    # "Export..." of the palette's popup menu: Move, Edit, Format, Export...
    local px py
    read -r _ px py _ < <(palette_window 1)
    drv click $((px + 10)) $((py + 10)) right >/dev/null
    drv menu-wait 3000 >/dev/null || fail "no popup menu on a right click of the palette"
    [ "$type" = 0 ] && screenshot popup_menu
    drv menu-keys down down down down enter >/dev/null
    drv dialog-wait "Export palette" 10000 >/dev/null || fail "no save dialog appeared after \"Export...\""
    if [ "$type" = 0 ]; then
      local field
      field=$(file_name_field "Export palette" | cut -d' ' -f5)
      assert_eq "start" "$(drv text "$field")" "the name suggested"
    fi
    drv dialog-select "Export palette" 1136 "$type" >/dev/null || fail "the save dialog has no type list"
    # The first goes to the documents folder by its full name, the others by name alone: the
    # dialog opens in the folder of the last export.
    if [ "$type" = 0 ]; then
      type_file_name "Export palette" "$(exchange_dir_windows)\\$file" save_dialog
    else
      type_file_name "Export palette" "$file"
    fi
    drv wait-gone "#32770" "Export palette" 5000 >/dev/null || fail "the save dialog stayed open"
  done
  local dir
  dir=$(exchange_dir)
  wait_for_file "$dir/export-all.ase" 5000 || fail "no export-all.ase was written"
  assert_file_bytes "$dir/export-gpl.gpl" \
    "$(printf 'GIMP Palette\nName: start\nColumns: 1\n#\n255   0   0\t#FF0000\n 10  11  12\t#0A0B0C\n' | xxd -p | tr -d '\n')" ".gpl"
  assert_file_bytes "$dir/export-hex.hex" "$(printf 'ff0000\n0a0b0c\n' | xxd -p | tr -d '\n')" ".hex"
  assert_file_bytes "$dir/export-css.css" \
    "$(printf ':root {\n  --start-1: #ff0000;\n  --start-2: #0a0b0c;\n}\n' | xxd -p | tr -d '\n')" ".css"
  assert_file_bytes "$dir/export-txt.txt" \
    "$(printf '; paint.net Palette File\r\n; start, exported from Vandrel\r\n; Colors are AARRGGBB\r\nFFFF0000\r\nFF0A0B0C\r\n' | xxd -p | tr -d '\n')" ".txt"
  assert_file_bytes "$dir/export-ase.ase" "$(ase_file 4 "group start" "rgb #FF0000 1 0 0" \
    "rgb #0A0B0C $(python3 -c 'print(10/255, 11/255, 12/255)')" "end" | xxd -p | tr -d '\n')" ".ase"
  # Every palette, a group each, in the list's order (as the folder lists them).
  local all
  all=$(python3 - "$dir/export-all.ase" <<'EOF'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"ASEF\0\1\0\0"
pos, out = 12, []
while pos + 6 <= len(data):
    kind, length = struct.unpack(">HI", data[pos:pos + 6])
    body = data[pos + 6:pos + 6 + length]
    if kind == 0xC001:
        units = struct.unpack(">H", body[:2])[0]
        out.append("group " + body[2:2 + units * 2 - 2].decode("utf-16-be"))
    elif kind == 1:
        units = struct.unpack(">H", body[:2])[0]
        out.append(body[2:2 + units * 2 - 2].decode("utf-16-be"))
    pos += 6 + length
print(" ".join(sorted(out)))
EOF
) || fail "export-all.ase is no Adobe Swatch Exchange file"
  assert_eq "#0A0B0C #FF0000 #FFFFFF group Second group start" "$all" "the groups and colours of every palette"
  assert_no_file "$dir/~Vandrel.saving" "a temporary file was left"
  exit_from_tray
}
