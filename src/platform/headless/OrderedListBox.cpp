#include "platform/headless/OrderedListBox.h"

namespace quorbin {

std::string OrderedListBox::entryText(int index) const {
    return has(index) ? entries_[static_cast<std::size_t>(index)].text : std::string();
}

bool OrderedListBox::isSelected(int index) const {
    return has(index) && entries_[static_cast<std::size_t>(index)].selected;
}

void OrderedListBox::setSelected(int index, bool selected) {
    if (has(index))
        entries_[static_cast<std::size_t>(index)].selected = selected;
}

void OrderedListBox::setCurrentIndex(int index) {
    current_ = has(index) ? index : -1;
}

void OrderedListBox::clear() {
    entries_.clear();
    current_ = -1;
}

} // namespace quorbin
