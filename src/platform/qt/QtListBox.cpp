#include "platform/qt/QtListBox.h"

#include "platform/qt/BadgeIcon.h"
#include "platform/qt/BadgeRoom.h"
#include "platform/qt/QtText.h"

#include <algorithm>

namespace quorbin {

namespace {

bool isAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

unsigned char foldedAscii(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

QListWidgetItem* newEntry(const std::string& text) {
    // Flags and mark are set before the item joins the list, so it raises no itemChanged.
    auto* item = new QListWidgetItem(toQString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    return item;
}

} // namespace

QtListBox::QtListBox(QListWidget& list) : list_(list), badgeRoom_(new BadgeRoom(&list)) {
    list_.setItemDelegate(badgeRoom_);
    QObject::connect(&list_, &QListWidget::currentRowChanged, &context_, [this](int) { userClicked(); });
    QObject::connect(&list_, &QListWidget::itemChanged, &context_,
                     [this](QListWidgetItem* item) { userTicked(item); });
}

int QtListBox::count() const {
    insertPending();
    return list_.count();
}

std::string QtListBox::entryText(int index) const {
    insertPending();
    const QListWidgetItem* item = list_.item(index);
    return item ? toUtf8(item->text()) : std::string();
}

bool QtListBox::isSelected(int index) const {
    insertPending();
    const QListWidgetItem* item = list_.item(index);
    return item && item->checkState() == Qt::Checked;
}

void QtListBox::setSelected(int index, bool selected) {
    insertPending();
    QListWidgetItem* item = list_.item(index);
    if (!item)
        return;
    CodeChange change(*this);
    item->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
}

int QtListBox::currentIndex() const {
    insertPending();
    return list_.currentRow();
}

void QtListBox::setCurrentIndex(int index) {
    insertPending();
    if (index == list_.currentRow())
        return;
    CodeChange change(*this);
    list_.setCurrentRow(index < list_.count() ? index : -1);
}

void QtListBox::clear() {
    pending_.clear();
    CodeChange change(*this);
    list_.clear();
    badgeRoom_->keepRoom(false);
}

void QtListBox::setBadge(int index, const EntryBadge& badge) {
    insertPending();
    QListWidgetItem* item = list_.item(index);
    if (!item)
        return;
    CodeChange change(*this);
    const bool shown = badge.mark != EntryMark::none;
    auto shownOnly = [shown](const QVariant& value) { return shown ? value : QVariant(); };
    item->setData(Qt::DecorationRole, shownOnly(badgeIcon(badge.mark)));
    item->setData(Qt::ToolTipRole, shownOnly(toQString(badge.details)));
    item->setData(Qt::AccessibleTextRole,
                  shownOnly(item->text() + QStringLiteral(", ") + toQString(badge.summary)));
    item->setData(Qt::AccessibleDescriptionRole, shownOnly(toQString(badge.details)));
    if (shown)
        keepBadgeRoom();
}

// Once, when the first badge comes: every entry's name moves over by the badge's room.
void QtListBox::keepBadgeRoom() {
    if (badgeRoom_->keepsRoom())
        return;
    badgeRoom_->keepRoom(true);
    list_.doItemsLayout();
}

void QtListBox::addSorted(const std::string& text) {
    if (pending_.empty())
        QMetaObject::invokeMethod(
            &context_, [this] { insertPending(); }, Qt::QueuedConnection);
    pending_.push_back(Pending{text, isAscii(text)});
}

// The waiting names are sorted among themselves, equal ones in the order they came, and
// then go in behind every entry that does not sort behind them, as one by one they
// would have. Into an empty list, the common case of a new pick, they are appended.
void QtListBox::insertPending() const {
    if (pending_.empty())
        return;
    std::vector<Pending> names;
    names.swap(pending_);
    std::stable_sort(names.begin(), names.end(), sortsBefore);
    CodeChange change(*this);
    if (list_.count() == 0) {
        for (const Pending& name : names)
            list_.addItem(newEntry(name.text));
        return;
    }
    int from = 0;
    for (const Pending& name : names) {
        QListWidgetItem* item = newEntry(name.text);
        from = sortedPlace(item->text(), from);
        list_.insertItem(from, item);
        ++from;
    }
}

// By name ignoring case, as QString compares ignoring case; names in ASCII, nearly all
// of them, are compared in place without a conversion.
bool QtListBox::sortsBefore(const Pending& a, const Pending& b) {
    if (a.ascii && b.ascii)
        return std::lexicographical_compare(a.text.begin(), a.text.end(), b.text.begin(), b.text.end(),
                                            [](char x, char y) { return foldedAscii(x) < foldedAscii(y); });
    return QString::compare(toQString(a.text), toQString(b.text), Qt::CaseInsensitive) < 0;
}

// After the last entry that does not sort behind the new one, so equal names keep the
// order in which they came; entries before from are known not to.
int QtListBox::sortedPlace(const QString& text, int from) const {
    int low = from;
    int high = list_.count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (QString::compare(list_.item(middle)->text(), text, Qt::CaseInsensitive) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

// Qt toggles a check box without making its entry current; a click on an entry's mark
// is a click on the entry all the same, so the entry becomes current first.
void QtListBox::userTicked(QListWidgetItem* item) {
    if (codeChanges_ != 0)
        return;
    {
        CodeChange change(*this);
        list_.setCurrentItem(item);
    }
    userClicked();
}

void QtListBox::userClicked() {
    if (codeChanges_ == 0 && handler_)
        handler_();
}

} // namespace quorbin
