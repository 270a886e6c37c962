#!/usr/bin/env bash
# Whole runs of two builds of the program side by side, as processes, on the reference
# cases of tests/cases: wall-time medians and CPU (user + system) means with hyperfine and,
# with --instructions, the instruction count of one run of each (callgrind). Each binary
# first runs once in a scratch folder of its own holding the case's inputs; both must leave
# the same bytes, or the comparison stops.
#
#   bench/compare-binaries.sh [--instructions] [--runs N] BEFORE AFTER [CASE...]
#
# BEFORE and AFTER are program binaries (e.g. a build of an earlier commit and
# build/default/quilex); the cases default to ref-R ref-T ref-C ref-D.
# Needs hyperfine (apt-get install hyperfine), and valgrind for --instructions.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
instructions=0
runs=30
while (($# > 0)); do
  case "$1" in
    --instructions) instructions=1; shift ;;
    --runs) runs="$2"; shift 2 ;;
    *) break ;;
  esac
done
if (($# < 2)); then
  sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
before="$(realpath "$1")"
after="$(realpath "$2")"
shift 2
cases=("$@")
((${#cases[@]} > 0)) || cases=(ref-R ref-T ref-C ref-D)

command -v hyperfine >/dev/null || { echo "hyperfine is missing (apt-get install hyperfine)" >&2; exit 2; }
if ((instructions)); then
  command -v valgrind >/dev/null || { echo "valgrind is missing" >&2; exit 2; }
fi

scratch="$(mktemp -d "${TMPDIR:-/tmp}/quilex-compare.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

# Instructions of one run of binary $1 in folder $2.
count_instructions() {
  (cd "$2" && valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>&1 >/dev/null |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p')
}

ratio() { /usr/bin/python3 -c "print('%.2f' % ($1 / $2))"; }

rows=()
for name in "${cases[@]}"; do
  for side in before after; do
    mkdir -p "$scratch/$name/$side"
    for input in parm.txt sezi.txt mate.txt slu-max.txt; do
      cp "$root/tests/cases/$name/$input" "$scratch/$name/$side/"
    done
  done
  (cd "$scratch/$name/before" && "$before" >/dev/null 2>&1) || true
  (cd "$scratch/$name/after" && "$after" >/dev/null 2>&1) || true
  for output in risu-MN.txt risu.txt domplot.txt; do
    if ! cmp -s "$scratch/$name/before/$output" "$scratch/$name/after/$output"; then
      echo "$name: the two binaries write different $output" >&2
      exit 1
    fi
  done

  # Both commands run in the case's "after" folder; each run rewrites the same outputs.
  (cd "$scratch/$name/after" &&
    hyperfine --style basic -N --warmup 3 --runs "$runs" --export-json "$scratch/$name.json" \
      -n "$name before" "$before" -n "$name after" "$after" >&2)
  medians="$(/usr/bin/python3 -c '
import json, sys
results = json.load(open(sys.argv[1]))["results"]
cpu = [(r["user"] + r["system"]) * 1000 for r in results]
print(" ".join("%.2f" % (r["median"] * 1000) for r in results), "%.2f %.2f" % tuple(cpu))' \
    "$scratch/$name.json")"
  read -r median_before median_after cpu_before cpu_after <<<"$medians"
  row="| $name | $median_before | $median_after | $(ratio "$median_before" "$median_after") |"
  row+=" $cpu_before | $cpu_after | $(ratio "$cpu_before" "$cpu_after") |"
  if ((instructions)); then
    ir_before="$(count_instructions "$before" "$scratch/$name/before")"
    ir_after="$(count_instructions "$after" "$scratch/$name/after")"
    row+=" $ir_before | $ir_after | $(ratio "$ir_before" "$ir_after") |"
  fi
  rows+=("$row")
done

echo
header="| case | wall median before (ms) | after (ms) | speed-up | CPU mean before (ms) | after (ms) | speed-up |"
rule="|---|---|---|---|---|---|---|"
if ((instructions)); then
  header+=" instructions before | after | ratio |"
  rule+="---|---|---|"
fi
echo "$header"
echo "$rule"
printf '%s\n' "${rows[@]}"
