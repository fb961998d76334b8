#!/usr/bin/env bash
# The downloads, tested as a user gets them: builds them with scripts/make-dist, checks that
# packing them again gives the same bytes (that a second build of the program does too is
# checked by make dist: scripts/check-reproducible), reads the version resource back, signs
# with a throw-away certificate, checks the package manager's manifests, then in a fresh Wine
# prefix installs the release before this one for everyone, saves a note, upgrades, runs,
# uninstalls (the note stays), refuses to install or uninstall while the diary is open or into a
# folder that cannot be written, installs the release before this one for the user alone and
# upgrades it in that scope (touching neither Program Files nor the machine's registry), runs it
# on the same note and uninstalls it, and starts the portable zip's program in a folder of its
# own.
# Usage: tests/dist/run_dist_tests.sh BUILD_DIR WINWKB_EXE DRIVER_EXE
set -u
if [ $# -ne 3 ]; then echo "usage: $0 BUILD_DIR WINWKB_EXE DRIVER_EXE" >&2; exit 2; fi
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"; fi

build=$(cd "$1" && pwd)
export WKB_BUILD_DIR="$build"
program=$(realpath "$2")
driver=$(realpath "$3")
source=$(cd "$(dirname "$0")/../.." && pwd)
check_py="$source/tests/dist/dist_check.py"
work="$build/dist-test"
rm -rf "$work"
mkdir -p "$work"
log="$work/log.txt"
. "$build/dist-config"
version=$WKB_VERSION
IFS=. read -r major minor patch <<<"$version"
if [ "$patch" -gt 0 ]; then previous="$major.$minor.$((patch - 1))"
elif [ "$minor" -gt 0 ]; then previous="$major.$((minor - 1)).0"
else previous="$((major - 1)).0.0"; fi

failures=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
same() { cmp -s "$1" "$2"; }
has_line() { grep -qxF -- "$2" <(tr -d '\r' <"$1"); }

# --- The downloads, without Wine ------------------------------------------------------------
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$source" log -1 --format=%ct 2>/dev/null || echo 315532800)}
setup="winwkb-$version-setup.exe"
zip="winwkb-$version-portable.zip"
package_id="$WKB_PUBLISHER_ID.WinWkb"
manifests="manifests/$(printf %s "${package_id:0:1}" | tr '[:upper:]' '[:lower:]')/$WKB_PUBLISHER_ID/WinWkb/$version"
"$source/scripts/make-dist" "$build" "$work/dist" >>"$log" 2>&1
check "make-dist made the installer, the zip and the sums" \
  test -f "$work/dist/$setup" -a -f "$work/dist/$zip" -a -f "$work/dist/SHA256SUMS"
check "SHA256SUMS holds both and matches them" \
  bash -c "cd '$work/dist' && [ \$(wc -l <SHA256SUMS) -eq 2 ] && sha256sum --quiet -c SHA256SUMS"
check "the portable zip holds winwkb.exe and README.txt, nothing else" \
  [ "$(python3 "$check_py" zipnames "$work/dist/$zip" | sort | tr '\n' ' ')" = "README.txt winwkb.exe " ]

python3 "$check_py" versioninfo "$program" >"$work/versioninfo.txt" 2>>"$log"
for line in "fixed=$version.0" "FileVersion=$version" "ProductVersion=$version" "CompanyName=$WKB_PUBLISHER" \
  "LegalCopyright=$WKB_COPYRIGHT" "FileDescription=WinWkb, the school diary" "ProductName=WinWkb"; do
  check "the program's version resource says $line" has_line "$work/versioninfo.txt" "$line"
done
check "the about text and the stored version come from the same number" \
  grep -qa "version wkb_v$version" "$program"

# The same program packed again a second later: same bytes.
sleep 1
"$source/scripts/make-dist" "$build" "$work/dist2" >>"$log" 2>&1
for f in "$setup" "$zip" SHA256SUMS "$manifests/$package_id.installer.yaml"; do
  check "packing twice gives the same $f" same "$work/dist/$f" "$work/dist2/$f"
done

# The release before this one, to upgrade from, with this build's configuration (the WKB_ cache
# variables). Its folder stays beside this one from run to run, and at the same depth, so that
# the compiler cache serves every file that does not use the number.
mapfile -t settings < <(grep -E '^WKB_[A-Z_]+:[A-Z]+=' "$build/CMakeCache.txt" | grep -v '^WKB_VERSION_OVERRIDE:' | sed 's/^/-D/')
older="$build-previous"
cmake --preset windows -S "$source" -B "$older" "${settings[@]}" -DWKB_VERSION_OVERRIDE="$previous" >>"$log" 2>&1 &&
  cmake --build "$older" --target winwkb -j2 >>"$log" 2>&1 &&
  "$source/scripts/make-dist" "$older" "$work/dist-previous" >>"$log" 2>&1
check "the release $previous was built to upgrade from" test -f "$work/dist-previous/winwkb-$previous-setup.exe"

# Signed with a throw-away certificate: the program (in the zip), the installer, the uninstaller.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=WinWkb test signing" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem" >>"$log" 2>&1
SOURCE_DATE_EPOCH=$(date +%s) SIGN_CERT="$work/cert.pem" SIGN_KEY="$work/key.pem" \
  "$source/scripts/make-dist" "$build" "$work/dist-signed" >>"$log" 2>&1
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >>"$log" 2>&1; }
python3 -c "import zipfile,sys; zipfile.ZipFile(sys.argv[1]).extract('winwkb.exe', sys.argv[2])" \
  "$work/dist-signed/$zip" "$work/signed-program" 2>>"$log"
check "the signed installer verifies" verify "$work/dist-signed/$setup"
check "the signed program verifies" verify "$work/signed-program/winwkb.exe"
check "the unsigned installer carries no signature" bash -c "! osslsigncode verify -in '$work/dist/$setup' >/dev/null 2>&1"

# The package manager's manifests: where its repository keeps them, and what they say.
python3 "$check_py" manifests "$work/dist/$manifests" >"$work/manifests.txt" 2>>"$log"
sha=$(sha256sum "$work/dist/$setup" | cut -d' ' -f1 | tr '[:lower:]' '[:upper:]')
url="https://$WKB_WEB_ADDRESS/download/$setup"
for line in "files=$package_id.installer.yaml $package_id.locale.en-US.yaml $package_id.yaml" \
  "version:DefaultLocale=en-US" "defaultLocale:PackageLocale=en-US" "defaultLocale:Publisher=$WKB_PUBLISHER" \
  "defaultLocale:License=Proprietary" "defaultLocale:ShortDescription=A school diary: a weekly timetable of six days and ten periods, and notes for every period of the school year." \
  "installer:InstallerType=nsis" "installer:ProductCode=WinWkb" \
  "installer:Installers.0.Scope=user" "installer:Installers.0.InstallerSwitches.Silent=/S /CurrentUser" \
  "installer:Installers.0.InstallerSwitches.SilentWithProgress=/S /CurrentUser" \
  "installer:Installers.1.Scope=machine" "installer:Installers.1.InstallerSwitches.Silent=/S /AllUsers" \
  "installer:Installers.1.InstallerSwitches.SilentWithProgress=/S /AllUsers"; do
  check "the manifests say $line" has_line "$work/manifests.txt" "$line"
done
for kind in version defaultLocale installer; do
  for line in "$kind:PackageIdentifier=$package_id" "$kind:PackageVersion=$version" "$kind:ManifestVersion=1.6.0"; do
    check "the manifests say $line" has_line "$work/manifests.txt" "$line"
  done
done
for i in 0 1; do
  for line in "installer:Installers.$i.Architecture=x64" "installer:Installers.$i.InstallerUrl=$url" \
    "installer:Installers.$i.InstallerSha256=$sha"; do
    check "the manifests say $line" has_line "$work/manifests.txt" "$line"
  done
done
check "the installer manifest has two entries" [ "$(grep -c '^installer:Installers\.[0-9]*\.Scope=' "$work/manifests.txt")" -eq 2 ]

# --- Under Wine, in a prefix of its own -----------------------------------------------------
export WINEPREFIX="$work/wineprefix"
wine_run="$source/scripts/wine-run"
w() { timeout 120 "$wine_run" "$@" >>"$log" 2>&1; }
drive() { timeout 60 "$wine_run" "$driver" "$@" 2>>"$log" | tr -d '\r' | tee -a "$log"; }
start_from_shortcut() { w start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\WinWkb.lnk'; }
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\WinWkb'
# A value of the uninstall key (for everyone, or the one given second).
reg_value() { timeout 60 "$wine_run" reg query "${2:-$key}" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
key_gone() { ! timeout 60 "$wine_run" reg query "${1:-$key}" >/dev/null 2>&1; }
installed="$WINEPREFIX/drive_c/Program Files/WinWkb"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/WinWkb.lnk"
note="Homework: page 12|Learn the poem"
started=$(date +%s)

w cmd /c exit
environment() { timeout 60 "$wine_run" reg query 'HKCU\Volatile Environment' /v "$1" | tr -d '\r' | sed -n "s/^ *$1 *REG_SZ *//p"; }
unix_path() { local p="$WINEPREFIX/drive_c/${1#C:\\}"; echo "${p//\\//}"; }
appdata=$(environment APPDATA)
data=$(unix_path "$appdata\wkb_db")

w "$work/dist-previous/winwkb-$previous-setup.exe" /S
check "the installer of $previous ran silently" [ $? -eq 0 ]
check "the program and the uninstaller are under Program Files" test -f "$installed/winwkb.exe" -a -f "$installed/uninstall.exe"
python3 "$check_py" lnk "$shortcut" >"$work/shortcut.txt" 2>>"$log"
check "the shortcut starts the installed program" has_line "$work/shortcut.txt" 'target=C:\Program Files\WinWkb\winwkb.exe'
check "the shortcut's working folder is the install folder" has_line "$work/shortcut.txt" 'workdir=C:\Program Files\WinWkb'
timeout 60 "$wine_run" reg query "$key" 2>/dev/null | tr -d '\r' | sed -E 's/^ +([A-Za-z]+) +REG_[A-Z_]+ +/\1=/' >"$work/key.txt"
for line in "DisplayVersion=$previous" "DisplayName=WinWkb, the school diary" "Publisher=$WKB_PUBLISHER" \
  'UninstallString="C:\Program Files\WinWkb\uninstall.exe"' 'DisplayIcon=C:\Program Files\WinWkb\winwkb.exe,0'; do
  check "the uninstall key holds $line" has_line "$work/key.txt" "$line"
done
check "the uninstall key holds the program's size" grep -qE '^EstimatedSize=0x[0-9a-f]*[1-9a-f]' "$work/key.txt"

start_from_shortcut
drive note "$note" >"$work/first-run.txt"
check "the diary, started from the shortcut, saved a note" grep -q "^NOTE OK" "$work/first-run.txt"
check "its data folder is the user's application data folder" \
  grep -qF "Path: $appdata\\wkb_db\\" "$work/first-run.txt"
check "the note is in the data folder there" grep -qa "D1P2=Homework: page 12" "$data/wkb_txt.data"
check "nothing was made under Program Files" [ "$(ls -A "$installed" | tr '\n' ' ')" = "uninstall.exe winwkb.exe " ]

start_from_shortcut
drive show >"$work/second-run.txt"
check "the note is shown after a restart" has_line "$work/second-run.txt" "notes: $note"
w "$work/dist-signed/$setup" /S
check "the installer refuses while the diary is open, with exit code 3" [ $? -eq 3 ]
check "the open diary's program was not replaced" same "$installed/winwkb.exe" "$older/winwkb.exe"
check "the uninstall key still holds $previous" [ "$(reg_value DisplayVersion)" = "$previous" ]
check "and left no file of its own there" [ "$(ls -A "$installed" | tr '\n' ' ')" = "uninstall.exe winwkb.exe " ]
# Called as a user or a deployment script calls it: the exit code is that of uninstall.exe itself.
w "$installed/uninstall.exe" /S
check "the uninstaller refuses while the diary is open, with exit code 3" [ $? -eq 3 ]
sleep 2  # a copy of the uninstaller left running would have removed something by now
check "and removed nothing" test -f "$installed/winwkb.exe" -a -f "$shortcut"
check "and left no file of its own" [ "$(ls -A "$installed" | tr '\n' ' ')" = "uninstall.exe winwkb.exe " ]
check "and kept the uninstall key" [ "$(reg_value DisplayVersion)" = "$previous" ]
drive quit >/dev/null

w "$work/dist-signed/$setup" /S
check "the installer of $version upgraded silently" [ $? -eq 0 ]
check "the program is the new one" same "$installed/winwkb.exe" "$work/signed-program/winwkb.exe"
check "the uninstall key holds the version $version" [ "$(reg_value DisplayVersion)" = "$version" ]
w "$work/dist-signed/$setup" /S
check "the installer runs a second time" [ $? -eq 0 ]
check "the installed program verifies" verify "$installed/winwkb.exe"
check "the installed uninstaller verifies" verify "$installed/uninstall.exe"
start_from_shortcut
drive show >"$work/upgraded-run.txt"
check "the upgraded diary shows the note" has_line "$work/upgraded-run.txt" "notes: $note"
drive quit >/dev/null
check "the settings were kept (beep on)" has_line "$data/.wkb.rc" "bip=yes"
check "the settings now record wkb_v$version" has_line "$data/.wkb.rc" "version=wkb_v$version"

w "$installed/uninstall.exe" /S
# The uninstaller runs on from a copy of itself after the call returns.
for _ in $(seq 1 60); do [ -e "$installed" ] || break; sleep 0.5; done
check "the uninstaller removed the program and its folder" [ ! -e "$installed" ]
check "the uninstaller removed the shortcut" [ ! -e "$shortcut" ]
check "the uninstaller removed the uninstall key" key_gone
check "the note is still in the data folder" grep -qa "D1P2=Homework: page 12" "$data/wkb_txt.data"

touch "$WINEPREFIX/drive_c/blocked"
w "$work/dist-signed/$setup" /S '/D=C:\blocked\WinWkb'
check "an installer whose folder cannot be written fails" [ $? -ne 0 ]
check "and leaves no shortcut" [ ! -e "$shortcut" ]
check "and no uninstall key" key_gone

# --- For me only, in the same prefix: no administrator's place is touched ---------------------
user_dir="$(environment LOCALAPPDATA)\Programs\WinWkb"
user_installed=$(unix_path "$user_dir")
user_shortcut=$(unix_path "$appdata\Microsoft\Windows\Start Menu\Programs\WinWkb.lnk")
user_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\WinWkb'
machine_registry() { timeout 60 "$wine_run" reg export 'HKLM\Software' "$1" /y >/dev/null 2>&1; }
machine_registry "$work/machine-before.reg"
touch "$work/before-user-install"
w "$work/dist-previous/winwkb-$previous-setup.exe" /S /CurrentUser
check "the installer of $previous ran silently for the user alone" [ $? -eq 0 ]
check "the program and the uninstaller are in the user's programs folder" \
  test -f "$user_installed/winwkb.exe" -a -f "$user_installed/uninstall.exe"
python3 "$check_py" lnk "$user_shortcut" >"$work/user-shortcut.txt" 2>>"$log"
check "the user's own shortcut starts the program there" has_line "$work/user-shortcut.txt" "target=$user_dir\winwkb.exe"
check "its working folder is that folder" has_line "$work/user-shortcut.txt" "workdir=$user_dir"
check "the user's uninstall key holds $previous" [ "$(reg_value DisplayVersion "$user_key")" = "$previous" ]
check "the user's uninstall key names the uninstaller" [ "$(reg_value UninstallString "$user_key")" = "\"$user_dir\\uninstall.exe\"" ]
w "$work/dist-signed/$setup" /S
check "the installer of $version upgraded it silently, without a scope switch" [ $? -eq 0 ]
check "the program there is the new one" same "$user_installed/winwkb.exe" "$work/signed-program/winwkb.exe"
check "the user's uninstall key holds $version" [ "$(reg_value DisplayVersion "$user_key")" = "$version" ]
check "no uninstall key for everyone was made" key_gone
check "no shortcut for everyone was made" [ ! -e "$shortcut" ]
w start "$appdata\Microsoft\Windows\Start Menu\Programs\WinWkb.lnk"
drive show >"$work/user-run.txt"
check "started from the user's shortcut, the diary keeps its data in the user's application data folder" \
  grep -qF "Path: $appdata\\wkb_db\\" "$work/user-run.txt"
check "and shows the note kept there" has_line "$work/user-run.txt" "notes: $note"
w "$user_installed/uninstall.exe" /S
check "the user's uninstaller refuses while the diary is open, with exit code 3" [ $? -eq 3 ]
drive quit >/dev/null
w "$user_installed/uninstall.exe" /S
for _ in $(seq 1 60); do [ -e "$user_installed" ] || break; sleep 0.5; done
check "the user's uninstaller removed the program and its folder" [ ! -e "$user_installed" ]
check "and the user's shortcut" [ ! -e "$user_shortcut" ]
check "and the user's uninstall key" key_gone "$user_key"
check "the note is still in the data folder" grep -qa "D1P2=Homework: page 12" "$data/wkb_txt.data"
check "nothing was written under Program Files or ProgramData" \
  [ -z "$(find "$WINEPREFIX/drive_c/Program Files" "$WINEPREFIX/drive_c/Program Files (x86)" "$WINEPREFIX/drive_c/ProgramData" -newer "$work/before-user-install" | head -5)" ]
machine_registry "$work/machine-after.reg"
check "the machine's registry did not change" same "$work/machine-before.reg" "$work/machine-after.reg"

stick="$work/stick"
python3 -c "import zipfile,sys; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])" "$work/dist/$zip" "$stick"
(cd "$stick" && timeout 120 "$wine_run" "$stick/winwkb.exe" >>"$log" 2>&1 &)
drive show >"$work/portable-run.txt"
drive quit >/dev/null
check "the portable diary keeps its data beside the program" test -f "$stick/wkb_db/wkb_txt.data" -a -f "$stick/wkb_db/.wkb.rc"
check "the portable diary's start-up message names that folder" grep -q 'Path: .*\\stick\\wkb_db\\' "$work/portable-run.txt"
timeout 60 wineserver -w 2>/dev/null
echo "Wine part: $(($(date +%s) - started)) s (log: $log)"

if [ $failures -ne 0 ]; then echo "$failures failed"; exit 1; fi
echo "download tests passed"
