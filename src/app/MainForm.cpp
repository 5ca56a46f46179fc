#include "app/MainForm.h"

#include "app/Layout.h"
#include "batch/TimeoutText.h"

#include <utility>

namespace quorbin {

MainForm::MainForm(Controls controls, Services services, FormOptions options)
    : form_(controls, services, std::move(options)), log_(form_), jobs_(form_), outcomes_(form_),
      messages_(form_), whenDone_(form_), journal_(form_, outcomes_),
      launcher_(form_, log_, jobs_, outcomes_, messages_),
      controller_(form_, log_, jobs_, launcher_, {outcomes_, whenDone_, journal_}), pulse_(form_),
      watchdog_(form_, log_, controller_, pulse_, {outcomes_, messages_, whenDone_}), template_(form_),
      settings_(form_, jobs_, template_), pickers_(form_, template_),
      inputFiles_(form_, controller_, jobs_, outcomes_) {
    wireHandlers();
}

void MainForm::wireHandlers() {
    Controls& c = form_.controls;
    c.buttonStart.onClick([this] { controller_.buttonStart_Click(); });
    c.buttonPause.onClick([this] { controller_.buttonPause_Click(); });
    c.buttonStop.onClick([this] { controller_.buttonStop_Click(); });
    c.buttonAbort.onClick([this] { controller_.buttonAbort_Click(); });
    // A pick or a click during a batch changes what its record holds.
    c.buttonSelectAvi.onClick([this] {
        inputFiles_.buttonSelectAvi_Click();
        journal_.note();
    });
    c.listFiles.onClick([this] {
        inputFiles_.listFiles_Click();
        journal_.note();
    });
    c.buttonSelectExe.onClick([this] { pickers_.buttonSelectExe_Click(); });
    c.buttonSelectVcf.onClick([this] { pickers_.buttonSelectVcf_Click(); });
    c.buttonLoadAvs.onClick([this] { pickers_.buttonLoadAvs_Click(); });
    c.buttonSaveAvs.onClick([this] { template_.buttonSaveAvs_Click(); });
    c.boxExe.onChange([this] { settings_.boxExe_Change(); });
    c.boxVcf.onChange([this] { settings_.boxVcf_Change(); });
    c.BoxTimeout.onChange([this] { BoxTimeout_Change(); });
    c.window.onResize([this] { Form_Resize(); });
    c.window.onClose([this] { Form_Unload(); });
    c.menuWhenDone.onChoose([this](int item) { whenDone_.choose(item); });
    c.menuOpenLog.onClick([this] { menuOpenLog_Click(); });
    form_.services.countdown.onCancel([this] { whenDone_.cancel(); });
}

void MainForm::Form_Load() {
    settings_.Form_Load();
    // The box starts with "60", which reads as a time-out: only a different stored text
    // ran the change handler.
    form_.controls.BoxTimeout.setWarning(timeoutWarning(form_.controls.BoxTimeout.text()));
}

// Yes restores the list and starts nothing; Start goes on from the interrupted file. No
// forgets the batch.
void MainForm::offerInterruptedBatch() {
    const std::optional<RecordedBatch> batch = journal_.interrupted();
    if (!batch)
        return;
    if (!form_.ask(journal_.question(*batch))) {
        journal_.forget(*batch);
        return;
    }
    if (journal_.restore(*batch))
        controller_.nextFile(false, false);
}

void MainForm::BoxTimeout_Change() {
    settings_.BoxTimeout_Change();
    TextBox& box = form_.controls.BoxTimeout;
    box.setWarning(timeoutWarning(box.text()));
}

void MainForm::menuOpenLog_Click() {
    log_.openLogFile();
}

void MainForm::Form_Resize() {
    Window& window = form_.controls.window;
    if (const auto width = rightColumnWidth(window.innerWidth())) {
        for (const SizedControl control :
             {SizedControl::boxExe, SizedControl::boxCmdLine, SizedControl::boxScript,
              SizedControl::boxTemplate, SizedControl::boxVcf, SizedControl::listFiles,
              SizedControl::listLog})
            window.setControlWidth(control, *width);
    }
    settings_.saveWidth();
}

} // namespace quorbin
