#!/usr/bin/env bash
# Builds the libFuzzer targets in build/fuzz (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for SECONDS seconds (default 20), starting from a copy of its seed corpus in
# fuzz/corpus/. What the fuzzers add to the corpus, and any crashing input, stays in
# build/fuzz/scratch/; the repository is not touched. Fails when any target finds a crash.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# TARGET is fuzz_verifier, fuzz_database or fuzz_encoding; all three when none is named.
# QUENBURY_FUZZ_ARGS adds libFuzzer options, e.g. QUENBURY_FUZZ_ARGS="-jobs=2 -workers=2".
set -euo pipefail
shopt -s nullglob

cd "$(dirname "$0")/.."
say() { printf '==> %s\n' "$*"; }

seconds=${1:-20}
[[ "$seconds" =~ ^[0-9]+$ ]] && [ "$seconds" -gt 0 ] || {
    echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2
    exit 2
}
shift $(($# > 0 ? 1 : 0))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_verifier fuzz_database fuzz_encoding)

command -v clang++ >/dev/null || {
    echo "clang++ is missing: the fuzz targets need clang's libFuzzer (scripts/setup.sh installs it)" >&2
    exit 1
}

build=build/fuzz
if ! grep -qs '^QUENBURY_FUZZ:BOOL=ON' "$build/CMakeCache.txt"; then
    say "Configuring $build with clang (RelWithDebInfo, libFuzzer, ASan, UBSan)"
    CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUENBURY_FUZZ=ON -DQUENBURY_BUILD_TESTS=OFF >/dev/null
fi
say "Building ${targets[*]}"
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

scratch=$build/scratch
rm -rf "$scratch"
mkdir -p "$scratch"
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for target in "${targets[@]}"; do
    seeds=fuzz/corpus/$target
    [ -d "$seeds" ] || {
        echo "no seed corpus $seeds for $target" >&2
        exit 2
    }
    corpus=$scratch/$target/corpus
    mkdir -p "$corpus" "$scratch/$target/artifacts"
    cp "$seeds"/* "$corpus"/
    say "Fuzzing $target for $seconds s from $(ls "$seeds" | wc -l) seeds (corpus copy: $corpus)"
    # -max_len leaves room for texts around the 2000-line limit (the largest seeds are 6 KB). The
    # fuzzer runs in its scratch folder, where -jobs puts the workers' fuzz-N.log files.
    # shellcheck disable=SC2086
    if (cd "$scratch/$target" && "$PWD/../../bin/$target" -max_total_time="$seconds" -max_len=8192 \
        -timeout=10 -print_final_stats=1 -artifact_prefix=artifacts/ ${QUENBURY_FUZZ_ARGS:-} corpus \
        >log 2>&1); then
        logs=("$scratch/$target"/log "$scratch/$target"/fuzz-*.log)
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "${logs[@]}" | awk '{ n += $1 } END { print n }')
        say "$target: no crash in ${runs:-?} runs; corpus now $(ls "$corpus" | wc -l) entries"
    else
        failed+=("$target")
        echo "!!! $target found a crash; the end of its log ($scratch/$target/log):" >&2
        tail -n 40 "$scratch/$target/log" >&2
        artifacts=("$scratch/$target/artifacts"/*)
        echo "!!! crashing inputs: ${artifacts[*]:-none}" >&2
        echo "!!! replay one with: $build/bin/$target <input>" >&2
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing failed: ${failed[*]}" >&2
    exit 1
fi
say "Fuzzing passed: ${targets[*]}"
