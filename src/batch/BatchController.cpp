#include "batch/BatchController.h"

#include "batch/BatchJournal.h"
#include "batch/FileOutcomes.h"
#include "batch/ProcessLauncher.h"
#include "batch/WhenDone.h"
#include "core/Form.h"
#include "job/JobBuilder.h"
#include "log/EventLog.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace quorbin {

void BatchController::setMode(BatchMode mode) {
    BatchState& s = form_.state;
    s.mode = mode;
    s.modeStart = static_cast<std::int32_t>(std::floor(form_.dayClock.seconds()));
    s.elapsed = 0;
    keepAwakeFor(mode);
    runEntryAction(mode);
    outcomes_.showProgress();
    journal_.note();
}

void BatchController::keepAwakeFor(BatchMode mode) {
    const std::string& file = form_.state.currentFile;
    form_.awake.need(AwakeNeed::batch, mode != modeIdle,
                     file.empty() ? "A batch is running" : "Processing " + file);
}

void BatchController::batchReachedEnd() {
    form_.services.notifier.notify("Quorbin: batch finished", outcomes_.summary());
    whenDone_.batchEnded();
}

void BatchController::runEntryAction(BatchMode mode) {
    switch (mode) {
    case modeIdle:
        log_.logLine("IDLE");
        break;
    case modeRun:
        if (nextFile(false, false))
            launcher_.runProcess();
        break;
    case modeDone:
        log_.logLine("DONE");
        nextFile(true, false);
        break;
    case modeKill:
    case modeAbort:
        launcher_.killProcess();
        break;
    }
}

bool BatchController::scanForSelected() {
    BatchState& s = form_.state;
    const ListBox& list = form_.controls.listFiles;
    const int entries = std::min(list.count(), static_cast<int>(std::numeric_limits<std::int16_t>::max()));
    bool anySelected = false;
    for (int i = 0; i < entries; ++i) {
        if (!list.isSelected(i))
            continue;
        anySelected = true;
        if (i >= s.fileIndex) {
            s.fileIndex = static_cast<std::int16_t>(i);
            break;
        }
    }
    return anySelected;
}

bool BatchController::reportNothingReady(const char* line, const char* message, bool showMessages) {
    log_.logLine(line);
    if (showMessages)
        form_.showMessage(message);
    return false;
}

void BatchController::prepareCurrentEntry() {
    BatchState& s = form_.state;
    ListBox& list = form_.controls.listFiles;
    list.setCurrentIndex(s.fileIndex);
    s.currentFile = list.entryText(list.currentIndex());
    jobs_.makeScript();
    jobs_.makeCmdLine();
}

bool BatchController::nextFile(bool advance, bool showMessages) {
    BatchState& s = form_.state;
    if (advance && s.fileIndex < std::numeric_limits<std::int16_t>::max())
        ++s.fileIndex;
    if (!scanForSelected())
        return reportNothingReady("ERROR no AVI files selected", "No AVI files are selected.", showMessages);
    if (s.fileIndex >= form_.controls.listFiles.count())
        return reportNothingReady("COMPLETE all files processed", "All AVI files have been processed.",
                                  showMessages);
    if (!form_.controls.listFiles.isSelected(s.fileIndex))
        return reportNothingReady("COMPLETE all selected files processed",
                                  "All selected AVI files have been processed.", showMessages);
    prepareCurrentEntry();
    return true;
}

// A folder where another instance runs a batch is left alone: its log is theirs too.
void BatchController::buttonStart_Click() {
    if (!journal_.claimFolder())
        return;
    whenDone_.batchStarting();
    outcomes_.batchStarted();
    log_.logLine("START");
    const bool ready = nextFile(false, true);
    setMode(ready ? modeRun : modeIdle);
}

void BatchController::buttonPause_Click() {
    BatchState& s = form_.state;
    if (!s.paused) {
        log_.logLine("PAUSE");
        form_.controls.buttonPause.setCaption("Continue");
        s.paused = true;
    } else {
        log_.logLine("CONTINUE");
        form_.controls.buttonPause.setCaption("Pause");
        s.paused = false;
    }
    outcomes_.showProgress();
}

void BatchController::buttonStop_Click() {
    if (form_.state.mode == modeRun)
        outcomes_.jobInterrupted(OutcomeKind::stopped);
    log_.logLine("STOP");
    setMode(modeIdle);
}

void BatchController::buttonAbort_Click() {
    if (form_.state.mode == modeRun)
        outcomes_.jobInterrupted(OutcomeKind::aborted);
    log_.logLine("ABORT");
    setMode(modeAbort);
}

} // namespace quorbin
