#include "platform/qt/BadgeRoom.h"

namespace quorbin {

// The style lays out the room for a decoration whenever the option says there is one;
// a null icon then paints nothing in it.
void BadgeRoom::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (keep_)
        option->features |= QStyleOptionViewItem::HasDecoration;
}

} // namespace quorbin
