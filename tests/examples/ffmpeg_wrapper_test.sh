#!/bin/bash
# The ffmpeg wrapper run as Quorbin runs it, on a one-second clip made by ffmpeg: the
# input comes from the job script, the output goes where the command line says, with
# the options of the settings file.
set -euo pipefail
wrapper=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

folder="$work/My Videos/"
mkdir "$folder"
ffmpeg -nostdin -loglevel error -f lavfi -i testsrc=duration=1:size=160x120:rate=10 -c:v mpeg4 "${folder}clip.avi"
printf 'AVISource("%sclip.avi")\r\nDeinterlace()\r\n' "$folder" >"${folder}quorbin.avs"
printf '# half size\r\n-vf scale=80:60\r\n-c:v mpeg4\r\n' >"$work/half.vcf"

cd "$folder"
"$wrapper" /c /s "$work/half.vcf" /p "${folder}quorbin.avs" "${folder}clipP.avi" /r /x

shape=$(ffprobe -v error -count_frames -select_streams v:0 \
    -show_entries stream=codec_name,width,height,nb_read_frames -of csv=p=0 "${folder}clipP.avi")
[ "$shape" = "mpeg4,80,60,10" ] || { echo "clipP.avi: codec,width,height,frames = $shape, not mpeg4,80,60,10"; exit 1; }
echo "ffmpeg wrapper: clipP.avi is $shape"
