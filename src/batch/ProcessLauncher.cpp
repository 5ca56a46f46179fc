#include "batch/ProcessLauncher.h"

#include "batch/FileOutcomes.h"
#include "batch/ProgramMessages.h"
#include "core/Form.h"
#include "job/JobBuilder.h"
#include "log/EventLog.h"

#include <exception>

namespace quorbin {

void ProcessLauncher::killProcess() {
    BatchState& s = form_.state;
    const bool ended = form_.services.processes.terminate(s.hProcess);
    log_.logLine("KILL process:" + std::to_string(s.hProcess) + " result:" + std::to_string(ended ? 1 : 0));
    messages_.jobEnded(s.hProcess);
}

// Start is accepted in every mode, and a job left running by Stop is still alive: two
// processing programs must never write the same output at once, so the earlier one ends
// before anything of the new job is touched. A job that ended by itself is not killed
// (nor logged), but what it left running in its group ends all the same.
void ProcessLauncher::endEarlierProcess() {
    const BatchState& s = form_.state;
    if (s.hProcess == 0)
        return;
    ProcessControl& processes = form_.services.processes;
    const Result<ProcessStatus> status = processes.exitCode(s.hProcess);
    if (status && status->running) {
        killProcess();
        return;
    }
    (void)processes.terminate(s.hProcess); // only what it left behind: nothing to log
    messages_.jobEnded(s.hProcess);
}

void ProcessLauncher::runProcess() {
    endEarlierProcess();
    BatchState& s = form_.state;
    s.lastSize = 0;
    form_.services.files.remove(s.outputPath);
    try {
        launch();
    } catch (const std::exception& failure) {
        form_.showMessage(failure.what());
    }
}

void ProcessLauncher::launch() {
    BatchState& s = form_.state;
    jobs_.writeScript();
    LaunchRequest request;
    request.file = s.exePath;
    request.parameters = form_.controls.boxCmdLine.text();
    request.directory = s.aviPath;
    log_.logLine(s.exePath + " " + request.parameters);

    ProcessControl& processes = form_.services.processes;
    const Result<ProcessHandle> launched = processes.launch(request);
    // Nothing else would tell the user: with no process there is no output to time out
    // and no exit to see, and the batch would wait in silence until someone looks.
    if (!launched)
        form_.showMessage(launched.error());
    const ProcessHandle started = launched.value_or(0);
    if (launched) {
        outcomes_.jobStarted(s.currentFile);
        messages_.jobStarted(s.currentFile);
    } else {
        outcomes_.jobNotStarted(s.currentFile, launched.error());
    }
    const ProcessHandle replaced = s.hProcess;
    s.hProcess = started;
    if (replaced != 0 && replaced != started)
        processes.release(replaced);
    log_.logLine("RUN process:" + std::to_string(s.hProcess) + " file:" + s.currentFile);
}

} // namespace quorbin
