#include "platform/qt/DesignFonts.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace quorbin {

namespace {

// fontconfig answers any family with its best substitute, so the family is checked
// against what is installed rather than against what a QFont resolves to.
bool installed(const QString& family) {
    return QFontDatabase::hasFamily(family);
}

} // namespace

QFont boldCaptionFont() {
    const QString designed = QStringLiteral("MS Sans Serif");
    QFont font =
        installed(designed) ? QFont(designed) : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(12);
    font.setBold(true);
    return font;
}

QFont scriptFont() {
    const QString designed = QStringLiteral("Courier New");
    QFont font = installed(designed) ? QFont(designed) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(9);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch())
        font.setFamily(QStringLiteral("monospace"));
    return font;
}

} // namespace quorbin
