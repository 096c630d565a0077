#!/usr/bin/env bash
# Kills a run of the pack (SIGKILL) at a random moment, ROUNDS times, over older versions of
# every file it writes, and checks after each kill that each of those files is either its old
# version or the one a complete run writes: never torn, never empty, never a mix. A complete
# run afterwards must then leave exactly a single run's files, whatever the kill left.
#
#   killed_run.sh ROUNDS PACK
#
# Every round is run and counted; the status is 1 when any went wrong. Temporary files a kill
# leaves (it cannot remove them) are counted and reported; the next complete run must clear them.
set -euo pipefail

if (($# != 2)); then
  echo "usage: $0 ROUNDS PACK" >&2
  exit 64
fi
readonly rounds=$1 pack=$2
name=$(basename "$pack")
readonly name

work=$(mktemp -d "${TMPDIR:-/tmp}/killed-run.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/alone" "$work/killed" "$work/old"
cp "$pack" "$work/alone/"
cp "$pack" "$work/killed/"

run_in() { (cd "$1" && exec "./$name" </dev/null >/dev/null 2>&1); }
files_in() {
  find "$1" -mindepth 1 -maxdepth 1 ! -name "$name" ! -name '.*.tmp' -printf '%f\n' | LC_ALL=C sort
}

# What a complete run writes, and how long it takes.
started=$(date +%s%N)
run_in "$work/alone"
took_ms=$((($(date +%s%N) - started) / 1000000))
mapfile -t outputs < <(files_in "$work/alone")
((${#outputs[@]})) || {
  echo "the pack left no file" >&2
  exit 1
}
for output in "${outputs[@]}"; do printf 'old %s\r\n' "$output" >"$work/old/$output"; done
echo "a complete run takes ${took_ms} ms and writes: $(printf '%s|' "${outputs[@]}")"

torn=0 old_kept=0 new_written=0 temporaries=0
for ((round = 1; round <= rounds; round++)); do
  find "$work/killed" -mindepth 1 -maxdepth 1 ! -name "$name" -exec rm -rf {} +
  for output in "${outputs[@]}"; do cp "$work/old/$output" "$work/killed/$output"; done

  delay_ms=$((RANDOM % (took_ms + 1)))
  (cd "$work/killed" && exec "./$name" </dev/null >/dev/null 2>&1) &
  pid=$!
  sleep "$(printf '0.%03d' "$delay_ms")"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true

  for output in "${outputs[@]}"; do
    file=$work/killed/$output
    if [[ -f $file ]] && cmp -s "$file" "$work/old/$output"; then
      old_kept=$((old_kept + 1))
    elif [[ -f $file ]] && cmp -s "$file" "$work/alone/$output"; then
      new_written=$((new_written + 1))
    else
      torn=$((torn + 1))
      echo "round $round (killed after ${delay_ms} ms): $output is neither the old nor the new one"
    fi
  done
  temporaries=$((temporaries + $(find "$work/killed" -maxdepth 1 -name '.*.tmp' | wc -l)))

  # The next complete run puts everything right, its temporary files included.
  run_in "$work/killed" || true
  if [[ -n $(find "$work/killed" -maxdepth 1 -name '.*.tmp') ]]; then
    torn=$((torn + 1))
    echo "round $round: a complete run left the killed run's temporary files"
  fi
  if [[ $(files_in "$work/killed") != "$(files_in "$work/alone")" ]]; then
    torn=$((torn + 1))
    echo "round $round: after a complete run the folder holds $(files_in "$work/killed" | tr '\n' '|')"
  fi
  for output in "${outputs[@]}"; do
    cmp -s "$work/killed/$output" "$work/alone/$output" || {
      torn=$((torn + 1))
      echo "round $round: after a complete run $output is not a single run's"
    }
  done
done

echo "killed runs: $rounds rounds; files found old $old_kept times, new $new_written times," \
  "torn $torn times; temporary files left by the kills: $temporaries"
((torn == 0))
