# Part of run_under_wine.sh, which sources it once Wine and the display are up and its helpers
# (pass, fail, skip, step, same_files, files_left, check_version_resource) are defined. It checks
# what an author uses, as an author would:
#   - packs made by `scenario pack` for the shipped scenario and the test scenarios run under
#     Wine as the packs the build makes run natively: same status, same files byte for byte, the
#     same error box, and their version resource reads back;
#   - a pack with one byte of its payload changed says so in a box captioned with its name,
#     ends with status 65 and writes nothing; one cut short is refused by the system's loader
#     and writes nothing;
#   - scenario.exe under Wine gives the Linux command's results for compile, pack, --help, and
#     dump, verify and diff of a set whose line name is not ASCII (also typed in cmd), with paths
#     and names that are not ASCII;
#   - the bundles hold what their README lists, and the README's own command, run from the
#     unpacked ZIP under Wine, makes a pack that works.
# Needs: build/release (command, both stubs, shipped pack, the Linux bundle), build/test (the
# test packs), build/windows (scenario.exe, the Windows stub, the Windows bundle).

readonly native_tool="$repo/build/release/tools/scenario"
readonly windows_tool="$repo/build/windows/tools/scenario.exe"
readonly windows_stub="$repo/build/windows/tools/scenario-pack-windows.exe"
readonly test_scenarios="$repo/tests/tools/scenarios"
readonly shipped_scenario="$repo/scenarios/vallombra_marina"

# Runs ./$2 under Wine in folder $1, pressing OK on the first visible window titled exactly $3
# (a screenshot of it goes to $artifacts/$4 when given). Sets run_status and box_seen (0 or 1);
# standard error goes to $work/stderr.
run_answering() {
  local folder=$1 exe=$2 title=$3 shot=${4:-} window=""
  (cd "$folder" && timeout -k 5 60 wine "./$exe" >/dev/null 2>"$work/stderr") &
  local pid=$!
  box_seen=0
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
    [[ -n "$window" ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [[ -n "$window" ]]; then
    box_seen=1
    sleep 0.5
    if [[ -n "$shot" ]]; then
      import -window root "$work/box_screen.png"
      eval "$(xdotool getwindowgeometry --shell "$window")"
      convert "$work/box_screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$artifacts/$shot"
    fi
    xdotool windowfocus --sync "$window" key Return 2>/dev/null || true
  fi
  run_status=0
  wait "$pid" || run_status=$?
}

# Runs a native pack $1 in a fresh folder $2; sets run_status.
run_native() {
  mkdir -p "$2"
  cp "$1" "$2/"
  run_status=0
  (cd "$2" && timeout 60 "./$(basename "$1")" </dev/null >/dev/null 2>&1) || run_status=$?
}

# The files in a folder but the packs themselves, one name a line.
outputs_in() {
  (cd "$1" && find . -maxdepth 1 -type f ! -perm -u+x ! -name '*.exe' -printf '%f\n' | LC_ALL=C sort)
}

same_outputs() {
  local expected=$1 actual=$2 name
  [[ "$(outputs_in "$expected")" == "$(outputs_in "$actual")" ]] || {
    echo "  expected: $(outputs_in "$expected" | tr '\n' '|')"
    echo "  left:     $(outputs_in "$actual" | tr '\n' '|')"
    return 1
  }
  while IFS= read -r name; do
    cmp -s "$expected/$name" "$actual/$name" || {
      echo "  $name differs"
      return 1
    }
  done < <(outputs_in "$expected")
}

# ---------------------------------------------------------------------------------------------
step "packs made by scenario pack, under Wine, against the packs the build makes"
# line | number | scenario folder | route | the pack the build made | packed despite failures
author_packs=(
  "Vallombra Marina_Scogliera|4127|$shipped_scenario|$shipped_scenario/route.txt|$repo/build/release/Vallombra Marina_Scogliera_4127|"
  "Collina Prova|88|$test_scenarios/collina|$test_scenarios/collina/route.txt|$repo/build/test/tests/tools/Collina Prova_88|"
  "Segnale Zero|1|$test_scenarios/marker_taken|$test_scenarios/marker_taken/route.txt|$repo/build/test/tests/tools/Segnale Zero_1|--allow-failures"
  "Cartello Zero|4127|$shipped_scenario|$repo/tests/windows/board_at_zero/route.txt|$repo/build/test/tests/windows/board_at_zero/Cartello Zero_4127|--allow-failures"
)
for entry in "${author_packs[@]}"; do
  IFS='|' read -r line number folder route built allow <<<"$entry"
  name="${line}_${number}"
  made="$work/author/$name"
  mkdir -p "$made"
  # The default target, and the Windows stub found beside the command.
  if ! "$native_tool" pack --route "$route" --train "$folder/train.txt" --notes "$folder/notes.txt" \
    --slowdowns "$folder/slowdowns.txt" --sheet "$folder/sheet.txt" --line "$line" \
    --number "$number" $allow -o "$made" >/dev/null 2>"$work/pack_stderr"; then
    fail "scenario pack did not make $name.exe: $(tr '\n' ' ' <"$work/pack_stderr")"
    continue
  fi
  check_version_resource "$made/$name.exe" "$name"
  run_native "$built" "$work/author/native-$name"
  native_status=$run_status
  run_answering "$made" "$name.exe" "Error" "error_box_$name.png"
  # The native twin shows the error box as a line on standard error; the .exe shows it as a box.
  expect_box=0
  [[ $native_status == 2 ]] && expect_box=1
  if [[ $run_status == "$native_status" && $box_seen == "$expect_box" ]] &&
    same_outputs "$work/author/native-$name" "$made"; then
    pass "$name.exe made by scenario pack: status $run_status under Wine as natively, the same" \
      "files byte for byte$( ((expect_box)) && echo ", the error box shown")"
  else
    fail "$name.exe made by scenario pack: status $run_status under Wine (native $native_status)," \
      "error box $box_seen (expected $expect_box), or other files"
  fi
done

# ---------------------------------------------------------------------------------------------
step "damaged packs under Wine"
readonly damaged_name="Vallombra Marina_Scogliera_4127"
good_pack="$work/author/$damaged_name/$damaged_name.exe"
# The block is the last thing in the file; the stub's own code holds the magic too.
payload_at=$(grep -abo SCNPAYLD "$good_pack" | tail -n1 | cut -d: -f1 || true)
if [[ -z "$payload_at" ]]; then
  fail "no payload block found in $damaged_name.exe"
else
  mkdir -p "$work/damaged/changed" "$work/damaged/cut"
  cp "$good_pack" "$work/damaged/changed/"
  # One byte of the route text, 100 bytes into the block.
  byte=$(dd if="$good_pack" bs=1 skip=$((payload_at + 100)) count=1 2>/dev/null | od -An -tu1 | tr -d ' ')
  printf "\\$(printf '%03o' $(((byte ^ 1) & 255)))" |
    dd of="$work/damaged/changed/$damaged_name.exe" bs=1 seek=$((payload_at + 100)) conv=notrunc 2>/dev/null
  run_answering "$work/damaged/changed" "$damaged_name.exe" "$damaged_name" damaged_payload_box.png
  if [[ $run_status == 65 && $box_seen == 1 ]] && grep -q "checksum does not match" "$work/stderr" &&
    [[ -z "$(outputs_in "$work/damaged/changed")" ]]; then
    pass "one byte of the payload changed: a box captioned \"$damaged_name\" says so" \
      "(damaged_payload_box.png), status 65, nothing written"
  else
    fail "one byte of the payload changed: status $run_status (expected 65), box $box_seen," \
      "files '$(outputs_in "$work/damaged/changed" | tr '\n' ' ')', message: $(tr '\n' ' ' <"$work/stderr")"
  fi

  # Cut short inside the payload: the image's resource section no longer fits the file.
  head -c $((payload_at + 100)) "$good_pack" >"$work/damaged/cut/$damaged_name.exe"
  run_answering "$work/damaged/cut" "$damaged_name.exe" "$damaged_name"
  if [[ $run_status != 0 && -z "$(outputs_in "$work/damaged/cut")" ]]; then
    pass "cut short: status $run_status, nothing written; the system says:" \
      "$(tr '\n' ' ' <"$work/stderr" | cut -c1-100)"
  else
    fail "cut short: status $run_status, files '$(outputs_in "$work/damaged/cut" | tr '\n' ' ')'"
  fi
fi

# ---------------------------------------------------------------------------------------------
step "scenario.exe under Wine against the Linux command"
# Both commands run in copies of one folder, with relative paths, so that their messages match.
# The folder and a line name hold blanks and characters that are not ASCII.
readonly accented_folder="scenari/Città àè"
setup_tool_folder() {
  mkdir -p "$1/$accented_folder"
  cp "$shipped_scenario"/*.txt "$1/$accented_folder/"
  cp "$test_scenarios/marker_taken/route.txt" "$1/$accented_folder/box_route.txt"
  sed 's/stazione,    4800,/stazione,    4825,/' "$shipped_scenario/train.txt" \
    >"$1/$accented_folder/off_grid_train.txt"
}
setup_tool_folder "$work/tool/linux"
setup_tool_folder "$work/tool/windows"
cp "$windows_tool" "$windows_stub" "$work/tool/windows/"

# One subcommand through both commands; STUB in an argument stands for the Windows stub.
tool_case() {
  local what=$1
  shift
  local linux_arguments=("${@/STUB/$windows_stub}") windows_arguments=("${@/STUB/scenario-pack-windows.exe}")
  local linux_status=0 windows_status=0
  (cd "$work/tool/linux" && "$native_tool" "${linux_arguments[@]}" >"$work/linux_out" 2>"$work/linux_err") ||
    linux_status=$?
  (cd "$work/tool/windows" && timeout -k 5 60 wine ./scenario.exe "${windows_arguments[@]}" \
    >"$work/windows_out" 2>"$work/windows_err") || windows_status=$?
  if [[ $linux_status == "$windows_status" ]] && cmp -s "$work/linux_out" "$work/windows_out" &&
    cmp -s "$work/linux_err" "$work/windows_err"; then
    pass "scenario.exe $what: status $windows_status and output as the Linux command's"
  else
    fail "scenario.exe $what: status $windows_status (Linux $linux_status); output:" \
      "$(head -c 300 "$work/windows_out" "$work/windows_err" | tr '\n' ' ')"
  fi
}
f="$accented_folder"
tool_case "compile, JSON" compile --route "$f/route.txt" --train "$f/train.txt" --line Vallombra \
  --number 4127 --out "$f/out" --json
tool_case "compile, a recorded failure" compile --route "$f/route.txt" \
  --train "$f/off_grid_train.txt" --line Vallombra --number 4127 --out "$f/out_off"
tool_case "compile, the error box" compile --route "$f/box_route.txt" --train "$f/train.txt" \
  --line Vallombra --number 1 --out "$f/out_box"
tool_case "compile, a name that is not ASCII" compile --route "$f/route.txt" \
  --train "$f/train.txt" --line "Città Alta" --number 12 --out "$f/out città" --json
tool_case "pack, refused" pack --route "$f/route.txt" --train "$f/off_grid_train.txt" \
  --line Vallombra --number 4127 --stub STUB -o "$f"
tool_case "pack, a name that cannot be a file name" pack --route "$f/route.txt" \
  --train "$f/train.txt" --line CON --number 1 --stub STUB -o "$f"
tool_case "pack, a name that is not ASCII" pack --route "$f/route.txt" --train "$f/train.txt" \
  --notes "$f/notes.txt" --slowdowns "$f/slowdowns.txt" --sheet "$f/sheet.txt" \
  --line "Città Alta" --number 12 --stub STUB -o "$f"
tool_case "--help" --help
tool_case "compile --help" compile --help
tool_case "pack --help" pack --help
tool_case "a wrong command line" pack --route

# A set whose line name is not ASCII: dump, verify and diff find it by its name and by its folder,
# show it in the author's characters and call it whole, as the Linux command does. The messages
# name paths as each system writes them, so "\" counts as "/" in the comparison.
inspect_case() {
  local what=$1
  shift
  local linux_status=0 windows_status=0
  (cd "$work/tool/linux" && "$native_tool" "$@" >"$work/linux_out" 2>"$work/linux_err") ||
    linux_status=$?
  (cd "$work/tool/windows" && timeout -k 5 60 wine ./scenario.exe "$@" >"$work/windows_out" \
    2>"$work/windows_err") || windows_status=$?
  if [[ $windows_status == 0 && $linux_status == 0 ]] &&
    cmp -s "$work/linux_out" <(tr '\\' / <"$work/windows_out") &&
    cmp -s "$work/linux_err" "$work/windows_err"; then
    pass "scenario.exe $what: status 0 and output as the Linux command's"
  else
    fail "scenario.exe $what: status $windows_status (Linux $linux_status); output:" \
      "$(head -c 300 "$work/windows_out" "$work/windows_err" | tr '\n' ' ')"
  fi
}
readonly lerici="Città Alta_Lèrici"
for out in "set àè" "copia àè"; do
  tool_case "compile, the line $lerici into $out" compile --route "$f/route.txt" \
    --train "$f/train.txt" --line "$lerici" --number 4127 --out "$f/$out"
done
lerici_set="$f/set àè"
inspect_case "verify, a folder whose set's line is $lerici" verify "$lerici_set"
inspect_case "verify, the set named by --line $lerici" verify "$lerici_set" --line "$lerici" --number 4127
inspect_case "verify, the files named one by one" verify "$lerici_set/${lerici}_4127.sim" \
  "$lerici_set/${lerici}_4127.dat" "$lerici_set/${lerici}_linea.dat"
inspect_case "dump, the set named by --line $lerici" dump "$lerici_set" --line "$lerici" --number 4127
inspect_case "dump --kind signal, the folder after it" dump --kind signal "$lerici_set"
inspect_case "diff, two sets of $lerici" diff "$lerici_set" "$f/copia àè" --line "$lerici" --number 4127

# Typed in cmd: Wine joins the words into cmd's command line, quoting those with blanks, as
# converted from the locale's UTF-8 (C.UTF-8 here), and cmd starts scenario.exe with that line,
# which it reads as wide text: `cmd /c scenario.exe verify "scenari\Città àè\set àè" --line
# "Città Alta_Lèrici" --number 4127`.
typed_status=0
(cd "$work/tool/windows" && timeout -k 5 60 wine cmd /c scenario.exe verify \
  'scenari\Città àè\set àè' --line "$lerici" --number 4127 \
  >"$work/windows_out" 2>"$work/windows_err") || typed_status=$?
if [[ $typed_status == 0 ]] && [[ "$(grep -c ': whole$' "$work/windows_out")" == 3 ]] &&
  grep -qF "${lerici}_4127.sim: whole" "$work/windows_out"; then
  pass "verify typed in cmd with the folder and the line $lerici: status 0, three files whole"
else
  fail "verify typed in cmd: status $typed_status; output:" \
    "$(head -c 300 "$work/windows_out" "$work/windows_err" | tr '\n' ' ')"
fi

# What both commands wrote: the binary files of the compiles, and the same pack byte for byte.
tool_outputs() { (cd "$1/$accented_folder" && find . -type f ! -name '*.txt' -printf '%p\n' | LC_ALL=C sort); }
tool_files_same=1
[[ "$(tool_outputs "$work/tool/linux")" == "$(tool_outputs "$work/tool/windows")" ]] || tool_files_same=0
while IFS= read -r file; do
  cmp -s "$work/tool/linux/$accented_folder/$file" "$work/tool/windows/$accented_folder/$file" ||
    tool_files_same=0
done < <(tool_outputs "$work/tool/linux")
if ((tool_files_same)) && [[ -f "$work/tool/windows/$accented_folder/Città Alta_12.exe" ]]; then
  pass "scenario.exe and the Linux command wrote the same files, byte for byte:" \
    "$(tool_outputs "$work/tool/windows" | tr '\n' ' ')"
else
  fail "scenario.exe and the Linux command wrote different files:" \
    "$(tool_outputs "$work/tool/windows" | tr '\n' ' ') / $(tool_outputs "$work/tool/linux" | tr '\n' ' ')"
fi

# The pack scenario.exe made, with its name that is not ASCII, runs and writes its files under
# that name; the compile of the same files and name wrote the same bytes.
accented_pack="$work/tool/windows/$accented_folder/Città Alta_12.exe"
if [[ -f "$accented_pack" ]]; then
  rc=$(x86_64-w64-mingw32-windres -i "$accented_pack" -O rc | sed 's/^ *//')
  if grep -qxF 'VALUE "InternalName", L"Citt\340 Alta_12"' <<<"$rc" &&
    grep -qxF 'VALUE "OriginalFilename", L"Citt\340 Alta_12.exe"' <<<"$rc"; then
    pass "the version resource names Città Alta_12(.exe) in UTF-16"
  else
    fail "the version resource of Città Alta_12.exe: $(grep -a Name <<<"$rc" | tr '\n' ' ')"
  fi
  mkdir -p "$work/accented_run"
  cp "$accented_pack" "$work/accented_run/"
  run_answering "$work/accented_run" "Città Alta_12.exe" "Error"
  compiled="$work/tool/linux/$accented_folder/out città"
  accented_same=1
  for file in "$compiled"/*; do
    cmp -s "$file" "$work/accented_run/$(basename "$file")" || accented_same=0
  done
  if [[ $run_status == 0 ]] && ((accented_same)) &&
    [[ -f "$work/accented_run/Città Alta_12_note.txt" ]]; then
    pass "Città Alta_12.exe under Wine: status 0, its files named Città Alta_..., the binary" \
      "files those of scenario compile"
  else
    fail "Città Alta_12.exe under Wine: status $run_status, files:" \
      "$(outputs_in "$work/accented_run" | tr '\n' ' ')"
  fi
fi

# ---------------------------------------------------------------------------------------------
step "the bundles"
cmake --workflow --preset linux-bundle >/dev/null
cmake --workflow --preset windows-bundle >/dev/null
version=$(sed -n 's/^project(scenario_pack VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
zip="$repo/build/windows/scenario-$version-windows.zip"
tarball="$repo/build/release/scenario-$version-linux.tar.gz"
mkdir -p "$work/bundles"
unzip -q "$zip" -d "$work/bundles/zip"
tar -xzf "$tarball" -C "$work/bundles"
zip_root="$work/bundles/zip/scenario-$version-windows"
tar_root="$work/bundles/scenario-$version-linux"
readme="$zip_root/README.txt"

# The README's list of a bundle's files: the indented lines after "In <bundle>:".
listed() {
  awk -v bundle="$1" '$0 == "In " bundle ":" { on = 1; next } on && /^    [^ ]/ { print $1; next } on { exit }' "$readme" |
    LC_ALL=C sort
}
held() { (cd "$1" && find . -type f -printf '%P\n' | LC_ALL=C sort); }
for bundle in "scenario-$version-windows.zip|$zip_root" "scenario-$version-linux.tar.gz|$tar_root"; do
  IFS='|' read -r archive root <<<"$bundle"
  if [[ -n "$(listed "$archive")" && "$(listed "$archive")" == "$(held "$root")" ]]; then
    pass "$archive holds what its README lists: $(held "$root" | tr '\n' ' ')"
  else
    fail "$archive holds $(held "$root" | tr '\n' ' '); the README lists $(listed "$archive" | tr '\n' ' ')"
  fi
done

# Step 3 of the README, as written there, in the unpacked ZIP under Wine.
windows_line=$(grep -m1 '^ *scenario.exe pack ' "$readme" | sed 's/^ *//')
printf '%s\r\n' "@echo off" "$windows_line" >"$zip_root/make_pack.bat"
readme_status=0
(cd "$zip_root" && timeout -k 5 60 wine cmd /c make_pack.bat >/dev/null 2>"$work/stderr") || readme_status=$?
rm "$zip_root/make_pack.bat"
if [[ $readme_status == 0 && -f "$zip_root/$damaged_name.exe" ]]; then
  mkdir -p "$work/bundles/run"
  cp "$zip_root/$damaged_name.exe" "$work/bundles/run/"
  run_answering "$work/bundles/run" "$damaged_name.exe" "Error"
  if [[ $run_status == 0 ]] && same_outputs "$native_run" "$work/bundles/run"; then
    pass "the README's command, run from the unpacked ZIP alone, made $damaged_name.exe; under" \
      "Wine it leaves the native pack's files byte for byte"
  else
    fail "the pack made from the unpacked ZIP ended with status $run_status or left other files"
  fi
else
  fail "the README's command in the unpacked ZIP ended with $readme_status: $(tr '\n' ' ' <"$work/stderr")"
fi

# And the Linux one, natively, in the unpacked tar.gz: the Windows pack it makes is the same file.
linux_line=$(grep -m1 '^ *bin/scenario pack ' "$readme" | sed 's/^ *//')
linux_status=0
(cd "$tar_root" && eval "$linux_line" >/dev/null 2>"$work/stderr") || linux_status=$?
if [[ $linux_status == 0 ]] && cmp -s "$tar_root/$damaged_name.exe" "$work/author/$damaged_name/$damaged_name.exe"; then
  pass "the README's Linux command, run in the unpacked tar.gz, made the same $damaged_name.exe"
else
  fail "the README's Linux command in the unpacked tar.gz ended with $linux_status or made another file"
fi
