#include "platform/headless/HeadlessFrontEnd.h"

#include <utility>

namespace quorbin {

HeadlessFrontEnd::HeadlessFrontEnd(std::ostream& out, std::ostream& err, const std::string& program,
                                   std::vector<std::string> files)
    : log_(out), messageBox_(err, program), dialog_(std::move(files)) {}

Controls HeadlessFrontEnd::controls() {
    return Controls{
        .window = window_,
        .buttonSelectAvi = buttons_[selectAvi],
        .buttonSelectExe = buttons_[selectExe],
        .listFiles = list_,
        .buttonSelectVcf = buttons_[selectVcf],
        .boxCmdLine = boxes_[cmdLine],
        .boxScript = boxes_[script],
        .boxTemplate = boxes_[templ],
        .boxVcf = boxes_[vcf],
        .boxExe = boxes_[exe],
        .buttonStart = buttons_[start],
        .buttonLoadAvs = buttons_[loadAvs],
        .buttonAbort = buttons_[abort],
        .listLog = log_,
        .buttonPause = buttons_[pause],
        .BoxTimeout = boxes_[timeout],
        .labelTime = labelTime_,
        .buttonSaveAvs = buttons_[saveAvs],
        .buttonStop = buttons_[stop],
    };
}

} // namespace quorbin
