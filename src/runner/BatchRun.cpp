#include "runner/BatchRun.h"

#include "runner/ExitStatus.h"

namespace quorbin {

BatchRun::BatchRun(const RunPlan& plan, RunnerSystem& system)
    : system_(system), settings_({{"file", "exePath", plan.program},
                                  {"file", "vcfPath", plan.settings},
                                  {"file", "avsPath", plan.templateFile},
                                  {"file", "aviPath", plan.folder},
                                  {"setting", "timeout", plan.timeout}}),
      front_(system.out, system.err, "quorbin-run", plan.files),
      form_(front_.controls(), services(system), optionsFor(plan)) {}

FormOptions BatchRun::optionsFor(const RunPlan& plan) {
    FormOptions options;
    options.scriptFolder = plan.scriptFolder;
    options.logFile = plan.logFile;
    // Beside its log and named after it, as quorbin.program.log after quorbin.log, so that
    // runners sharing a folder never append to one file.
    if (!plan.logFile.empty()) {
        const std::string& log = plan.logFile;
        const bool endsInLog = log.size() > 4 && log.compare(log.size() - 4, 4, ".log") == 0;
        options.programLogFile = (endsInLog ? log.substr(0, log.size() - 4) : log) + ".program.log";
    }
    options.endJobsNotStarted = true;
    return options;
}

Services BatchRun::services(RunnerSystem& system) {
    return Services{
        .processes = system.processes,
        .clock = system.clock,
        .files = system.files,
        .messageBox = front_.messageBox(),
        .settings = settings_,
        .dialog = front_.fileDialog(),
        .keyboard = front_.keyboard(),
        .keepAwake = system.keepAwake,
        .text = system.text,
    };
}

// The plan has been checked, so a step that fails here (the folder cannot be entered)
// has told why on standard error already.
void BatchRun::start() {
    form_.Form_Load();
    front_.buttonSelectAvi().click();
    if (front_.controls().listFiles.count() == 0) {
        end(exitSetUpError);
        return;
    }
    started_ = true;
    front_.buttonStart().click();
}

void BatchRun::tick() {
    if (status_)
        return;
    form_.timerTimer_Timer();
    if (form_.state().mode == modeIdle)
        end(batchExitStatus(form_.outcomes().summaryFiles()));
}

// Abort ends the running program's tree at once and logs it; the 11 seconds before IDLE
// are not waited for, since there is no next batch to start.
void BatchRun::interrupt(int status) {
    if (status_)
        return;
    front_.buttonAbort().click();
    end(status);
}

void BatchRun::end(int status) {
    form_.Form_Unload();
    if (started_)
        system_.out << form_.outcomes().summary() << '\n' << std::flush;
    status_ = status;
}

} // namespace quorbin
