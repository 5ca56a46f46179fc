#include "platform/qt/DesignFonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>

namespace quorbin {

namespace {

// fontconfig answers any family with its best substitute, so the family is checked
// against what is installed rather than against what a QFont resolves to.
bool installed(const QString& family) {
    return QFontDatabase::hasFamily(family);
}

// Not every monospaced face says so to fontconfig (one with some glyphs of double width
// is "dual" spaced), so the pitch is judged by the widths of a narrow and a wide letter.
bool evenlySpaced(const QFont& font) {
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W'));
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
    if (!evenlySpaced(font))
        font.setFamily(QStringLiteral("monospace"));
    return font;
}

} // namespace quorbin
