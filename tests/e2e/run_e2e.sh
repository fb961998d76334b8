#!/usr/bin/env bash
# End-to-end check of the real program: starts winwkb.exe under Wine (and Xvfb when there is no
# display) in an empty folder, lets the driver use it as a person would, saves a screenshot,
# quits it, and checks the files it wrote in its data folder.
# Usage: tests/e2e/run_e2e.sh BUILD_DIR WINWKB_EXE DRIVER_EXE
set -u
if [ $# -ne 3 ]; then echo "usage: $0 BUILD_DIR WINWKB_EXE DRIVER_EXE" >&2; exit 2; fi
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"; fi

build=$(cd "$1" && pwd)
program=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
driver=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
source=$(cd "$(dirname "$0")/../.." && pwd)
wine_run="$source/scripts/wine-run"
export WKB_BUILD_DIR="$build"
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}"
work="$build/e2e-work"
artefacts="$build/artefacts"
rm -rf "$work"
mkdir -p "$work" "$artefacts"

failures=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

# Set the prefix up once before two programs share it.
"$wine_run" cmd /c exit >/dev/null 2>&1
# The title bar's buttons and the dialog font come from Wine's own fonts.
for font in marlett.ttf tahoma.ttf tahomabd.ttf; do
  [ -f "/usr/share/wine/fonts/$font" ] && cp -n "/usr/share/wine/fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
done

cd "$work"
timeout 300 "$wine_run" "$program" >"$artefacts/e2e_program.log" 2>&1 &
program_pid=$!

timeout 180 "$wine_run" "$driver" drive >"$artefacts/e2e_driver.log" 2>&1
drive_status=$?
tr -d '\r' <"$artefacts/e2e_driver.log"
check "the driver used the window" [ $drive_status -eq 0 ]
import -window root "$artefacts/e2e_window.png" && echo "screenshot: $artefacts/e2e_window.png"

# Real key presses: Ctrl+Tab to Period 4, a note typed there, Alt+Right and Alt+Left a week
# away and back without saving: the note is kept, and the letters typed right after Alt+Left go
# into it, not to the menu bar. Alt pressed alone still enters the menu bar: a letter then goes
# to no note. Then more typing and Alt+F4 (the close box's command): the window closes and the
# note is in the file.
point=$(timeout 60 "$wine_run" "$driver" where 2>/dev/null | tr -d '\r' | sed -n 's/^notes-at //p')
if [ -n "$point" ]; then
  # shellcheck disable=SC2086
  xdotool mousemove $point click 1
  sleep 0.5
  xdotool key ctrl+Tab
  sleep 0.5
  xdotool mousemove $point click 1 type --delay 20 "typed by"
  xdotool key alt+Right
  sleep 0.5
  xdotool key alt+Left
  sleep 0.5
  xdotool key ctrl+End type --delay 20 " keys"
  xdotool key alt
  sleep 0.3
  xdotool type --delay 20 "z"
  xdotool key Escape
  sleep 0.3
fi
notes=$(timeout 60 "$wine_run" "$driver" notes 2>/dev/null | tr -d '\r' | sed -n 's/^notes=//p')
check "a note typed and left with Alt+Right is there after Alt+Left, with what was typed next (\"$notes\")" [ "$notes" = "typed by keys" ]
xdotool key End type --delay 20 " and closed"
# The timetable grid by keys alone: Ctrl+T opens it on Monday, Period 4 of the yellow week; Tab
# runs through a cell's fields, Enter goes to the next period, where "Ma" completes to the
# listed Math; Shift+Tab goes back to the cell before's classroom; Alt+W and Home choose the
# plain week (keeping the yellow one's fields), Alt+C its course; Ctrl+Enter is OK.
xdotool key ctrl+t
sleep 1
xdotool type --delay 20 "Bio"; xdotool key Tab; xdotool type --delay 20 "Smith"; xdotool key Tab
xdotool type --delay 20 "B12"; xdotool key Return; xdotool type --delay 20 "Ma"; xdotool key Return
xdotool key shift+Tab; xdotool type --delay 20 "Lab"
xdotool key alt+w Home alt+c; xdotool type --delay 20 "Art"
sleep 0.5
import -window root "$artefacts/e2e_timetable.png" && echo "screenshot: $artefacts/e2e_timetable.png"
xdotool key ctrl+Return
sleep 1
# One lesson on its date by keys: Ctrl+L opens the change of Monday, Period 4 with the focus on
# "Cancelled", Space ticks it, Alt+R goes to the classroom, Enter is OK.
xdotool key ctrl+l
sleep 1
xdotool key space alt+r; xdotool type --delay 20 "Gym"
sleep 0.3
import -window root "$artefacts/e2e_lesson_change.png" && echo "screenshot: $artefacts/e2e_lesson_change.png"
xdotool key Return
sleep 0.5
# The agenda by keys: Ctrl+D opens it on the week's first note (Monday, Period 3), Space ticks it
# done and Escape closes it; Ctrl+Shift+Tab goes back to Period 3 (Math every week, by the default
# values) and Ctrl+J on to the next week's, where a note is typed; File > Export > Agenda page (its
# last item) writes the page. (After the grid the driver no longer finds the window: keys only.)
xdotool key ctrl+d
sleep 1
import -window root "$artefacts/e2e_agenda.png" && echo "screenshot: $artefacts/e2e_agenda.png"
xdotool key space
sleep 0.5
xdotool key Escape ctrl+shift+Tab
sleep 0.5
xdotool key ctrl+j
sleep 0.5
[ -n "$point" ] && xdotool mousemove $point click 1 type --delay 20 "next math"
xdotool key alt+f Down Right Up Return
sleep 1
xdotool key alt+F4
for _ in $(seq 1 100); do kill -0 $program_pid 2>/dev/null || break; sleep 0.2; done
check "Alt+F4 closed the window" bash -c "! kill -0 $program_pid 2>/dev/null"
if kill -0 $program_pid 2>/dev/null; then timeout 60 "$wine_run" "$driver" quit >>"$artefacts/e2e_driver.log" 2>&1; fi
wait $program_pid
check "the program ended with exit code 0" [ $? -eq 0 ]

week=$(tr -d '\r' <"$artefacts/e2e_driver.log" | sed -n 's/^week=\([0-9]*\)$/\1/p' | head -1)
data="$work/wkb_db"
# has FILE LINE: FILE holds LINE as a whole line ended by CR LF.
has() { grep -qaxF -- "$2"$'\r' "$data/$1"; }
check "the data folder was made in the working folder" [ -d "$data" ]
check "wkb_txt.data holds the note under W${week}D1P2, CR LF" has wkb_txt.data "W${week}D1P2=Homework: page 12 |Learn the poem"
check "wkb_hd.data holds the course of Monday, Period 3" has wkb_hd.data "D1P2C=Math"
check "hdvalues.dat lists the added course" has hdvalues.dat "[C]Math"
check "weeks.dat gives week ${week} the colour 1" has weeks.dat "${week}=1"
check ".wkb.rc holds the lesson times of Period 3" has .wkb.rc "lesson_times_all=,,10:05-10:55,,,,,,,"
check "timetable.ics holds Monday's Math lesson at 10:05" grep -qa "^DTSTART:[0-9]\{8\}T100500"$'\r'"\$" "$data/timetable.ics"
check "timetable.ics names the course" has timetable.ics "SUMMARY:Math"
check "timetable.ics ends its lines with CR LF" has timetable.ics "END:VCALENDAR"
check "wkb_txt.data holds the note typed by keys under W${week}D1P3" has wkb_txt.data "W${week}D1P3=typed by keys and closed"
grid_typed() {
  for line in "D1P3C|1=Bio" "D1P3T|1=Smith" "D1P3L|1=B12" "D1P4C|1=Math" "D1P4L|1=Lab" "D1P4C=Art"; do
    has wkb_hd.data "$line" || { echo "missing: $line"; return 1; }
  done
}
check "wkb_hd.data holds the timetable typed in the grid, both colours" grid_typed
check "hdvalues.dat lists the grid's new teacher" has hdvalues.dat "[T]Smith"
check "marks.dat marks the note of Monday, Period 3 done (Ctrl+D, Space)" grep -qa "^W${week}D1P2=d " "$data/marks.dat"
check "Ctrl+J went to the next week's Math lesson" bash -c "grep -a '^W[0-9]*D1P2=next math' '$data/wkb_txt.data' | grep -qv '^W${week}D'"
check "changes.dat cancels Monday, Period 4 of week ${week} in the room typed" grep -qa "^W${week}D1P3=X L3:Gym"$'\r'"\$" "$data/changes.dat"
check "agenda.html lists the note still due" grep -qa "typed by keys and closed" "$data/agenda.html"

if [ $failures -ne 0 ]; then echo "$failures failed"; exit 1; fi
echo "end-to-end check passed"
