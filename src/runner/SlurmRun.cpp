#include "runner/SlurmRun.h"

#include "batch/InputFileList.h"
#include "job/JobText.h"
#include "runner/ExitStatus.h"
#include "runner/SlurmScript.h"
#include "runner/TaskLog.h"

namespace quorbin {

namespace {
constexpr const char* scriptName = "quorbin.sbatch";
// How long scancel may take to reach the controller before the runner ends without it:
// 30 s in ticks of 500 ms.
constexpr int cancelTicksLimit = 60;
} // namespace

std::optional<std::string> SlurmRun::findProgram(const std::string& name) const {
    for (const std::string& folder : system_.programFolders) {
        if (folder.empty())
            continue;
        const std::string path =
            folder.back() == pathSeparator ? folder + name : folder + pathSeparator + name;
        if (system_.files.length(path))
            return path;
    }
    return std::nullopt;
}

void SlurmRun::start() {
    const std::optional<std::string> sbatch = findProgram("sbatch");
    const std::optional<std::string> scancel = findProgram("scancel");
    if (!sbatch || !scancel) {
        fail("sbatch and scancel are not on the PATH: --slurm needs the Slurm commands on this machine");
        return;
    }
    scancel_ = *scancel;
    jobName_ = system_.uniqueName;
    removeTaskFiles();
    const SlurmArray array{system_.self, jobName_, parallel_};
    const Result<std::string> script = writeScript(array);
    if (!script) {
        fail(script.error());
        return;
    }
    const std::string limit = parallel_ ? ", at most " + std::to_string(*parallel_) + " at once" : "";
    system_.out << "quorbin-run: " << plan_.files.size() << " files as the Slurm job array " << jobName_
                << limit << "; each node must see " << plan_.folder
                << ", the program, the settings file and the template under these same paths\n"
                << std::flush;
    const Result<ProcessHandle> launched = launch(*sbatch, sbatchParameters(plan_, array, *script));
    if (!launched) {
        fail(launched.error());
        return;
    }
    submitted_ = *launched;
}

// Earlier runs' logs in this folder would be read as this run's where a task never starts.
void SlurmRun::removeTaskFiles() {
    for (int task = 1; task <= static_cast<int>(plan_.files.size()); ++task) {
        (void)system_.files.remove(plan_.folder + taskLogName(task));
        (void)system_.files.remove(plan_.folder + taskOutputName(task));
    }
}

// Beside the files, where it shows what was submitted.
Result<std::string> SlurmRun::writeScript(const SlurmArray& array) {
    const std::string path = plan_.folder + scriptName;
    const Result<void> written = system_.files.writeAll(path, slurmScript(plan_, array));
    if (!written)
        return Failure{written.error()};
    return path;
}

Result<ProcessHandle> SlurmRun::launch(const std::string& program, const std::string& parameters) {
    LaunchRequest request;
    request.file = program;
    request.parameters = parameters;
    request.directory = plan_.folder;
    return system_.processes.launch(request);
}

void SlurmRun::tick() {
    if (status_)
        return;
    if (cancelling_ != 0) {
        waitForCancel();
        return;
    }
    const Result<ProcessStatus> status = system_.processes.exitCode(submitted_);
    if (!status)
        fail(status.error());
    else if (!status->running)
        arrayEnded(status->exitCode);
}

void SlurmRun::interrupt(int status) {
    if (status_ || interrupted_)
        return;
    interrupted_ = status;
    const Result<ProcessHandle> cancel = launch(scancel_, " --name=" + quotedPath(jobName_));
    if (cancel)
        cancelling_ = *cancel;
    else
        end();
}

// sbatch would wait on for the cancelled tasks to be cleared; the summary is what their
// logs say once the cancel has reached the cluster.
void SlurmRun::waitForCancel() {
    const Result<ProcessStatus> status = system_.processes.exitCode(cancelling_);
    if (status && status->running && ++ticksCancelling_ < cancelTicksLimit)
        return;
    end();
}

// A failed submission leaves no task output: sbatch has said why on standard error.
void SlurmRun::arrayEnded(std::uint32_t code) {
    bool anyTaskRan = false;
    for (int task = 1; task <= static_cast<int>(plan_.files.size()); ++task)
        anyTaskRan = anyTaskRan || system_.files.length(plan_.folder + taskOutputName(task)).ok();
    if (code != 0 && !anyTaskRan) {
        fail("sbatch ended with code " + std::to_string(code) + " before any task ran");
        return;
    }
    end();
}

void SlurmRun::end() {
    std::vector<SummaryFile> outcomes;
    for (std::size_t i = 0; i < plan_.files.size(); ++i) {
        const Result<std::string> log =
            system_.files.readAll(plan_.folder + taskLogName(static_cast<int>(i + 1)));
        outcomes.push_back(outcomeFromLog(nameOf(plan_.files[i]), log.value_or("")));
    }
    system_.out << batchSummary(outcomes) << '\n' << std::flush;
    stopCommands();
    status_ = interrupted_ ? *interrupted_ : batchExitStatus(outcomes);
}

void SlurmRun::fail(const std::string& message) {
    system_.err << "quorbin-run: " << message << '\n' << std::flush;
    stopCommands();
    status_ = exitSetUpError;
}

// sbatch, still waiting once the array was cancelled, and a scancel that did not answer.
void SlurmRun::stopCommands() {
    for (const ProcessHandle handle : {submitted_, cancelling_})
        if (handle != 0) {
            (void)system_.processes.terminate(handle);
            system_.processes.release(handle);
        }
    submitted_ = cancelling_ = 0;
}

} // namespace quorbin
