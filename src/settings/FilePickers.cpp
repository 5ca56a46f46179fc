#include "settings/FilePickers.h"

#include "core/Form.h"
#include "core/SettingsAccess.h"
#include "settings/TemplateFile.h"

namespace quorbin {

void FilePickers::buttonSelectExe_Click() {
    pick({"Select Program", "*.exe", FileKind::program, false, &BatchState::exePath, &form_.controls.boxExe,
          "exePath"});
}

void FilePickers::buttonSelectVcf_Click() {
    pick({"Select VCF File", "*.vcf", FileKind::matchingFilter, false, &BatchState::vcfPath,
          &form_.controls.boxVcf, "vcfPath"});
}

void FilePickers::buttonLoadAvs_Click() {
    pick({"Select AVS Script", "*.avs", FileKind::matchingFilter, true, &BatchState::avsPath, nullptr,
          "avsPath"});
}

void FilePickers::pick(const Picker& picker) {
    std::string& field = form_.state.*picker.field;
    OpenFileRequest request;
    request.title = picker.title;
    request.filter = picker.filter;
    request.kind = picker.kind;
    request.initialFolder = field;
    request.readOnlyTicked = picker.readOnlyTicked;
    const Result<std::vector<std::string>> chosen = form_.openFileDialog(request);
    if (!chosen) {
        form_.showMessage(chosen.error());
        return;
    }
    if (chosen->empty() || chosen->front().empty())
        return;

    field = chosen->front();
    if (picker.box != nullptr)
        picker.box->setText(field);
    else
        templateFile_.loadTemplate();
    // Written again even when the box's change handler already stored the same path:
    // choosing a file always records it.
    if (!writeSetting(form_.services.settings, "file", picker.key, field))
        form_.showMessage("The choice could not be stored in the settings.");
}

} // namespace quorbin
