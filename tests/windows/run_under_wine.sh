#!/usr/bin/env bash
# End-to-end test of the Windows pack, run as a user would run it: the cross-built .exe under Wine
# on a virtual display, in a fresh empty folder. It checks that
#   - the version resource reads back with the pack's identity, and the .exe needs no extra DLLs;
#   - the .exe leaves exactly the files the native build leaves, byte for byte, with the same exit
#     status, also when older, longer files of the same names are in the way;
#   - the native pack, the reference, compiles the shipped scenario without a failure and leaves
#     its three text files and three binary files;
#   - the waiting window is painted before any file is written: "Attendere" inside the label's
#     rectangle, nothing elsewhere;
#   - a pack whose route puts a direction board at 0 m behaves like its native twin: it shows the
#     error box (the native one reports it on standard error), ends with status 2 once the box is
#     dismissed, and writes no binary file;
#   - runs in one folder go one at a time, and a file fault is shown in a box
#     (one_run_at_a_time_under_wine.sh, sourced below).
# Every check either passes or fails; the script ends non-zero when any check failed.
# Arguments, if any, are added to every CMake configure (.ci/run passes warnings as errors).
# Wine, its server and the display live in a temporary folder and are stopped at the end.
# Screenshots are kept in build/windows-test/artifacts/.
# Needs what `scripts/install-prerequisites pack tests windows` installs.
set -euo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
cd "$repo"

readonly line_name="Vallombra Marina_Scogliera"
readonly pack_name="${line_name}_4127"
readonly board_pack_name="Cartello Zero_4127"
readonly native_pack="$repo/build/release/$pack_name"
readonly native_board_pack="$repo/build/test/tests/windows/board_at_zero/$board_pack_name"
readonly windows_pack="$repo/build/windows/$pack_name.exe"
readonly held_pack="$repo/build/windows-test/tests/windows/held/$pack_name.exe"
readonly board_pack="$repo/build/windows-test/tests/windows/board_at_zero/$board_pack_name.exe"
readonly artifacts="$repo/build/windows-test/artifacts"

# Form1's client area and its label, in pixels.
readonly client_width=280 client_height=179
readonly label_left=64 label_top=64 label_width=177 label_height=53

failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
step() { echo "--- $*"; }

# ---------------------------------------------------------------------------------------------
step "building the native pack, the Windows pack and the Windows test packs"
cmake --preset release "$@" >/dev/null
cmake --build --preset release >/dev/null
cmake --preset test "$@" >/dev/null
cmake --build --preset test --target board_at_zero_pack collina_pack marker_taken_pack >/dev/null
cmake --preset windows "$@" >/dev/null
cmake --build --preset windows >/dev/null
cmake --preset windows -B build/windows-test -DSCENARIO_BUILD_TESTS=ON \
  -DSCENARIO_HOST_SCENARIO="$repo/build/release/tools/scenario" "$@" >/dev/null
cmake --build build/windows-test -j2 --target held_pack board_at_zero_pack >/dev/null
rm -rf "$artifacts"
mkdir -p "$artifacts"

# ---------------------------------------------------------------------------------------------
step "a private Wine and a virtual display"
work=$(mktemp -d "${TMPDIR:-/tmp}/pack-wine-test.XXXXXX")
xvfb_pid=""
cleanup() {
  if [[ -d "$work/prefix" ]]; then
    WINEPREFIX="$work/prefix" timeout 20 wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$work/prefix" timeout 20 wineserver -w >/dev/null 2>&1 || true
  fi
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/home" "$work/tmp"
export HOME="$work/home" TMPDIR="$work/tmp" WINEPREFIX="$work/prefix" WINEARCH=win64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer
export LC_ALL=C.UTF-8                                      # the system's English box title
unset WINESERVER WINELOADER

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s "$work/display" ]] && break
  sleep 0.1
done
[[ -s "$work/display" ]] || {
  echo "Xvfb did not start"
  exit 1
}
display_number=$(head -n1 "$work/display")
export DISPLAY=":$display_number"

timeout 120 wineboot --init >"$work/wineboot.log" 2>&1
timeout 60 wineserver -w
# Debian's Wine does not find its own fonts. The raster "MS Sans Serif" is left out: it scales
# badly to the label's 24 point, and the TrueType face of the same name renders cleanly.
find /usr/share/wine/fonts -maxdepth 1 -type f ! -name 'sserif*.fon' \
  -exec cp -t "$WINEPREFIX/drive_c/windows/Fonts" {} +
# With no window manager, every hidden window would otherwise wait 2 s for one.
timeout 30 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
timeout 60 wineserver -w

# Runs a copy of an .exe in a fresh folder; sets run_status. Standard error goes to $2/stderr.
run_exe_in() {
  local exe=$1 folder=$2
  mkdir -p "$folder"
  cp "$exe" "$folder/"
  run_status=0
  (cd "$folder" && timeout -k 5 60 wine "./$(basename "$exe")" >/dev/null 2>"$work/stderr") ||
    run_status=$?
}

# The files a run left, one name a line, without the program itself (native or .exe).
files_left() {
  (cd "$1" && find . -maxdepth 1 -type f ! -name "$pack_name" ! -name "$board_pack_name" \
    ! -name '*.exe' -printf '%f\n' | LC_ALL=C sort)
}

# Same names, same bytes.
same_files() {
  local expected=$1 actual=$2 name
  if [[ "$(files_left "$expected")" != "$(files_left "$actual")" ]]; then
    echo "  expected files: $(files_left "$expected" | tr '\n' '|')"
    echo "  files left:     $(files_left "$actual" | tr '\n' '|')"
    return 1
  fi
  while IFS= read -r name; do
    cmp -s "$expected/$name" "$actual/$name" || {
      echo "  $name differs"
      return 1
    }
  done < <(files_left "$expected")
}

# ---------------------------------------------------------------------------------------------
step "version resource and imports"
check_version_resource() {
  local exe=$1 name=$2 rc missing=()
  rc=$(x86_64-w64-mingw32-windres -i "$exe" -O rc | sed 's/^ *//') || {
    fail "no resources could be read from $name.exe"
    return
  }
  local expected=(
    'LANGUAGE 16, 1'
    'FILEVERSION 1, 0, 0, 0'
    'PRODUCTVERSION 1, 0, 0, 0'
    'BLOCK "041004E4"'
    'VALUE "FileVersion", "1.00"'
    'VALUE "ProductVersion", "1.00"'
    "VALUE \"InternalName\", \"$name\""
    "VALUE \"OriginalFilename\", \"$name.exe\""
    'VALUE "Translation", 0x410, 1252')
  local line
  for line in "${expected[@]}"; do
    grep -qxF "$line" <<<"$rc" || missing+=("$line")
  done
  if ((${#missing[@]})); then
    fail "version resource of $name lacks: ${missing[*]}"
  else
    pass "version resource of $name: $name(.exe), 1.00, Italian (Italy), code page 1252"
  fi
}
check_version_resource "$windows_pack" "$pack_name"
check_version_resource "$board_pack" "$board_pack_name"

headers=$(x86_64-w64-mingw32-objdump -p "$windows_pack")
if grep -q 'Subsystem.*(Windows GUI)' <<<"$headers"; then
  pass "the pack is a GUI program"
else
  fail "the pack is not a GUI-subsystem program"
fi
extra_dlls=$(grep 'DLL Name:' <<<"$headers" | awk '{print toupper($3)}' |
  grep -vxE 'KERNEL32.DLL|USER32.DLL|GDI32.DLL|MSVCRT.DLL' || true)
if [[ -z "$extra_dlls" ]]; then
  pass "the pack imports only system DLLs"
else
  fail "the pack needs DLLs a bare Windows lacks: $extra_dlls"
fi

# ---------------------------------------------------------------------------------------------
step "the pack under Wine against the native pack"
native_run="$work/native"
mkdir -p "$native_run"
cp "$native_pack" "$native_run/"
native_status=0
(cd "$native_run" && timeout 60 "./$pack_name" </dev/null >/dev/null 2>&1) || native_status=$?
echo "  native pack: status $native_status, files: $(files_left "$native_run" | tr '\n' '|')"

run_exe_in "$windows_pack" "$work/fresh"
if [[ $run_status == "$native_status" ]] && same_files "$native_run" "$work/fresh"; then
  pass "in a fresh folder the .exe leaves the native pack's files byte for byte, status $run_status"
else
  fail "in a fresh folder the .exe ended with status $run_status (native $native_status) or left other files"
fi

# Older, longer files of every name the run leaves: each must be replaced whole.
mkdir -p "$work/over_older"
while IFS= read -r name; do
  head -c 100000 /dev/zero | tr '\0' 'x' >"$work/over_older/$name"
done < <(files_left "$native_run")
run_exe_in "$windows_pack" "$work/over_older"
if [[ $run_status == "$native_status" ]] && same_files "$native_run" "$work/over_older"; then
  pass "over older, longer files the .exe leaves the same bytes"
else
  fail "over older, longer files the .exe ended with status $run_status or left other bytes"
fi

# The native pack is the reference the .exe was compared with: it must itself compile the shipped
# scenario cleanly and leave every file, or matching it proves nothing.
if [[ $native_status == 0 ]]; then
  pass "the pack compiles the shipped scenario without a failure (status 0)"
else
  fail "the shipped scenario should compile cleanly, the native pack ended with status $native_status"
fi
expected_files=$(printf '%s\n' "${pack_name}_note.txt" "${pack_name}_rallentamenti.txt" \
  "${pack_name}_scheda_treno.txt" "${line_name}_linea.dat" "$pack_name.sim" "$pack_name.dat" |
  LC_ALL=C sort)
if [[ "$(files_left "$native_run")" == "$expected_files" ]]; then
  pass "the native pack leaves its three text files and its three binary files, nothing else"
else
  fail "the native pack left $(files_left "$native_run" | tr '\n' '|') instead of exactly" \
    "$(tr '\n' '|' <<<"$expected_files")"
fi

# ---------------------------------------------------------------------------------------------
step "the waiting window"
# Dark pixels (text) in a rectangle of a screenshot.
dark_pixels() {
  local image=$1 geometry=$2
  convert "$image" -crop "$geometry" +repage -colorspace Gray -threshold 50% -negate \
    -format '%[fx:round(mean*w*h)]' info:
}

mkdir -p "$work/held"
cp "$held_pack" "$work/held/"
(cd "$work/held" && SCENARIO_HOLD_WINDOW_MS=4000 timeout -k 5 30 wine "./$pack_name.exe" \
  >/dev/null 2>&1) &
held_pid=$!
window=$(timeout 15 xdotool search --sync --onlyvisible --name "^$pack_name\$" 2>/dev/null |
  head -n1 || true)
if [[ -z "$window" ]]; then
  fail "the waiting window did not appear"
else
  sleep 0.5  # the window is painted before it is mapped; let the server draw it
  import -window root "$work/screen.png"
  written_before=$(files_left "$work/held" | tr '\n' '|')
  eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y, WIDTH, HEIGHT of the frame
  # Wine draws the frame itself: equal borders left, right and bottom, the caption on top.
  border=$(((WIDTH - client_width) / 2))
  caption=$((HEIGHT - client_height - border))
  client_x=$((X + border))
  client_y=$((Y + caption))
  convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage \
    "$artifacts/waiting_window.png"
  label_x=$((client_x + label_left))
  label_y=$((client_y + label_top))
  half=$((label_width / 2))
  left_text=$(dark_pixels "$work/screen.png" "${half}x${label_height}+${label_x}+${label_y}")
  right_text=$(dark_pixels "$work/screen.png" \
    "$((label_width - half))x${label_height}+$((label_x + half))+${label_y}")
  elsewhere=$(convert "$work/screen.png" -crop "${client_width}x${client_height}+${client_x}+${client_y}" \
    +repage -fill white -draw "rectangle $label_left,$label_top $((label_left + label_width - 1)),$((label_top + label_height - 1))" \
    -colorspace Gray -threshold 50% -negate -format '%[fx:round(mean*w*h)]' info:)
  echo "  frame ${WIDTH}x${HEIGHT} at $X,$Y; dark pixels: label left half $left_text," \
    "right half $right_text, rest of the client area $elsewhere"
  if ((border < 0 || border > 12 || caption < 12 || caption > 40 ||
    (WIDTH - client_width) % 2 != 0)); then
    fail "the window's frame ${WIDTH}x${HEIGHT} does not hold a ${client_width}x${client_height} client area"
  elif ((left_text < 150 || right_text < 150 || elsewhere != 0)); then
    fail "\"Attendere\" is not painted in the label's rectangle alone (see $artifacts/waiting_window.png)"
  else
    pass "the waiting window shows its label, painted in the label's rectangle (waiting_window.png)"
  fi
  if [[ -z "$written_before" ]]; then
    pass "the window is painted before the first file is written"
  else
    fail "files were written before the window was painted: $written_before"
  fi
fi
wait "$held_pid" || true

# ---------------------------------------------------------------------------------------------
step "the error box"
# The native twin of the board pack says what the .exe must do; its box is a line on standard
# error and it does not wait, standard input not being a terminal.
mkdir -p "$work/board_native"
cp "$native_board_pack" "$work/board_native/"
native_board_status=0
(cd "$work/board_native" && timeout 60 "./$board_pack_name" </dev/null >/dev/null \
  2>"$work/board_native_stderr") || native_board_status=$?

mkdir -p "$work/board"
cp "$board_pack" "$work/board/"
(cd "$work/board" && timeout -k 5 60 wine "./$board_pack_name.exe" >/dev/null \
  2>"$work/board_stderr") &
board_pid=$!
box=""
for _ in $(seq 150); do
  box=$(xdotool search --onlyvisible --name '^Error$' 2>/dev/null | head -n1 || true)
  [[ -n "$box" ]] || ! kill -0 "$board_pid" 2>/dev/null && break
  sleep 0.1
done
if [[ -n "$box" ]]; then
  sleep 0.5
  import -window root "$work/box_screen.png"
  eval "$(xdotool getwindowgeometry --shell "$box")"
  convert "$work/box_screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage \
    "$artifacts/error_box.png"
  xdotool windowfocus --sync "$box" key Return
fi
for _ in $(seq 100); do
  kill -0 "$board_pid" 2>/dev/null || break
  sleep 0.1
done
board_status=0
wait "$board_pid" || board_status=$?

if [[ $board_status == "$native_board_status" ]] &&
  same_files "$work/board_native" "$work/board"; then
  pass "the board pack under Wine matches its native twin: status $board_status, same files"
else
  fail "the board pack ended with status $board_status under Wine, $native_board_status natively," \
    "or left other files"
fi
native_binaries=$(files_left "$work/board_native" | grep -E '\.(dat|sim)$' | tr '\n' ' ' || true)
if [[ $native_board_status == 2 ]] && [[ -z "$native_binaries" ]] &&
  grep -qF ' Errore n. 1250' "$work/board_native_stderr"; then
  pass "the native twin reports \" Errore n. 1250\", ends with status 2 and writes no binary file"
else
  fail "the native twin should report \" Errore n. 1250\" and end with status 2 and no binary" \
    "file: status $native_board_status, binary files '${native_binaries}', message:" \
    "$(tr '\n' ' ' <"$work/board_native_stderr")"
fi
binaries=$(files_left "$work/board" | grep -E '\.(dat|sim)$' | tr '\n' ' ' || true)
if [[ -n "$box" ]] && [[ $board_status == 2 ]] && [[ -z "$binaries" ]] &&
  grep -qF ' Errore n. 1250' "$work/board_stderr"; then
  pass "the error box \" Errore n. 1250\" appeared (error_box.png); dismissed, the pack ended" \
    "with status 2 and no binary file"
else
  fail "the error box: seen '${box}', status $board_status (expected 2), binary files" \
    "'${binaries}', message: $(tr '\n' ' ' <"$work/board_stderr")"
fi

# shellcheck source=tests/windows/one_run_at_a_time_under_wine.sh
source "$repo/tests/windows/one_run_at_a_time_under_wine.sh"

# The author's tools: scenario pack, scenario.exe and the bundles.
# shellcheck source=author_tools_under_wine.sh
source "$repo/tests/windows/author_tools_under_wine.sh"

echo
if ((failures)); then
  echo "Windows pack under Wine: $failures check(s) failed"
  exit 1
fi
echo "Windows pack under Wine: all checks passed"
