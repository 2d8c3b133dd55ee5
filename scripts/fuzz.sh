#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (address and undefined-behaviour sanitizers on)
# into build-fuzz/ and runs each for SECONDS (default 30), starting from the seed corpus in
# tests/fuzz/corpus/.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# Targets: frame_parser settings_file configuration_file reply_decoders link_timing
#
# Exit status: 0 when no target found anything; 1 when one did (crash, sanitizer report, broken
# check, hang or memory blow-up), with the input saved under build-fuzz/findings/ and the command
# that replays it printed; 2 when the targets could not be built or the arguments are wrong.
# Extra libFuzzer options can be given in FUZZ_OPTIONS (e.g. FUZZ_OPTIONS="-jobs=1").
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

SECONDS_EACH=${1:-30}
if ! [[ "$SECONDS_EACH" =~ ^[0-9]+$ ]] || [ "$SECONDS_EACH" -lt 1 ]; then
  echo "fuzz.sh: SECONDS must be a whole number of seconds, not '$SECONDS_EACH'." >&2
  exit 2
fi
shift $(( $# > 0 ? 1 : 0 ))

ALL_TARGETS=(frame_parser settings_file configuration_file reply_decoders link_timing)
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=("${ALL_TARGETS[@]}")

# Sources each target needs beyond its own file: the few units under test, nothing else.
sources_of() {
  case "$1" in
    frame_parser) echo "src/hart/link/hart_codec.cpp" ;;
    settings_file) echo "src/settings/settings_file.cpp src/platform/regular_file.cpp" ;;
    configuration_file) echo "src/records/configuration.cpp src/platform/regular_file.cpp src/units/module1.cpp" ;;
    reply_decoders) echo "src/hart/hart_replies.cpp src/hart/hart_catalogue.cpp src/hart/link/hart_codec.cpp" ;;
    link_timing) echo "src/hart/link/link_timing.cpp src/hart/link/hart_codec.cpp" ;;
    *) return 1 ;;
  esac
}
for t in "${TARGETS[@]}"; do
  if ! sources_of "$t" >/dev/null; then
    echo "fuzz.sh: unknown target '$t' (known: ${ALL_TARGETS[*]})." >&2
    exit 2
  fi
done

bash scripts/deps.sh

CXX=${FUZZ_CXX:-}
if [ -z "$CXX" ]; then
  for c in clang++ clang++-14; do
    if command -v "$c" >/dev/null; then CXX=$c; break; fi
  done
fi
if [ -z "$CXX" ]; then
  echo "fuzz.sh: no clang++ found; scripts/deps.sh installs clang." >&2
  exit 2
fi
if ! QT_FLAGS=$(pkg-config --cflags --libs Qt6Core 2>/dev/null); then
  echo "fuzz.sh: pkg-config knows no Qt6Core; scripts/deps.sh installs qt6-base-dev." >&2
  exit 2
fi

OUT=$ROOT/build-fuzz
mkdir -p "$OUT/bin" "$OUT/logs" "$OUT/findings"

# Qt is built with reduced relocations, so code using it must be position independent.
CXXFLAGS=(-std=c++17 -g -O1 -fPIC -fno-omit-frame-pointer
          -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
          -I"$ROOT/src" -I"$ROOT/tests/fuzz" -DZANU_VERSION_TEXT='"fuzz"')

build() {
  local t=$1 bin=$OUT/bin/fuzz_$1 src
  src="tests/fuzz/fuzz_$t.cpp $(sources_of "$t")"
  # Rebuild only when a source, a header or this script is newer than the target.
  local newest
  newest=$(ls -t $src tests/fuzz/*.h src/*/*.h src/hart/link/*.h scripts/fuzz.sh | head -n 1)
  if [ -x "$bin" ] && [ "$bin" -nt "$newest" ]; then return 0; fi
  echo "== building fuzz_$t"
  # shellcheck disable=SC2086  # the source list and Qt's flags are word lists
  if ! "$CXX" "${CXXFLAGS[@]}" $src $QT_FLAGS -o "$bin.new" >"$OUT/logs/build_$t.log" 2>&1; then
    cat "$OUT/logs/build_$t.log" >&2
    echo "fuzz.sh: fuzz_$t did not build (log: $OUT/logs/build_$t.log)." >&2
    return 1
  fi
  mv "$bin.new" "$bin"
}

for t in "${TARGETS[@]}"; do
  build "$t" || exit 2
done

# Leaks: Qt keeps some global caches for the life of the process; libFuzzer's per-input leak
# check still catches memory a target loses on every run.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:symbolize=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

found=0
for t in "${TARGETS[@]}"; do
  corpus=$OUT/corpus/$t
  mkdir -p "$corpus"
  dict=()
  [ -f "tests/fuzz/$t.dict" ] && dict=(-dict="$ROOT/tests/fuzz/$t.dict")
  log=$OUT/logs/run_$t.log
  echo "== fuzzing $t for ${SECONDS_EACH}s (log: $log)"
  # Each target works in a folder of its own: with -jobs, libFuzzer writes its workers' logs
  # (fuzz-N.log) into the current folder, and two targets may run at once.
  work=$OUT/work/$t
  mkdir -p "$work"
  rm -f "$work"/fuzz-*.log
  # The timeout is generous on purpose: CI machines are shared and slow; an input that takes
  # this long on a 4 KiB line or file is a real hang, not a busy neighbour.
  set +e
  # shellcheck disable=SC2086  # FUZZ_OPTIONS is a word list
  (cd "$work" && "$OUT/bin/fuzz_$t" "$corpus" "$ROOT/tests/fuzz/corpus/$t" \
     -max_total_time="$SECONDS_EACH" -max_len=4096 -timeout=60 -rss_limit_mb=2048 \
     -print_final_stats=1 -artifact_prefix="$OUT/findings/${t}-" "${dict[@]}" \
     ${FUZZ_OPTIONS:-}) >"$log" 2>&1
  rc=$?
  set -e
  for w in "$work"/fuzz-*.log; do
    [ -e "$w" ] && { echo "---- $(basename "$w")"; cat "$w"; } >>"$log"
  done
  grep -E '^stat::(number_of_executed_units|peak_rss_mb|new_units_added)' "$log" |
    awk '!seen[$0]++ { print "   " $0 }' || true
  # libFuzzer saves the input of every finding (crash, sanitizer report, failed check, hang,
  # memory blow-up, leak) and says so in a line "... Test unit written to FILE"; any other
  # failure is the tool's, not the code's.
  if grep -q 'Test unit written to ' "$log"; then
    found=1
    echo "!! $t: finding (exit $rc). The end of the log:" >&2
    tail -n 40 "$log" >&2
    sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | while read -r a; do
      echo "!! input: $a" >&2
      echo "!! replay: $OUT/bin/fuzz_$t $a" >&2
    done
  elif [ $rc -ne 0 ]; then
    tail -n 20 "$log" >&2
    echo "fuzz.sh: fuzz_$t could not run (exit $rc); see $log." >&2
    exit 2
  fi
done

if [ $found -ne 0 ]; then
  echo "fuzz.sh: a target found a problem; see above." >&2
  exit 1
fi
echo "fuzz.sh: no findings."
