#include "platform/qt/BadgeRoom.h"

namespace quorbin {

// The style lays out the room for a decoration whenever the option says there is one;
// a null icon then paints nothing in it. The badge is as high as a line of the entry's
// text, so the rows stay about as high as the text makes them (a list view's own icon
// size would nearly double them), and it grows with the font.
void BadgeRoom::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const int side = option->fontMetrics.height();
    option->decorationSize = QSize(side, side);
    if (keep_)
        option->features |= QStyleOptionViewItem::HasDecoration;
}

} // namespace quorbin
