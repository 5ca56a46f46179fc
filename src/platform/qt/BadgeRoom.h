#pragma once

#include <QStyledItemDelegate>

namespace quorbin {

// Paints a list's entries as usual, with badges as high as a line of text; once any entry
// has a badge, it keeps the badge's room beside every name, so that the names stay in
// line whether their entry has a badge yet or not.
class BadgeRoom final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void keepRoom(bool keep) { keep_ = keep; }
    bool keepsRoom() const { return keep_; }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    bool keep_ = false;
};

} // namespace quorbin
