#include "platform/qt/WarningLook.h"

#include <QPalette>
#include <QWidget>

namespace quorbin {

namespace {

QColor tinted(const QColor& base) {
    constexpr double share = 0.3;
    const QColor warning(255, 64, 48);
    auto mix = [](int from, int to) { return static_cast<int>(from + share * (to - from)); };
    return QColor(mix(base.red(), warning.red()), mix(base.green(), warning.green()),
                  mix(base.blue(), warning.blue()));
}

} // namespace

// The core hands the note over on every change of the text: the same note changes
// nothing, and a new note while warned keeps the tint it has.
void showWarning(QWidget& box, const QString& note) {
    const bool warned = !box.toolTip().isEmpty();
    if (note == box.toolTip())
        return;
    box.setToolTip(note);
    box.setAccessibleDescription(note);
    if (note.isEmpty()) {
        // A palette that sets nothing of its own: the box takes the one it inherits.
        box.setPalette(QPalette());
    } else if (!warned) {
        QPalette palette = box.palette();
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Base, tinted(palette.color(group, QPalette::Base)));
        box.setPalette(palette);
    }
}

} // namespace quorbin
