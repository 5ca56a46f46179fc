#include "job/JobBuilder.h"

#include "core/Form.h"
#include "job/JobText.h"

namespace quorbin {

void JobBuilder::makeScript() {
    const BatchState& s = form_.state;
    form_.controls.boxScript.setText(scriptFor(form_.controls.boxTemplate.text(), s.aviPath, s.currentFile));
}

void JobBuilder::makeCmdLine() {
    BatchState& s = form_.state;
    s.outputPath = s.aviPath + outputName(s.currentFile);
    form_.controls.boxCmdLine.setText(commandLine(s.vcfPath, s.aviPath, s.outputPath));
}

void JobBuilder::writeScript() {
    FileSystem& files = form_.services.files;
    files.remove(jobScriptName);
    const Result<void> written = files.writeAll(jobScriptName, form_.controls.boxScript.text() + "\r\n");
    if (!written)
        form_.showMessage(written.error());
}

} // namespace quorbin
