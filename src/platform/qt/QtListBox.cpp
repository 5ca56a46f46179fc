#include "platform/qt/QtListBox.h"

#include "platform/qt/QtText.h"

namespace quorbin {

QtListBox::QtListBox(QListWidget& list) : list_(list) {
    QObject::connect(&list_, &QListWidget::currentRowChanged, &list_, [this](int) { userClicked(); });
    QObject::connect(&list_, &QListWidget::itemChanged, &list_,
                     [this](QListWidgetItem* item) { userTicked(item); });
}

int QtListBox::count() const {
    return list_.count();
}

std::string QtListBox::entryText(int index) const {
    const QListWidgetItem* item = list_.item(index);
    return item ? toUtf8(item->text()) : std::string();
}

bool QtListBox::isSelected(int index) const {
    const QListWidgetItem* item = list_.item(index);
    return item && item->checkState() == Qt::Checked;
}

void QtListBox::setSelected(int index, bool selected) {
    QListWidgetItem* item = list_.item(index);
    if (!item)
        return;
    CodeChange change(*this);
    item->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
}

int QtListBox::currentIndex() const {
    return list_.currentRow();
}

void QtListBox::setCurrentIndex(int index) {
    if (index == list_.currentRow())
        return;
    CodeChange change(*this);
    list_.setCurrentRow(index < list_.count() ? index : -1);
}

void QtListBox::clear() {
    CodeChange change(*this);
    list_.clear();
}

void QtListBox::addSorted(const std::string& text) {
    const QString name = toQString(text);
    // Flags and mark are set before the item joins the list, so it raises no itemChanged.
    auto* item = new QListWidgetItem(name);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    CodeChange change(*this);
    list_.insertItem(sortedPlace(name), item);
}

// After the last entry that does not sort behind the new one, so equal names keep the
// order in which they came.
int QtListBox::sortedPlace(const QString& text) const {
    int low = 0;
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
