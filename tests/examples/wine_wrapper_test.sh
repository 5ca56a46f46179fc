#!/bin/bash
# The Wine wrapper run as Quorbin runs it, in a folder whose name has a blank, over
# stand-ins for wine and winepath: the program gets Windows paths on its command line
# and a job script whose quoted paths are Windows paths.
set -euo pipefail
wrapper=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

folder="$work/My Videos/"
mkdir "$folder"
printf 'AVISource("%sclip one.avi")\r\nOverlay(last, ImageSource("/opt/logo.png"), "%sclip one.avi")\r\n' \
    "$folder" "$folder" >"${folder}quorbin.avs"

cd "$folder"
QUORBIN_WINE="$here/fake-wine" QUORBIN_WINEPATH="$here/fake-winepath" QUORBIN_WINE_PROGRAM='C:\tools\proc.exe' \
    "$wrapper" /c /s "$work/fast.vcf" /p "${folder}quorbin.avs" "${folder}clip oneP.avi" /r /x >"$work/ran"

win() { printf 'Z:%s' "${1//\//\\}"; }
printf '%s\n' 'C:\tools\proc.exe' /c /s "$(win "$work/fast.vcf")" /p "$(win "${folder}quorbin-wine.avs")" \
    "$(win "${folder}clip oneP.avi")" /r /x >"$work/expected"
diff -u "$work/expected" "$work/ran"

printf 'AVISource("%s")\r\nOverlay(last, ImageSource("%s"), "%s")\r\n' "$(win "${folder}clip one.avi")" \
    'Z:\opt\logo.png' "$(win "${folder}clip one.avi")" >"$work/expected.avs"
diff -u "$work/expected.avs" "${folder}quorbin-wine.avs"
echo "wine wrapper: command line and job script translated"
