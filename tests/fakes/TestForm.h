#pragma once

#include "app/MainForm.h"
#include "fakes/FakeServices.h"
#include "fakes/FakeWidgets.h"

#include <memory>
#include <string>
#include <vector>

namespace quorbin::test {

// The real main-window logic over fakes of every control and service. Arrange the
// fakes, then call start() (which runs Form_Load unless told not to), press buttons,
// tick() the clock forward half a second at a time, and read the log.
struct TestForm {
    FakeWindow window;
    FakeButton buttonSelectAvi{"Select AVI"}, buttonSelectExe{"Select EXE"}, buttonSelectVcf{"Select VCF"},
        buttonStart{"Start"}, buttonLoadAvs{"Load AVS"}, buttonAbort{"Abort"}, buttonPause{"Pause"},
        buttonSaveAvs{"Save AVS"}, buttonStop{"Stop"};
    FakeListBox listFiles;
    FakeTextBox boxCmdLine, boxScript, boxTemplate, boxVcf, boxExe, BoxTimeout{"60"};
    FakeLogView listLog;
    FakeCaption labelTime{"00:00:00"};
    FakeChoice menuWhenDone;
    FakeButton menuOpenLog{"Open the log file"};

    FakeClock clock;
    FakeProcesses processes;
    FakeFileSystem files;
    FakeMessageBox messages;
    FakeSettingsStore settings;
    FakeFileDialog dialog;
    FakeKeyboard keyboard;
    FakeKeepAwake keepAwake;
    FakeTextCodec text;
    FakeNotifier notifier;
    FakeTaskbar taskbar;
    FakePowerActions power;
    FakeFileOpener opener;
    FakeCountdownBox countdown;
    FakeBatchRecords records;
    FakeFolderClaims claims;

    // Real backends to run the form over instead of the fakes above, for tests against
    // the real system; null keeps the fake. Set before start().
    ProcessControl* processesOverride = nullptr;
    FileSystem* filesOverride = nullptr;
    KeepAwake* keepAwakeOverride = nullptr;
    const TextCodec* textOverride = nullptr;

    // What a front end may change in how the batch runs; set before start().
    FormOptions options;

    std::unique_ptr<MainForm> form;

    // The fakes as the core sees them, for tests that build single routines over a Form.
    Controls controls();
    Services services();

    // Creates the form; with load, runs Form_Load as start-up does.
    MainForm& start(bool load = true);
    BatchState& state() { return form->state(); }

    // One timer tick, half a second after the last.
    void tick();
    // Ticks until `seconds` more have passed.
    void run(double seconds);

    // The log lines without their "hh:mm:ss (hh:mm:ss) " prefix.
    std::vector<std::string> messagesLogged() const;
    // The log lines from index `from` on, without prefix.
    std::vector<std::string> messagesLoggedSince(std::size_t from) const;
    // The elapsed field "hh:mm:ss" of a log line.
    static std::string elapsedOf(const std::string& line);

    // The program /opt/proc and the template /tpl.avs, "Open($FILE)", stored by an
    // earlier run. Before start().
    void storeProgramAndTemplate();

    // Input files already in the list, as if picked from `folder` (ending in "/").
    void useFiles(const std::string& folder, const std::vector<std::string>& names,
                  const std::vector<int>& selected);
};

} // namespace quorbin::test
