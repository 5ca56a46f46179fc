#pragma once

#include "platform/ListBox.h"

#include <QListWidget>

namespace quorbin {

// The input file list over a QListWidget whose entries carry check boxes as their
// selection marks; the current row is the current entry.
//
// The click handler runs for the user only: when a click or a key makes another entry
// current, and when the user ticks or unticks an entry, which makes that entry current
// as well (the cursor has to follow a mark taken away from the current entry). Changes made by code run
// nothing, including the current-row moves that QListWidget makes by itself while rows are inserted or
// removed.
class QtListBox final : public ListBox {
public:
    explicit QtListBox(QListWidget& list);

    int count() const override;
    std::string entryText(int index) const override;
    bool isSelected(int index) const override;
    void setSelected(int index, bool selected) override;
    int currentIndex() const override;
    void setCurrentIndex(int index) override;
    void clear() override;
    void addSorted(const std::string& text) override;
    void onClick(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    // Marks the span in which the list's own signals come from code.
    class CodeChange {
    public:
        explicit CodeChange(QtListBox& box) : box_(box) { ++box_.codeChanges_; }
        ~CodeChange() { --box_.codeChanges_; }
        CodeChange(const CodeChange&) = delete;
        CodeChange& operator=(const CodeChange&) = delete;

    private:
        QtListBox& box_;
    };

    int sortedPlace(const QString& text) const;
    void userTicked(QListWidgetItem* item);
    void userClicked();

    QListWidget& list_;
    std::function<void()> handler_;
    int codeChanges_ = 0;
};

} // namespace quorbin
