#!/usr/bin/env bash
# Starts two runs at once in one folder, ROUNDS times, and checks after every round that the
# folder holds exactly what single runs leave there: the same names, the same bytes, nothing
# else (no text file left unread, no temporary file), and that each run ended with the status
# it ends with alone.
#
#   runs_at_once.sh [--runner COMMAND] ROUNDS PACK [OTHER_PACK]
#
# With one pack, two runs of that pack start together, as after a double-click made twice; with
# two packs, one run of each, as after opening both at once. --runner is put before every run
# (for instance "wine"). Every round is run and counted; the status is 1 when any went wrong.
set -euo pipefail

runner=()
if [[ ${1:-} == --runner ]]; then
  read -r -a runner <<<"$2"
  shift 2
fi
if (($# < 2 || $# > 3)); then
  echo "usage: $0 [--runner COMMAND] ROUNDS PACK [OTHER_PACK]" >&2
  exit 64
fi
readonly rounds=$1 first=$2 second=${3:-$2}
first_name=$(basename "$first")
second_name=$(basename "$second")
readonly first_name second_name

work=$(mktemp -d "${TMPDIR:-/tmp}/runs-at-once.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Everything in a folder but the packs, one name a line: hidden files and folders included.
left_in() {
  find "$1" -mindepth 1 -maxdepth 1 ! -name "$first_name" ! -name "$second_name" -printf '%f\n' |
    LC_ALL=C sort
}

# Runs a pack that lies in `folder`, from there; the status is the run's.
run_in() {
  local folder=$1 name=$2
  (cd "$folder" && exec "${runner[@]}" "./$name" </dev/null >/dev/null 2>>"$work/stderr")
}

# What single runs leave: the first pack alone, then the other alone in the same folder.
mkdir "$work/alone" "$work/race"
for folder in "$work/alone" "$work/race"; do
  cp "$first" "$folder/"
  [[ $second_name == "$first_name" ]] || cp "$second" "$folder/"
done
alone_first=0
run_in "$work/alone" "$first_name" || alone_first=$?
alone_second=$alone_first
if [[ $second_name != "$first_name" ]]; then
  alone_second=0
  run_in "$work/alone" "$second_name" || alone_second=$?
fi
expected=$(left_in "$work/alone")
mapfile -t expected_names <<<"$expected"
# The bytes of the files a folder should hold, as one digest per file.
digests_in() { (cd "$1" && sha256sum -- "${expected_names[@]}" 2>/dev/null) || true; }
expected_digests=$(digests_in "$work/alone")
echo "alone: $first_name status $alone_first, $second_name status $alone_second;" \
  "files: $(tr '\n' '|' <<<"$expected")"

wrong=0
for ((round = 1; round <= rounds; round++)); do
  find "$work/race" -mindepth 1 -maxdepth 1 ! -name "$first_name" ! -name "$second_name" \
    -exec rm -rf {} +
  run_in "$work/race" "$first_name" &
  first_pid=$!
  run_in "$work/race" "$second_name" &
  second_pid=$!
  first_status=0
  wait "$first_pid" || first_status=$?
  second_status=0
  wait "$second_pid" || second_status=$?

  faults=()
  [[ $first_status == "$alone_first" ]] || faults+=("$first_name ended with $first_status")
  [[ $second_status == "$alone_second" ]] || faults+=("$second_name ended with $second_status")
  actual=$(left_in "$work/race")
  if [[ $actual != "$expected" ]]; then
    faults+=("files: $(tr '\n' '|' <<<"$actual")")
  elif [[ $(digests_in "$work/race") != "$expected_digests" ]]; then
    while IFS= read -r name; do
      [[ -f "$work/race/$name" ]] && cmp -s "$work/alone/$name" "$work/race/$name" && continue
      differing=$(cmp -l "$work/alone/$name" "$work/race/$name" 2>/dev/null | wc -l || true)
      faults+=("$name differs ($differing bytes)")
    done <<<"$expected"
  fi
  if ((${#faults[@]})); then
    wrong=$((wrong + 1))
    echo "round $round: ${faults[*]}"
  fi
done

echo "two runs at once ($first_name, $second_name): $wrong of $rounds rounds left other files" \
  "or statuses than single runs"
((wrong == 0))
