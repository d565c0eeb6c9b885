#!/usr/bin/env bash
# Runs the bash completion $2 against the real binary $1, one row per case: the words after
# `korvath` as bash splits them ("=" is a word of its own; a trailing blank starts an empty word),
# then what completion offers, space-separated (empty: file names, from `complete -o default`).
set -uo pipefail
korvath=$(realpath "$1")
source "$2"
compopt() { :; }  # only valid inside a completion bash itself started

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/jobs" "$work/out"
touch "$work/job1.raw"
cd "$work" || exit 1

cases=(
  "|list convert detect --help --version"
  "convert l|leica-tc600 leica-tcr307 leica-tcr407-idx leica-tcr407-mdt leica-tcr407-coords leica-gsi leica-gsi-coords"
  "convert topcon-gts3000-r|topcon-gts3000-raw topcon-gts3000-raw-wordpad"
  "convert --to out nikon|nikon-npl352-dos nikon-npl352-raw nikon-dtm300"
  "convert south-mes |"
  "convert south-mes --|--overwrite= --scratch-dir= --to --help"
  "convert south-mes --overwrite =|ask yes no"
  "convert south-mes --overwrite = y|yes"
  "convert south-mes --scratch-dir = j|jobs"
  "convert south-mes --to |jobs out"
  "convert south-mes --to out -j |"
  "detect |"
  "detect --|--id --help"
  "convert a|auto"
)
failed=0
for row in "${cases[@]}"; do
  words=${row%%|*} expected=${row#*|}
  read -ra COMP_WORDS <<<"$korvath $words"
  [[ -z $words || $words == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _korvath
  got="${COMPREPLY[*]}"
  if [ "$got" != "$expected" ]; then
    echo "FAIL: korvath $words<TAB>"
    echo "  expected: $expected"
    echo "  got:      $got"
    failed=1
  fi
done
exit $failed
