# What the tests of quorbin-run share: a folder of input files, each with its own plan
# for the stand-in program (tests/helpers/fakeproc), a template that hands each job its
# file's plan, and a settings file. Sourced by a test that defines `fail`.

# make_runner_folder FOLDER NAME=PLAN...: each file holds its plan's directives, one a
# line (";" separates them here).
make_runner_folder() {
    local folder=$1 file
    shift
    mkdir -p "$folder"
    for file in "$@"; do
        tr ';' '\n' <<<"${file#*=}" >"$folder/${file%%=*}"
    done
    : >"$folder/job.vcf"
    printf '# plan=$FILE\n# steps=1\n# rate=3000\n' >"$folder/template.avs"
}

# run_bounded SECONDS OUT ERR COMMAND...: runs it, its status in `status`.
run_bounded() {
    local limit=$1 out=$2 err=$3
    shift 3
    status=0
    timeout --kill-after=5 "$limit" "$@" >"$out" 2>"$err" </dev/null || status=$?
    ((status != 124 && status != 137)) || fail "$* did not end within $limit s"
}

# Log lines without their "hh:mm:ss (hh:mm:ss) " and with CR LF as LF.
messages() {
    sed -E 's/^[0-9]{2}:[0-9]{2}:[0-9]{2} \([0-9:-]{8}\) //; s/\r$//' "$@"
}
