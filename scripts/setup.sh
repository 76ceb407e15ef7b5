#!/usr/bin/env bash
# Sets up everything on a fresh Debian 12 machine, then builds and starts the wizard (run) or builds
# and runs every test (test). Safe to run again and again: it installs only what is missing and
# rebuilds only what changed.
set -euo pipefail

usage() {
    echo "usage: scripts/setup.sh run|test" >&2
    exit 2
}
[ $# -eq 1 ] || usage
mode=$1
case "$mode" in run | test) ;; *) usage ;; esac

cd "$(dirname "$0")/.."
say() { printf '==> %s\n' "$*"; }

# 1. Debian packages, from the one list in scripts/debian-packages.txt.
mapfile -t packages < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' scripts/debian-packages.txt)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    say "All ${#packages[@]} Debian packages are installed."
else
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    say "Installing ${#missing[@]} missing Debian packages: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# 2. Build and run.
if [ "$mode" = run ]; then
    say "Configuring and building the release build in build/release"
    cmake --preset release
    cmake --build --preset release
    say "Starting the wizard: build/release/bin/quenbury"
    exec build/release/bin/quenbury
fi

# What users build: the release build, with warnings as errors as in every build, and a smoke test of
# its programs (the wizard shows its window on a virtual display; the verifier passes a clean file).
say "Configuring and building the release build in build/release"
cmake --preset release
cmake --build --preset release
say "Smoke-testing the release build"
scripts/window-shown.sh 30 build/release/bin/quenbury
build/release/bin/quenbury-verify fuzz/corpus/fuzz_verifier/worked-example.txt >/dev/null

say "Configuring and building the test build (AddressSanitizer, UndefinedBehaviorSanitizer) in build/debug"
cmake --preset debug
cmake --build --preset debug
say "Running the test suite"
ctest --preset debug -j "$(nproc)"
say "Fuzzing each target for ${QUENBURY_FUZZ_SECONDS:-20} seconds"
bash scripts/fuzz.sh "${QUENBURY_FUZZ_SECONDS:-20}"
say "All tests passed."
