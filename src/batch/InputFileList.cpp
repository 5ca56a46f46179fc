#include "batch/InputFileList.h"

#include "batch/BatchController.h"
#include "batch/FileOutcomes.h"
#include "core/Form.h"
#include "core/SettingsAccess.h"
#include "job/JobBuilder.h"

#include <algorithm>
#include <limits>

namespace quorbin {

std::string folderOf(const std::string& path) {
    const auto cut = path.find_last_of(pathSeparator);
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string nameOf(const std::string& path) {
    const auto cut = path.find_last_of(pathSeparator);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void InputFileList::buttonSelectAvi_Click() {
    OpenFileRequest request;
    request.title = "Select AVI Files";
    request.filter = "*.avi";
    request.initialFolder = form_.state.aviPath;
    request.multiSelect = true;
    const Result<std::vector<std::string>> picked = form_.openFileDialog(request);
    if (!picked) {
        form_.showMessage(picked.error());
        return;
    }
    const std::vector<std::string>& chosen = picked.value();
    if (chosen.empty())
        return;
    // Entries are names without folder, joined to the one working folder: files from
    // several folders cannot make one list, so nothing is touched.
    const std::string folder = folderOf(chosen.front());
    const bool oneFolder = std::all_of(chosen.begin(), chosen.end(),
                                       [&](const std::string& p) { return folderOf(p) == folder; });
    if (!oneFolder || folder.empty()) {
        form_.showMessage("The AVI files of a batch must all come from one folder.");
        return;
    }

    // The batch cursor is a 16-bit position: a longer list could not be walked.
    if (chosen.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
        form_.showMessage("At most 32767 AVI files can be chosen for one batch.");
        return;
    }

    // The job script and the log file are addressed by bare names: a list whose folder
    // is not the current directory would run every job on a script written elsewhere.
    const Result<void> entered = form_.services.files.setCurrentDirectory(folder);
    if (!entered) {
        form_.showMessage(entered.error());
        return;
    }
    form_.state.aviPath = folder;
    fillList(chosen);
    storeFolder();
}

void InputFileList::fillList(const std::vector<std::string>& paths) {
    ListBox& list = form_.controls.listFiles;
    list.clear();
    for (const std::string& path : paths)
        list.addSorted(nameOf(path));
    for (int i = 0; i < list.count(); ++i)
        list.setSelected(i, true);
    list.setCurrentIndex(0);
    form_.state.fileIndex = 0;
    outcomes_.listFilled();
}

void InputFileList::storeFolder() {
    const std::string& folder = form_.state.aviPath;
    if (!writeSetting(form_.services.settings, "file", "aviPath", folder)) {
        form_.showMessage("The working folder could not be stored in the settings.");
        return;
    }
    controller_.nextFile(false, false);
}

void InputFileList::listFiles_Click() {
    form_.state.fileIndex = static_cast<std::int16_t>(form_.controls.listFiles.currentIndex());
    controller_.nextFile(false, false);
    jobs_.makeScript();
    jobs_.makeCmdLine();
}

} // namespace quorbin
