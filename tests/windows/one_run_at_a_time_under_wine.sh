# shellcheck shell=bash disable=SC2154  # the runner's variables
# Sourced by run_under_wine.sh once Wine and the display are up: runs in one folder go one at a
# time under Wine as well, and a run that ends without its files says why in a box. It checks
#   - two runs of the pack started at once in one folder, 20 times, and the pack with a second
#     train of the same line, 20 times, each leave what single runs leave, byte for byte;
#   - a run that finds the folder held waits, "Attendere" on the screen, and writes nothing,
#     also when it names the folder with another spelling; once the holder is killed, it does
#     its whole run without waiting any longer;
#   - a folder in the way of the cells file gives a box captioned with the pack's name, then
#     status 74; no file is torn and the folder in the way is untouched.
# Uses the runner's helpers (step, pass, fail, same_files, files_left) and its variables (repo,
# work, artifacts, pack_name, windows_pack, held_pack, native_run). Needs xprop (x11-utils) to
# tell the box from the window, both captioned with the pack's name.

readonly second_pack_name="Vallombra Marina_Scogliera_5000"
readonly windows_second_pack="$repo/build/windows-test/tests/windows/second_train/$second_pack_name.exe"
readonly cells_name="Vallombra Marina_Scogliera_4127.dat"

# ---------------------------------------------------------------------------------------------
step "runs at once in one folder under Wine"
cmake --build build/windows-test -j2 --target second_train_pack >/dev/null

race_at_once() {
  local what=$1
  shift
  if "$repo/tests/app/runs_at_once.sh" --runner "timeout -k 5 120 wine" 20 "$@" \
    >"$work/race.log" 2>&1; then
    pass "$what: $(tail -n1 "$work/race.log")"
  else
    grep -E '^round' "$work/race.log" | head -n5 || true
    fail "$what: $(tail -n1 "$work/race.log")"
  fi
}
race_at_once "two runs of the pack at once" "$windows_pack"
race_at_once "two packs of one line at once" "$windows_pack" "$windows_second_pack"

# ---------------------------------------------------------------------------------------------
step "a run waiting for the folder, and its holder killed"
# The held pack keeps the folder for SCENARIO_HOLD_FOLDER_MS before writing anything; without
# the variable it runs as the pack does.
held_folder="$work/held_folder"
mkdir -p "$held_folder"
cp "$held_pack" "$held_folder/"
# Started without a timeout, so that $! is the Windows process itself; it ends by itself after
# the 30 s hold.
(cd "$held_folder" && SCENARIO_HOLD_FOLDER_MS=30000 exec wine "./$pack_name.exe" >/dev/null 2>&1) &
holder=$!
timeout 15 xdotool search --sync --onlyvisible --name "^$pack_name\$" >/dev/null 2>&1 || true
sleep 1

# The waiting run is started by another spelling of the folder: upper case from the drive on.
spelled=$(winepath -w "$held_folder/$pack_name.exe" 2>/dev/null | tr '[:lower:]' '[:upper:]')
(cd / && exec timeout -k 5 25 wine "$spelled" >/dev/null 2>"$work/waiter_stderr") &
waiter=$!
windows=""
for _ in $(seq 100); do
  windows=$(xdotool search --onlyvisible --name "^$pack_name\$" 2>/dev/null | wc -l || true)
  ((windows >= 2)) && break
  sleep 0.1
done
sleep 2
import -window root "$artifacts/waiting_for_the_folder.png"
written_while_held=$(files_left "$held_folder" | tr '\n' '|')
waiter_was_waiting=0
kill -0 "$waiter" 2>/dev/null && waiter_was_waiting=1

kill -KILL "$holder" 2>/dev/null || true
{ wait "$holder"; } 2>/dev/null || true  # killed: no job report
waiter_status=0
wait "$waiter" || waiter_status=$?

if ((windows >= 2 && waiter_was_waiting)) && [[ -z "$written_while_held" ]]; then
  pass "the second run waited, its window up (waiting_for_the_folder.png), and wrote nothing" \
    "while the first held the folder under another spelling"
else
  fail "while the folder was held: $windows window(s), waiting $waiter_was_waiting," \
    "files written: '$written_while_held'"
fi
if [[ $waiter_status == 0 ]] && same_files "$native_run" "$held_folder"; then
  pass "once the holder was killed, the waiting run did its whole run: status 0, the native files"
else
  fail "after the holder was killed the waiting run ended with $waiter_status (124: still" \
    "waiting) or left other files: $(tr '\n' ' ' <"$work/waiter_stderr")"
fi

# ---------------------------------------------------------------------------------------------
step "a folder in the way of the cells file"
in_the_way="$work/in_the_way"
mkdir -p "$in_the_way/$cells_name"
echo kept >"$in_the_way/$cells_name/inside"
cp "$windows_pack" "$in_the_way/"
(cd "$in_the_way" && exec timeout -k 5 60 wine "./$pack_name.exe" >/dev/null \
  2>"$work/in_the_way_stderr") &
faulty=$!
box=""
for _ in $(seq 150); do
  for window in $(xdotool search --onlyvisible --name "^$pack_name\$" 2>/dev/null || true); do
    xprop -id "$window" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG && box=$window
  done
  [[ -n "$box" ]] || ! kill -0 "$faulty" 2>/dev/null && break
  sleep 0.1
done
if [[ -n "$box" ]]; then
  sleep 0.5
  import -window root "$work/fault_screen.png"
  eval "$(xdotool getwindowgeometry --shell "$box")"
  convert "$work/fault_screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage \
    "$artifacts/file_fault_box.png"
  xdotool windowfocus --sync "$box" key Return
fi
faulty_status=0
wait "$faulty" || faulty_status=$?

message=$(head -n1 "$work/in_the_way_stderr")
if [[ -n "$box" && $faulty_status == 74 && $message == "Cannot write "*"$cells_name: "* ]]; then
  pass "the box captioned \"$pack_name\" appeared (file_fault_box.png) with \"$message\";" \
    "dismissed, the pack ended with status 74"
else
  fail "a folder in the way: box '${box}', status $faulty_status (expected 74), message '$message'"
fi
# Every file the run did write is whole: those written before the cells file hold the native
# bytes, and nothing else is left, neither a temporary file nor a text file.
torn=""
expected_left=$(files_left "$native_run" | grep -vxF "$cells_name" || true)
actual_left=$(find "$in_the_way" -mindepth 1 -maxdepth 1 ! -name "$pack_name.exe" \
  ! -name "$cells_name" -printf '%f\n' | LC_ALL=C sort)
[[ "$actual_left" == "$expected_left" ]] || torn="files: $(tr '\n' '|' <<<"$actual_left")"
while IFS= read -r name; do
  cmp -s "$native_run/$name" "$in_the_way/$name" || torn+=" $name differs"
done <<<"$expected_left"
[[ "$(cat "$in_the_way/$cells_name/inside" 2>/dev/null)" == kept ]] ||
  torn+=" the folder in the way was changed"
if [[ -z "$torn" ]]; then
  pass "no file is torn: the files before the cells file hold the native bytes, nothing else is" \
    "left, and the folder in the way is untouched"
else
  fail "after the file fault: $torn"
fi
