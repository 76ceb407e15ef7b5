#!/usr/bin/env bash
# Judges the test suite by the faults it catches: applies each single-line fault of a table to the
# source, rebuilds, runs ctest and records which tests fail. The source is restored after each fault,
# and on any exit, an interrupt included.
#
#   tools/fault-check.sh BUILD_DIR [TABLE] [ID...]
#
# TABLE (default tools/faults.tsv) has one fault a line: ID, file, the exact text to replace (it must
# stand exactly once in the file) and its replacement, separated by tabs; a replacement "-" deletes
# the text. Prints one line a fault: "caught" with the failing tests, "MISSED", or "no-match" when the
# text is no longer in the file. Exits 1 when any fault is missed or no longer applies, so a table that
# went stale fails too. Needs a configured BUILD_DIR of this tree (e.g. the debug preset).
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: tools/fault-check.sh BUILD_DIR [TABLE] [ID...]}
table=${2:-tools/faults.tsv}
shift $(( $# >= 2 ? 2 : 1 ))
only=" $* "

backup=$(mktemp)
faulty=""
restore() {
    if [ -n "$faulty" ]; then
        cp "$backup" "$faulty"
        touch "$faulty"
        faulty=""
    fi
}
trap 'restore; rm -f "$backup"' EXIT
trap 'exit 130' INT TERM HUP

cmake --build "$build" </dev/null >/dev/null 2>&1 || { echo "the unchanged tree does not build" >&2; exit 2; }
status=0
while IFS=$'\t' read -r id file old new _; do
    case "$id" in '' | '#'*) continue ;; esac
    [ "$only" = "  " ] || [[ "$only" == *" $id "* ]] || continue
    [ "$new" = "-" ] && new=""
    cp "$file" "$backup"
    faulty=$file
    if ! OLD="$old" NEW="$new" perl -0pi -e \
        'sub un { my $s = shift; $s =~ s{\\(n|t|\\)}{$1 eq "n" ? "\n" : $1 eq "t" ? "\t" : "\\"}ge; $s } my ($o, $r) = (un($ENV{OLD}), un($ENV{NEW})); my $n = () = /\Q$o\E/g; die "matches $n\n" unless $n == 1; s/\Q$o\E/$r/' "$file" 2>/dev/null; then
        restore
        printf '%s\tno-match\t%s\n' "$id" "$file"
        status=1
        continue
    fi
    if ! cmake --build "$build" </dev/null >/dev/null 2>&1; then
        verdict="caught (does not build)"
    else
        failed=$(ctest --test-dir "$build" -j2 --timeout 120 </dev/null 2>&1 | sed -n 's/^[[:space:]]*[0-9]*[[:space:]]*-[[:space:]]*\([^ ]*\) (.*/\1/p' | tr '\n' ' ')
        if [ -n "$failed" ]; then verdict="caught by $failed"; else verdict="MISSED"; status=1; fi
    fi
    restore
    printf '%s\t%s\t%s\n' "$id" "$verdict" "$file"
done < "$table"
cmake --build "$build" >/dev/null 2>&1
exit $status
