#include "platform/qt/QtFileDialog.h"

#include "platform/qt/QtText.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace quorbin {

namespace {

QFileDialog::FileMode fileMode(const OpenFileRequest& request) {
    if (request.multiSelect)
        return QFileDialog::ExistingFiles;
    // The template picker accepts the name of a template that is yet to be saved.
    return request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile;
}

// Windows programs end in .exe and the request's filter names it; programs elsewhere
// carry no extension and are told by their permission to run.
#ifdef Q_OS_WIN
constexpr bool programsHaveExtension = true;
#else
constexpr bool programsHaveExtension = false;
#endif

const QString allFiles = QStringLiteral("All files (*)");
const QString programs = QStringLiteral("Programs (*)");

// Hides the files that may not be run while "Programs" is the chosen filter; folders
// stay, so that the user can go through them.
class ProgramsOnly final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setActive(bool active) {
        active_ = active;
        invalidateFilter();
    }

    // The file system model sorts as a file dialog does (folders first); it keeps
    // doing so, and this model keeps its order.
    void sort(int column, Qt::SortOrder order) override { sourceModel()->sort(column, order); }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!active_ || files == nullptr)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }

private:
    bool active_ = true;
};

// The dialog's own widgets, as a desktop's native dialog would not take the filter.
void offerPrograms(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({programs, allFiles});
    auto* filter = new ProgramsOnly(&dialog);
    dialog.setProxyModel(filter);
    QObject::connect(&dialog, &QFileDialog::filterSelected, filter,
                     [filter](const QString& chosen) { filter->setActive(chosen == programs); });
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
    if (request.kind == FileKind::program && !programsHaveExtension) {
        offerPrograms(dialog);
    } else {
        // A file of the kind may lack the pattern's extension, so every file can be
        // shown as well.
        QStringList filters;
        if (!request.filter.empty())
            filters << toQString(request.filter);
        filters << allFiles;
        dialog.setNameFilters(filters);
    }
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
