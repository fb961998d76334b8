#!/usr/bin/env bash
# Times a week move through the real window under Wine on a full store (every note of every
# week at its full length, every timetable field in every colour), side by side with a command
# that does nothing, in one run. Prints the driver's line "week-move-ms=... nothing-ms=...".
# Usage: tests/e2e/week_speed.sh BUILD_DIR [WINWKB_EXE]
set -u
if [ $# -lt 1 ]; then echo "usage: $0 BUILD_DIR [WINWKB_EXE]" >&2; exit 2; fi
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"; fi
build=$(cd "$1" && pwd)
program_exe=${2:-$build/winwkb.exe}
source=$(cd "$(dirname "$0")/../.." && pwd)
wine_run="$source/scripts/wine-run"
export WKB_BUILD_DIR="$build"
work="$build/speed-work"
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

start() {
  timeout 300 "$wine_run" "$program_exe" >/dev/null 2>&1 &
  program=$!
  timeout 60 "$wine_run" "$build/wkb_e2e_driver.exe" intro >/dev/null 2>&1
}
stop() {
  timeout 60 "$wine_run" "$build/wkb_e2e_driver.exe" quit >/dev/null 2>&1
  wait $program
}

# A first start makes the store; then it is filled.
start
stop
/usr/bin/python3 - "$work/wkb_db" <<'PY'
import os, sys
folder = sys.argv[1]
# SPEED_NOTE_LENGTH (default 511) sets the length of every note (0: no notes at all), to tell
# the files' cost from the editor's.
length = int(os.environ.get("SPEED_NOTE_LENGTH", "511"))
# Each week's notes differ, so that no move finds the editor already showing its text, unless
# SPEED_SAME_NOTES=1 gives every week the same notes (the editor then stays as it is).
same = os.environ.get("SPEED_SAME_NOTES") == "1"
def note(w):
    return (("Week " if same else f"Week {w} ") + "Homework " * 60)[:max(0, length - 2)] + " |"
with open(folder + "/wkb_txt.data", "wb") as f:
    for w in range(1, 54 if length > 0 else 1):
        for d in range(1, 7):
            for p in range(10):
                f.write(f"W{w}D{d}P{p}={note(w)}\r\n".encode())
with open(folder + "/wkb_hd.data", "wb") as f:
    for c in range(5):
        for d in range(1, 7):
            for p in range(10):
                for field in "CTL":
                    key = f"D{d}P{p}{field}" + (f"|{c}" if c else "")
                    f.write(f"{key}=Value {d}{p}{field}{c}\r\n".encode())
with open(folder + "/weeks.dat", "wb") as f:
    f.write(b"### Weeks colors data. Please do not edit.\r\n")
    for w in range(1, 54):
        f.write(f"{w}={w % 5}\r\n".encode())
PY
start
timeout 300 "$wine_run" "$build/wkb_e2e_driver.exe" speed 2>&1 | tr -d '\r' | grep 'week-move-ms='
stop
