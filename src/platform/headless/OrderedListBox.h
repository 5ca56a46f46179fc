#pragma once

#include "platform/ListBox.h"

#include <string>
#include <vector>

namespace quorbin {

// The list of input files where the files come in the order the user gave them: entries
// stay in the order they were added. Nothing of the batch depends on the list being
// sorted: the cursor walks the entries by position, from the first to the last, and each
// outcome finds its entry by name.
class OrderedListBox final : public ListBox {
public:
    int count() const override { return static_cast<int>(entries_.size()); }
    std::string entryText(int index) const override;
    bool isSelected(int index) const override;
    void setSelected(int index, bool selected) override;
    int currentIndex() const override { return current_; }
    // From code only: no handler runs.
    void setCurrentIndex(int index) override;
    void clear() override;
    // Adds at the end.
    void addSorted(const std::string& text) override { entries_.push_back({text, false}); }
    void onClick(std::function<void()> /*handler*/) override {}
    void setBadge(int /*index*/, const EntryBadge& /*badge*/) override {}

private:
    struct Entry {
        std::string text;
        bool selected = false;
    };
    bool has(int index) const { return index >= 0 && index < count(); }

    std::vector<Entry> entries_;
    int current_ = -1;
};

} // namespace quorbin
