#!/usr/bin/env bash
# The setup program as a user meets it, in a fresh Wine prefix of its own: a silent install, the
# installed program started once (it registers its Explorer verb), a silent uninstall, and
# nothing left behind or touched besides.
#   setup_test.sh BIN VERSION ICON SCRATCH
set -uo pipefail
bin=$(readlink -m "$1") version=$2 icon=$(readlink -m "$3") scratch=$(readlink -m "$4")
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/wine.sh"
wine_environment "$scratch/prefix"
# Wine's menu builder would mirror the Start menu into the host's desktop files: not under test.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
checks="$bin/setup_checks.exe"
installed='C:\Program Files\Partwright'
folder="$WINEPREFIX/drive_c/Program Files/Partwright"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Partwright.lnk"
source "$(dirname "$0")/../lib/check.sh"
# The registry as text, without the times Wine stamps on keys, the driver date Wine renews at each
# start, and the uninstaller's request that Windows delete its temporary copy at the next start.
registry() {
    wineserver -w
    cat "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" | sed -e 's/^\(\[.*\]\) [0-9]*$/\1/' \
        -e '/^#time=/d' -e '/^"DriverDateData"=/d' -e '/^"PendingFileRenameOperations"=/d'
}
# The value lines of one key: value KEY NAME
value() {
    registry | KEY="[$1]" awk '$0 == ENVIRON["KEY"] {inside = 1; next} /^\[/ {inside = 0} inside' |
        grep -F "\"$2\"="
}

rm -rf "$scratch"
mkdir -p "$scratch"
"$root/scripts/lib/make-setup" "$bin" "$version" "$icon" "$scratch/dist" >/dev/null
setup="$scratch/dist/Partwright-Setup-$version.exe"
check "the setup program is built" test -s "$setup"
"$root/scripts/lib/wine-prefix" "$WINEPREFIX"
registry >"$scratch/before.reg"

wine "$setup" /S
wineserver -w
check "the program is installed" test -s "$folder/partwright.exe"
check "Peekpane is installed" test -s "$folder/peekpane.dll"
check "the batch export is installed" test -s "$folder/partwright-export.exe"
check "the uninstaller is installed" test -s "$folder/Uninstall Partwright.exe"
check "the Start-menu shortcut is made" test -s "$shortcut"
uninstall='Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Partwright'
for name in DisplayName DisplayVersion Publisher DisplayIcon InstallLocation UninstallString \
    QuietUninstallString EstimatedSize NoModify NoRepair; do
    check "the uninstall entry has $name" value "$uninstall" "$name" >/dev/null
done
check "the uninstall entry shows the version" grep -q "\"DisplayVersion\"=\"$version\"" \
    <(value "$uninstall" DisplayVersion)
check "Peekpane is registered: created by its name" wine "$checks" create Peekpane.ivImagePreview
check "the program's version is the project's" \
    test "$(wine "$checks" version "$installed\\partwright.exe" | tr -d '\r')" = "$version"
check "Peekpane's version is the project's" \
    test "$(wine "$checks" version "$installed\\peekpane.dll" | tr -d '\r')" = "$version"

check "the installed batch export runs and says its version" test \
    "$(wine "$installed\\partwright-export.exe" --version 2>/dev/null | tr -d '\r')" = \
    "partwright-export $version"
check "the installed program starts and closes" wine "$checks" run-and-close \
    "$installed\\partwright.exe"
check "it registered its verb" grep -qF 'Inventor.AssemblyDocument\\SHELL\\Partwright\\Command' \
    <(registry)
check "it wrote its uninstall script" test -s "$folder/UnRegPartwright.reg"

# An upgrade over the installed version: the files are replaced, the entry is not doubled.
wine "$setup" /S
wineserver -w
check "an upgrade keeps one uninstall entry" test "$(registry | grep -c '\\Uninstall\\\\Partwright\]')" = 1

wine "$installed\\Uninstall Partwright.exe" /S
wineserver -w
check "the installation folder is gone" test ! -e "$folder"
check "the shortcut is gone" test ! -e "$shortcut"
registry >"$scratch/after.reg"
check "every key and value written is gone, nothing else touched" \
    diff "$scratch/before.reg" "$scratch/after.reg"
wineserver -k 2>/dev/null || true

summary "setup program"
