#include "settings/TemplateFile.h"

#include "core/Form.h"
#include "settings/TextEncoding.h"

namespace quorbin {

namespace {

constexpr const char* noTemplateChosen = "No template file has been chosen: choose one with \"Load AVS\".";

// The file ends in a line end: one is added only where the text lacks it, so a template
// loaded and saved again without an edit stays byte for byte the same.
std::string withClosingLineEnd(std::string text) {
    if (text.empty() || (text.back() != '\n' && text.back() != '\r'))
        text += "\r\n";
    return text;
}

} // namespace

void TemplateFile::loadTemplate() {
    const std::string& path = form_.state.avsPath;
    if (path.empty()) {
        form_.showMessage(noTemplateChosen);
        return;
    }
    const Result<std::string> read = form_.services.files.readAll(path);
    if (!read) {
        form_.showMessage(read.error());
        return;
    }
    const TemplateText loaded = templateText(*read, form_.services.text);
    encoding_ = loaded.encoding;
    form_.controls.boxTemplate.setText(loaded.text);
}

// The file is replaced as a whole, so a save that fails part-way (disk full, the
// target is a folder) leaves the earlier good template in place.
void TemplateFile::buttonSaveAvs_Click() {
    const std::string& path = form_.state.avsPath;
    if (path.empty()) {
        form_.showMessage(noTemplateChosen);
        return;
    }
    const Result<std::string> bytes =
        templateBytes(withClosingLineEnd(form_.controls.boxTemplate.text()), encoding_, form_.services.text);
    if (!bytes) {
        form_.showMessage("Cannot write \"" + path + "\": " + bytes.error());
        return;
    }
    const Result<void> saved = form_.services.files.replaceAll(path, *bytes);
    if (!saved)
        form_.showMessage(saved.error());
}

} // namespace quorbin
