#!/usr/bin/env bash
# Builds the fuzz targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs them over corpora seeded from the installation
# data and the documented jobs. Needs ./build.sh to have made build/data.
#
#   tools/fuzz.sh                  every target for 5 seconds (what ./test runs)
#   tools/fuzz.sh TARGET SECONDS   one target (text_files_fuzz, ...) for as long as asked
#   tools/fuzz.sh TARGET SECONDS -runs=1000000   ... or until that many executions
#
# A finding stops the run with its input saved under build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
data="$PWD/build/data"
[ -d "$data" ] || { echo "fuzz: build/data is missing; run ./build.sh first" >&2; exit 2; }

CXX=clang++ cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)"

# Seeds: "<kind byte><file>" for the targets whose first byte picks a file.
seed() {  # target kind file
  local dir="build-fuzz/corpus/$1"
  mkdir -p "$dir"
  { printf "\\x$(printf %02x "$2")"; cat "$3"; } >"$dir/seed-$2-$(basename "$3")"
}
seed text_files_fuzz 0 "$data/Res.Dat"
seed text_files_fuzz 1 "$data/Preset.dat"
seed text_files_fuzz 2 "$data/DefData.Dat"
seed text_files_fuzz 3 "$data/Unit.Dat"
seed text_files_fuzz 4 data/src/fluids/pubdata.csv
seed text_files_fuzz 5 data/src/fluids/RFF.csv
seed text_files_fuzz 6 data/src/components/newdata.txt
# A case file of the default design, saved by the program itself.
casedir=$(mktemp -d)
cp -r "$data"/. "$casedir"
cat >"$casedir/job.json" <<JOB
{"steps": [{"window": "Condition", "control": "balance", "click": true},
  {"window": "Condition", "control": "Command5", "click": true},
  {"window": "detail", "control": "cbotype", "pick": 10},
  {"window": "detail", "control": "Command2", "click": true},
  {"window": "Veloxa", "control": "mnuFileSave", "index": 0, "click": true}],
 "answers": ["$casedir/default.pda"]}
JOB
build/veloxa-cli run "$casedir/job.json" --data-dir "$casedir" >/dev/null || true
[ -f "$casedir/default.pda" ] && seed text_files_fuzz 7 "$casedir/default.pda"
rm -rf "$casedir"
seed records_fuzz 0 "$data/Veloxa.dat"
seed records_fuzz 1 "$data/PROPER.DAT"
seed records_fuzz 2 "$data/Steam.dat"
seed records_fuzz 3 "$data/property.dat"
seed records_fuzz 4 "$data/PubData.dat"
seed records_fuzz 5 "$data/Coinfor.dat"
seed reports_fuzz 1 "$data/Veloxa.sav"
# The batch's example duty table, in UTF-8 and in GBK.
mkdir -p build-fuzz/corpus/batch_duties_fuzz
build/veloxa-cli batch --template build-fuzz/corpus/batch_duties_fuzz/seed-template.csv
tail -c +4 build-fuzz/corpus/batch_duties_fuzz/seed-template.csv | iconv -f UTF-8 -t GBK \
  >build-fuzz/corpus/batch_duties_fuzz/seed-template-gbk.csv
mkdir -p build-fuzz/corpus/numbers_fuzz build-fuzz/corpus/job_fuzz build-fuzz/corpus/design_fuzz build-fuzz/findings
printf ' 12.5e3kg' >build-fuzz/corpus/numbers_fuzz/seed-number
head -c 64 "$data/Res.Dat" >build-fuzz/corpus/numbers_fuzz/seed-gbk
# The inputs of earlier findings stay in the corpora for good.
for found in fuzz/regressions/*/; do
  mkdir -p "build-fuzz/corpus/$(basename "$found")"
  cp "$found"* "build-fuzz/corpus/$(basename "$found")/"
done
# Every job of the documentation.
awk '/^```json$/ {n++; out="build-fuzz/corpus/job_fuzz/seed-doc-" n; inside=1; next}
     /^```$/ {inside=0; next}
     inside {print > out}' docs/cli.md

run() {  # target seconds [libFuzzer flags]
  local target=$1 seconds=$2
  shift 2
  echo "fuzz: $target for $seconds s $*"
  local log="build-fuzz/$target.log" status=0
  VELOXA_FUZZ_DATA="$data" "build-fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=30 \
    -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 "$@" "build-fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  grep -E "stat::number_of_executed_units|ERROR|finding:|SUMMARY|Test unit written" "$log" || true
  return $status
}

if [ $# -ge 1 ]; then
  run "$1" "${2:-60}" "${@:3}"
else
  for target in build-fuzz/*_fuzz; do run "$(basename "$target")" 5; done
fi
