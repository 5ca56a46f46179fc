#include "platform/qt/QtFileDialog.h"

#include "platform/qt/QtText.h"

#include <QFileDialog>
#include <QFileInfo>

namespace quorbin {

namespace {

QFileDialog::FileMode fileMode(const OpenFileRequest& request) {
    if (request.multiSelect)
        return QFileDialog::ExistingFiles;
    // The template picker accepts the name of a template that is yet to be saved.
    return request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile;
}

// The initial folder is a folder, or the full path of the file chosen last: then its
// folder opens with that file preselected.
void openAt(QFileDialog& dialog, const QString& initial) {
    if (initial.isEmpty())
        return;
    const QFileInfo info(initial);
    if (info.isDir()) {
        dialog.setDirectory(info.absoluteFilePath());
        return;
    }
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
}

} // namespace

void QtFileDialog::configure(QFileDialog& dialog, const OpenFileRequest& request) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(fileMode(request));
    dialog.setWindowTitle(toQString(request.title));
    // Programs on this platform rarely end in the pattern's extension, so every file
    // can be shown as well.
    QStringList filters;
    if (!request.filter.empty())
        filters << toQString(request.filter);
    filters << QStringLiteral("All files (*)");
    dialog.setNameFilters(filters);
    // The read-only check box of the request has no counterpart in QFileDialog, and its
    // state is never read: readOnlyTicked is left unused.
    openAt(dialog, toQString(request.initialFolder));
}

Result<std::vector<std::string>> QtFileDialog::open(const OpenFileRequest& request) {
    QFileDialog dialog(parent_);
    configure(dialog, request);
    std::vector<std::string> paths;
    if (dialog.exec() != QDialog::Accepted)
        return paths;
    for (const QString& path : dialog.selectedFiles())
        paths.push_back(toUtf8(QFileInfo(path).absoluteFilePath()));
    return paths;
}

} // namespace quorbin
