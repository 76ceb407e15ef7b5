#!/bin/sh
# Starts the wizard on a virtual X display and waits until its window is on screen: an X window
# named "Corvanta  Quenbury(tm)" that is mapped and viewable. Fails when the program ends first or
# no such window shows within SECONDS; closes the program once it does.
#
#   scripts/window-shown.sh SECONDS PROGRAM [ARGUMENT...]
#
# Also checks that the program ignores SIGXFSZ, so that a save past the file size limit fails with a
# message instead of ending it. Needs xvfb-run (Debian package xvfb) and xwininfo (x11-utils).
set -u
[ $# -ge 2 ] || { echo "usage: scripts/window-shown.sh SECONDS PROGRAM [ARGUMENT...]" >&2; exit 2; }
for tool in xvfb-run xwininfo; do
    command -v "$tool" >/dev/null || { echo "window-shown: $tool is missing (scripts/setup.sh installs it)" >&2; exit 2; }
done
if [ -z "${WINDOW_SHOWN_ON_XVFB:-}" ]; then
    # -a: a free display number, so that runs side by side do not meet.
    WINDOW_SHOWN_ON_XVFB=1 QT_QPA_PLATFORM=xcb exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
seconds=$1
shift
title='Corvanta  Quenbury(tm)'
"$@" &
pid=$!
tries=$((seconds * 10))
while ! xwininfo -name "$title" 2>/dev/null | grep -q 'Map State: IsViewable'; do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        echo "window-shown: $1 ended (exit status $?) without showing its window" >&2
        exit 1
    fi
    tries=$((tries - 1))
    if [ "$tries" -le 0 ]; then
        kill "$pid"
        wait "$pid" 2>/dev/null
        echo "window-shown: $1 showed no window \"$title\" within $seconds s" >&2
        exit 1
    fi
    sleep 0.1
done
echo "window-shown: $1 shows its window \"$title\""
# SigIgn is a hexadecimal mask of ignored signals; SIGXFSZ is signal 25, its bit 24.
ignored=$(sed -n 's/^SigIgn:[[:space:]]*//p' "/proc/$pid/status")
kill "$pid"
wait "$pid" 2>/dev/null
if [ $(( (0x$ignored >> 24) & 1 )) -ne 1 ]; then
    echo "window-shown: $1 does not ignore SIGXFSZ (SigIgn $ignored)" >&2
    exit 1
fi
exit 0
