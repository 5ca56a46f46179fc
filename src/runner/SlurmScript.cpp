#include "runner/SlurmScript.h"

#include "job/JobText.h"

namespace quorbin {

namespace {

// The files of one task, named by its number or by what stands for it.
std::string taskFile(const std::string& task, const char* extension) {
    return "quorbin." + task + "." + extension;
}

} // namespace

std::string taskLogName(int task) {
    return taskFile(std::to_string(task), "log");
}

std::string taskOutputName(int task) {
    return taskFile(std::to_string(task), "out");
}

std::string shellQuoted(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

namespace {

std::string fileOfTask(const RunPlan& plan) {
    std::string text = "case $SLURM_ARRAY_TASK_ID in\n";
    for (std::size_t i = 0; i < plan.files.size(); ++i)
        text += std::to_string(i + 1) + ") file=" + shellQuoted(plan.files[i]) + " ;;\n";
    return text + "*) echo \"quorbin-run: no file for task $SLURM_ARRAY_TASK_ID\" >&2; exit 2 ;;\nesac\n";
}

} // namespace

std::string sbatchParameters(const RunPlan& plan, const SlurmArray& array, const std::string& script) {
    const std::string limit = array.parallel ? "%" + std::to_string(*array.parallel) : std::string();
    return " --wait --job-name=" + quotedPath(array.jobName) + " --array=1-" +
           std::to_string(plan.files.size()) + limit + " --requeue --open-mode=append " +
           quotedPath("--chdir=" + plan.folder) + " " +
           quotedPath("--output=" + plan.folder + taskFile("%a", "out")) + " " + quotedPath(script);
}

std::string slurmScript(const RunPlan& plan, const SlurmArray& array) {
    const std::string run = shellQuoted(array.runner) + " --program " + shellQuoted(plan.program) +
                            " --settings " + shellQuoted(plan.settings) + " --template " +
                            shellQuoted(plan.templateFile) + " --timeout " + plan.timeout +
                            " --script-folder \"$scripts\" --log " + shellQuoted(plan.folder) + "\"" +
                            taskFile("$SLURM_ARRAY_TASK_ID", "log") + "\" -- \"$file\"\n";
    return "#!/bin/sh\n"
           "# Written by quorbin-run --slurm: one task per file, each running quorbin-run on its file.\n" +
           fileOfTask(plan) +
           "# The job script on the node's own disk: no two tasks share one.\n"
           "scripts=$(mktemp -d \"${TMPDIR:-/tmp}/quorbin.XXXXXX\") || exit 2\n" +
           run + "status=$?\nrm -rf \"$scripts\"\nexit $status\n";
}

} // namespace quorbin
