#include "platform/qt/QtFileOpener.h"

#include "platform/qt/QtText.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace quorbin {

Result<void> QtFileOpener::open(const std::string& path) {
    const QString absolute = QFileInfo(toQString(path)).absoluteFilePath();
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(absolute)))
        return Ok{};
    return Failure{"Cannot open \"" + toUtf8(absolute) +
                   "\": the desktop has no program for it, or could not start it."};
}

} // namespace quorbin
