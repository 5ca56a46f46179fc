# The whole batch that the Linux and the Windows programs both run through their real
# window, and the transcript of what it left behind. Each build's test drives its own
# window, then compares batch_transcript with whole_batch.expected beside this file: the
# two programs pass only by leaving the same log lines, arguments, working folder and
# job scripts.
#
# The batch: two input files, one with a blank in its name, in a folder whose name lies
# outside ASCII; a template with CR LF line ends; the stand-in processing program
# records its working folder and arguments in "jobs.txt", copies the job script beside
# its output, writes 3000 bytes of output and exits with 0.

batch_folder_name=façade
batch_files=("a.avi" "b c.avi")

# make_batch_folder FOLDER
make_batch_folder() {
    mkdir -p "$1"
    local name
    for name in "${batch_files[@]}"; do
        : >"$1/$name"
    done
    : >"$1/job.vcf"
    printf 'AVISource("$FILE")\r\n# steps=1\r\n# rate=3000\r\n# record=jobs.txt\r\n# exit=0' >"$1/template.avs"
}

# batch_transcript FOLDER FOLDER_SEEN PROGRAM_SEEN CHARSET
# What the batch left in FOLDER, with the folder and the program as the program under
# test names them (FOLDER_SEEN ends in its separator) replaced by WORK/ and PROGRAM,
# separators shown as "/", process numbers as N, and line ends shown as \r where a CR
# ends the line. CHARSET is the code page of the log and the job scripts.
batch_transcript() {
    local folder=$1 seen=$2 program=$3 charset=$4 name output
    {
        echo "== quorbin.log"
        iconv -f "$charset" -t UTF-8 "$folder/quorbin.log" |
            sed -E 's/^[0-9]{2}:[0-9]{2}:[0-9]{2} \([0-9:-]{8}\) //; s/process:[0-9]+/process:N/'
        echo "== jobs.txt"
        cat "$folder/jobs.txt"
        for name in "${batch_files[@]}"; do
            output="${name%%.*}P.${name#*.}"
            echo "== $output.script"
            iconv -f "$charset" -t UTF-8 "$folder/$output.script"
            echo
        done
    } | normalise_names "$seen" "$program"
}

normalise_names() {
    local seen=$1 program=$2 line
    while IFS= read -r line; do
        line=${line//"$program"/PROGRAM}
        line=${line//"$seen"/WORK/}
        line=${line//"${seen%?}"/WORK}
        line=${line//\\//}
        [[ $line == *$'\r' ]] && line="${line%$'\r'}\\r"
        printf '%s\n' "$line"
    done
}

# compare_transcript EXPECTED ACTUAL_FILE: fails with the difference.
compare_transcript() {
    diff -u "$1" "$2" >&2 || {
        echo "the batch left another transcript than the expected one (above)" >&2
        return 1
    }
}
