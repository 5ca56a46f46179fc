#include "app/MainForm.h"

#include "app/Layout.h"

namespace quorbin {

MainForm::MainForm(Controls controls, Services services)
    : form_(controls, services), log_(form_), jobs_(form_), launcher_(form_, log_, jobs_),
      controller_(form_, log_, jobs_, launcher_), pulse_(form_), watchdog_(form_, log_, controller_, pulse_),
      template_(form_), settings_(form_, jobs_, template_), pickers_(form_, template_),
      inputFiles_(form_, controller_, jobs_) {
    wireHandlers();
}

void MainForm::wireHandlers() {
    Controls& c = form_.controls;
    c.buttonStart.onClick([this] { controller_.buttonStart_Click(); });
    c.buttonPause.onClick([this] { controller_.buttonPause_Click(); });
    c.buttonStop.onClick([this] { controller_.buttonStop_Click(); });
    c.buttonAbort.onClick([this] { controller_.buttonAbort_Click(); });
    c.buttonSelectAvi.onClick([this] { inputFiles_.buttonSelectAvi_Click(); });
    c.listFiles.onClick([this] { inputFiles_.listFiles_Click(); });
    c.buttonSelectExe.onClick([this] { pickers_.buttonSelectExe_Click(); });
    c.buttonSelectVcf.onClick([this] { pickers_.buttonSelectVcf_Click(); });
    c.buttonLoadAvs.onClick([this] { pickers_.buttonLoadAvs_Click(); });
    c.buttonSaveAvs.onClick([this] { template_.buttonSaveAvs_Click(); });
    c.boxExe.onChange([this] { settings_.boxExe_Change(); });
    c.boxVcf.onChange([this] { settings_.boxVcf_Change(); });
    c.BoxTimeout.onChange([this] { settings_.BoxTimeout_Change(); });
    c.window.onResize([this] { Form_Resize(); });
    c.window.onClose([this] { Form_Unload(); });
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
