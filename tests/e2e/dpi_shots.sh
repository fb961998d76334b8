#!/usr/bin/env bash
# The window at 96, 120, 144 and 192 DPI under Wine: for each, a prefix whose LogPixels says so,
# the layout tests run there, and screenshots of the main window, the timetable dialog, the agenda
# window and the input dialog saved to BUILD_DIR/artefacts/dpi-<dpi>-{window,timetable,agenda,dialog}.png
# to be looked at.
# Usage: tests/e2e/dpi_shots.sh BUILD_DIR [dpi...]
set -u
if [ $# -lt 1 ]; then echo "usage: $0 BUILD_DIR [dpi...]" >&2; exit 2; fi
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1600x1200x24" bash "$0" "$@"; fi
build=$(cd "$1" && pwd)
shift
dpis=("$@")
[ ${#dpis[@]} -eq 0 ] && dpis=(96 120 144 192)
source=$(cd "$(dirname "$0")/../.." && pwd)
wine_run="$source/scripts/wine-run"
export WKB_BUILD_DIR="$build"
artefacts="$build/artefacts"
mkdir -p "$artefacts"
failures=0

for dpi in "${dpis[@]}"; do
  export WINEPREFIX="$build/wineprefix-dpi$dpi"
  "$wine_run" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  "$wine_run" wineboot -r >/dev/null 2>&1
  WINEPREFIX="$WINEPREFIX" wineserver -w
  echo "== $dpi DPI"
  timeout 300 "$wine_run" "$build/winwkb_tests.exe" --gtest_filter='UiScale.*' >"$artefacts/dpi-$dpi-tests.log" 2>&1
  status=$?
  tr -d '\r' <"$artefacts/dpi-$dpi-tests.log" | grep -E '^\[  (PASSED|FAILED) |Failure|^  '
  [ $status -eq 0 ] || failures=$((failures + 1))
  work="$build/dpi-work-$dpi"
  rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
  timeout 120 "$wine_run" "$build/winwkb.exe" >/dev/null 2>&1 &
  program=$!
  if timeout 60 "$wine_run" "$build/wkb_e2e_driver.exe" intro >/dev/null 2>&1; then
    sleep 1
    import -window root "$artefacts/dpi-$dpi-window.png"
    if timeout 60 "$wine_run" "$build/wkb_e2e_driver.exe" timetable >/dev/null 2>&1; then
      sleep 1
      import -window root "$artefacts/dpi-$dpi-timetable.png"
      timeout 60 "$wine_run" "$build/wkb_e2e_driver.exe" cancel-timetable >/dev/null 2>&1
    else
      echo "FAILED: the timetable dialog did not open at $dpi DPI"
      failures=$((failures + 1))
    fi
    # Two notes of this week for the agenda window.
    week=$((10#$(date +%V)))
    printf 'W%dD1P1=Read chapter 4\r\nW%dD5P2=Test on fractions |Exercises 1-5\r\n' "$week" "$week" >"$work/wkb_db/wkb_txt.data"
    if timeout 60 "$wine_run" "$build/wkb_e2e_driver.exe" agenda >/dev/null 2>&1; then
      sleep 1
      import -window root "$artefacts/dpi-$dpi-agenda.png"
      timeout 60 "$wine_run" "$build/wkb_e2e_driver.exe" close-agenda >/dev/null 2>&1
    else
      echo "FAILED: the agenda window did not open at $dpi DPI"
      failures=$((failures + 1))
    fi
    printf '[C]Math\r\n[C]Latin\r\n' >"$work/wkb_db/hdvalues.dat"
    timeout 60 "$wine_run" "$build/wkb_e2e_driver.exe" dialog >/dev/null 2>&1
    sleep 1
    import -window root "$artefacts/dpi-$dpi-dialog.png"
    echo "screenshots: $artefacts/dpi-$dpi-window.png, dpi-$dpi-dialog.png, dpi-$dpi-agenda.png"
  else
    echo "FAILED: the window did not come up at $dpi DPI"
    failures=$((failures + 1))
  fi
  timeout 60 "$wine_run" "$build/wkb_e2e_driver.exe" quit >/dev/null 2>&1
  wait $program
  cd "$source"
done
if [ $failures -ne 0 ]; then echo "$failures failed"; exit 1; fi
echo "DPI check passed"
