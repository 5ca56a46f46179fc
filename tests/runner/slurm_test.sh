#!/usr/bin/env bash
# quorbin-run --slurm on a single-node Slurm cluster of the test's own (munged, slurmctld
# and slurmd, no system service): three files with the stand-in program, two tasks at
# once; one file exits with 0, one with 1, one runs into the time-out once and then
# finishes. Checks the outputs, each task's log, the summary and the exit status, and
# stops every daemon it started. About 80 s.
# Exits with 77 (skipped) where it cannot run: not root, or Slurm or munge missing.
#
#   slurm_test.sh QUORBIN_RUN FAKEPROC
set -euo pipefail
runner=$1
fakeproc=$2
skip() {
    echo "slurm test skipped: $*"
    exit 77
}
[ "$(id -u)" = 0 ] || skip "starting the Slurm and munge daemons needs root"
for tool in munged slurmctld slurmd sbatch squeue scancel sinfo; do
    command -v "$tool" >/dev/null || skip "$tool not found (Debian packages slurm-wlm and munge)"
done
source "$(dirname "$0")/runner_folder.bash"

work=$(mktemp -d "${TMPDIR:-/tmp}/quorbin-slurm.XXXXXX")
export SLURM_CONF=$work/slurm.conf
stop_daemon() { # pid file
    local pid
    pid=$(cat "$1" 2>/dev/null) || return 0
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
}
cleanup() {
    if [ -s "$work/slurmctld.pid" ]; then
        scancel --quiet --partition=quorbin 2>/dev/null || true
        for _ in $(seq 100); do [ -z "$(squeue -h 2>/dev/null)" ] && break; sleep 0.2; done
    fi
    stop_daemon "$work/slurmd.pid"
    stop_daemon "$work/slurmctld.pid"
    stop_daemon "$work/munge/munged.pid"
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "slurm test: $*" >&2
    for f in "$work"/out "$work"/err "$work"/slurmctld.log "$work"/slurmd.log; do
        [ ! -s "$f" ] || { echo "--- $f" >&2; tail -n 30 "$f" >&2; }
    done
    exit 1
}

# Two free ports for the controller and the node.
free_port() {
    local port
    for port in $(shuf -i 20000-60000 -n 50); do
        (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
    done
    fail "no free port"
}
host=$(hostname -s)
# munged's socket must be reachable by every user, its key by none but root.
chmod 755 "$work"
mkdir -m 700 "$work/key"
mkdir "$work/munge" "$work/state" "$work/spool" "$work/tmp"
head -c 1024 /dev/urandom >"$work/key/munge.key" && chmod 400 "$work/key/munge.key"
munged --key-file="$work/key/munge.key" --socket="$work/munge/socket" --pid-file="$work/munge/munged.pid" \
    --log-file="$work/munge/munged.log" --seed-file="$work/munge/seed" || fail "munged did not start"
cat >"$SLURM_CONF" <<CONF
ClusterName=quorbintest
SlurmctldHost=$host
SlurmctldPort=$(free_port)
SlurmdPort=$(free_port)
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$work/munge/socket
SlurmUser=root
SlurmdUser=root
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/pgid
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
AccountingStorageType=accounting_storage/none
JobAcctGatherType=jobacct_gather/none
# sbatch --wait asks every 2 s, not every 32, when ended jobs are kept this briefly.
MinJobAge=6
ReturnToService=2
MpiDefault=none
NodeName=$host CPUs=$(nproc) State=UNKNOWN
PartitionName=quorbin Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
slurmctld -f "$SLURM_CONF" || fail "slurmctld did not start"
slurmd -f "$SLURM_CONF" || fail "slurmd did not start"
for _ in $(seq 150); do [ "$(sinfo -h -o %t 2>/dev/null)" = idle ] && break; sleep 0.2; done
[ "$(sinfo -h -o %t 2>/dev/null)" = idle ] || fail "the node did not become idle: $(sinfo 2>&1)"

# Each task's job script goes to a folder of its own under the node's TMPDIR.
export TMPDIR=$work/tmp XDG_CONFIG_HOME=$work/config
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/no-bus
folder=$work/shared
make_runner_folder "$folder" "c.avi=hang_first=$folder/c.once" "a.avi=" "b.avi=exit=1"
run_bounded 240 "$work/out" "$work/err" "$runner" --slurm --parallel 2 --program "$fakeproc" \
    --settings "$folder/job.vcf" --template "$folder/template.avs" --timeout 0.25 \
    "$folder/c.avi" "$folder/a.avi" "$folder/b.avi"

[ "$status" = 1 ] || fail "ended with $status, not 1"
[ "$(tail -n 1 "$work/out")" = "3 files: 2 finished, 1 exited with code 1 (b.avi); 1 time-out" ] ||
    fail "not the summary expected"
for output in cP.avi aP.avi bP.avi quorbin.1.out quorbin.2.out quorbin.3.out; do
    [ -s "$folder/$output" ] || fail "no $output"
done
task_messages() { # task: its log's lines, process numbers as N, without the program lines
    messages "$folder/quorbin.$1.log" | sed -E 's/process:[0-9]+/process:N/' | grep -v ' /c /s '
}
ending='DONE\nCOMPLETE all files processed\nKILL process:N result:0\nCOMPLETE all files processed\nIDLE\n'
diff -u <(printf "START\nRUN process:N file:c.avi\nFILE size:3000\nTIMEOUT\nKILL process:N result:1\nRUN process:N file:c.avi\nFILE size:3000\nEXIT code:0\n$ending") \
    <(task_messages 1) || fail "task 1 did not time out once and then finish"
diff -u <(printf "START\nRUN process:N file:b.avi\nFILE size:3000\nEXIT code:1\n$ending") <(task_messages 3) ||
    fail "task 3 did not exit with 1"
grep -q "^EXIT code:0\$" <(task_messages 2) || fail "task 2 did not exit with 0"
grep -q "/p \"$work/tmp/quorbin\.[^/]*/quorbin.avs\"" "$folder/quorbin.1.log" || fail "the job script was not node-local"
[ -z "$(ls "$work/tmp")" ] || fail "a task left its script folder: $(ls "$work/tmp")"
echo "slurm test: passed"
