#!/usr/bin/env bash
# The Windows packages as a user gets them: the zip's files; the installer run silently
# under Wine and what it leaves; its uninstaller run silently, which takes all that away
# again but keeps the user's settings.
#
#   windows_packages_test.sh WINE_ENV CMAKE ZIP SETUP_EXE VERSION
set -euo pipefail
export LC_ALL=C # the order of the file list
wine_env=$1
cmake=$2
zip=$3
setup=$4
version=$5

work=$(mktemp -d "${TMPDIR:-/tmp}/quorbin-packages.XXXXXX")
settings='HKCU\Software\quorbin'
trap '"$wine_env" wine reg delete "$settings" /v PackageTest /f </dev/null >/dev/null 2>&1; rm -rf "$work"' EXIT
fail() {
    echo "windows packages: $*" >&2
    exit 1
}
run() { "$wine_env" wine "$@" </dev/null 2>/dev/null | tr -d '\r'; }

folder=quorbin-$version-win64
(cd "$work" && "$cmake" -E tar xvf "$zip" 2>&1) | sort >"$work/files" || fail "$zip: $(cat "$work/files")"
printf "x $folder/%s\n" "" LICENSE.txt README.txt quorbin-run.exe quorbin.exe | diff -u - "$work/files" ||
    fail "the zip's files differ from the expected list"
grep -q "^MIT License"$'\r'"$" "$work/$folder/LICENSE.txt" || fail "LICENSE.txt is not the MIT licence with CR LF line ends"
readme=$work/$folder/README.txt
grep -q "^Quorbin $version for Windows"$'\r'"$" "$readme" || fail "README.txt is not the Windows one"
[ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || fail "README.txt has lines without CR LF"
grep -q 'HKEY_CURRENT_USER\\Software\\quorbin' "$readme" || fail "README.txt does not say where the settings live"
! grep -En '`|\*\*|^#|\]\(|\<apt\>|~/|XTest' "$readme" || fail "README.txt holds Markdown or Linux matters"

run reg add "$settings" /v PackageTest /d kept /f >/dev/null
"$wine_env" wine "$setup" /S </dev/null || fail "the installer ended with $?"
windows_dir="$(run cmd /c echo %LOCALAPPDATA%)\\Programs\\Quorbin"
dir=$(run winepath -u "$windows_dir")
shortcut="$(run winepath -u "$(run cmd /c echo %APPDATA%)")/Microsoft/Windows/Start Menu/Programs/Quorbin.lnk"
for file in quorbin.exe quorbin-run.exe LICENSE.txt README.txt; do
    cmp "$work/$folder/$file" "$dir/$file" || fail "$file is not installed as the zip has it"
done
[ -f "$shortcut" ] || fail "no shortcut $shortcut"
uninstall='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorbin'
run reg query "$uninstall" >"$work/entry" || fail "no uninstall entry"
for value in DisplayName DisplayVersion Publisher DisplayIcon UninstallString QuietUninstallString \
    InstallLocation NoModify NoRepair EstimatedSize; do
    grep -Eq "^ +$value +REG_" "$work/entry" || fail "the uninstall entry lacks $value: $(cat "$work/entry")"
done
grep -Fqx "    DisplayVersion    REG_SZ    $version" "$work/entry" || fail "DisplayVersion is not $version"
grep -Fqx "    InstallLocation    REG_SZ    $windows_dir" "$work/entry" || fail "InstallLocation is not $windows_dir"

# In place (_?=), the uninstaller is done when it returns; it cannot remove itself then.
"$wine_env" wine "$dir/uninstall.exe" /S "_?=$windows_dir" </dev/null || fail "the uninstaller ended with $?"
rm "$dir/uninstall.exe"
rmdir "$dir" || fail "the uninstaller left files: $(ls "$dir")"
[ ! -e "$shortcut" ] || fail "the shortcut is still there"
! run reg query "$uninstall" >/dev/null || fail "the uninstall entry is still there"
run reg query "$settings" /v PackageTest | grep -q kept || fail "the user's settings are gone"
echo "windows packages: $(basename "$zip") and $(basename "$setup") checked"
