#pragma once

#include "batch/BatchController.h"
#include "batch/BatchJournal.h"
#include "batch/FileOutcomes.h"
#include "batch/InputFileList.h"
#include "batch/ProcessLauncher.h"
#include "batch/ProgramMessages.h"
#include "batch/ShiftPulse.h"
#include "batch/Watchdog.h"
#include "batch/WhenDone.h"
#include "core/Form.h"
#include "job/JobBuilder.h"
#include "log/EventLog.h"
#include "settings/FilePickers.h"
#include "settings/SettingsRestore.h"
#include "settings/TemplateFile.h"

namespace quorbin {

// The main window's logic: owns the batch state and the routines that work on it, and
// wires the controls' events to their handlers. The window system calls Form_Load once
// before the window is first shown and timerTimer_Timer every 500 ms.
class MainForm {
public:
    MainForm(Controls controls, Services services, FormOptions options = {});
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    void Form_Load();
    // After the window's own start-up: offers the most recent interrupted batch back.
    void offerInterruptedBatch();
    void timerTimer_Timer() { watchdog_.timerTimer_Timer(); }
    void Form_Resize();
    // The window closes. Closing ends no job; it only stops keeping the machine awake.
    void Form_Unload() { form_.awake.letGo(); }

    BatchState& state() { return form_.state; }
    const BatchState& state() const { return form_.state; }
    const FileOutcomes& outcomes() const { return outcomes_; }

private:
    void wireHandlers();
    void BoxTimeout_Change();
    void menuOpenLog_Click();

    Form form_;
    EventLog log_;
    JobBuilder jobs_;
    FileOutcomes outcomes_;
    ProgramMessages messages_;
    WhenDone whenDone_;
    BatchJournal journal_;
    ProcessLauncher launcher_;
    BatchController controller_;
    ShiftPulse pulse_;
    Watchdog watchdog_;
    TemplateFile template_;
    SettingsRestore settings_;
    FilePickers pickers_;
    InputFileList inputFiles_;
};

} // namespace quorbin
