#pragma once

#include "platform/ListBox.h"

#include <QListWidget>
#include <QObject>

#include <string>
#include <vector>

namespace quorbin {

class BadgeRoom;

// The input file list over a QListWidget whose entries carry check boxes as their
// selection marks; the current row is the current entry.
//
// A pick of thousands of files arrives one addSorted at a time, in the dialog's order.
// Placing each one at once would shift on average half the list for every name; the
// names wait instead and are sorted in together, at the next call of any other member
// or, failing that, when the event loop next runs: the widget shows them before the
// user can see the list, and every reading through this adapter sees them already.
//
// The click handler runs for the user only: when a click or a key makes another entry
// current, and when the user ticks or unticks an entry, which makes that entry current
// as well (the cursor has to follow a mark taken away from the current entry). Changes made by code run
// nothing, including the current-row moves that QListWidget makes by itself while rows are inserted or
// removed.
//
// A badge lives in its entry's item, so it moves with it: its glyph as the decoration, its
// details as the tooltip, and for assistive technology the entry's name followed by the
// summary as the accessible text, the details as its description (what Qt's item
// interface reads out). The display text stays the bare name.
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
    void setBadge(int index, const EntryBadge& badge) override;

private:
    // Marks the span in which the list's own signals come from code.
    class CodeChange {
    public:
        explicit CodeChange(const QtListBox& box) : box_(box) { ++box_.codeChanges_; }
        ~CodeChange() { --box_.codeChanges_; }
        CodeChange(const CodeChange&) = delete;
        CodeChange& operator=(const CodeChange&) = delete;

    private:
        const QtListBox& box_;
    };

    struct Pending {
        std::string text;
        bool ascii;
    };

    // Puts the waiting names into the widget; every member but addSorted starts here.
    void insertPending() const;
    static bool sortsBefore(const Pending& a, const Pending& b);
    int sortedPlace(const QString& text, int from) const;
    void keepBadgeRoom();
    void userTicked(QListWidgetItem* item);
    void userClicked();

    QListWidget& list_;
    std::function<void()> handler_;
    mutable int codeChanges_ = 0;
    mutable std::vector<Pending> pending_;
    BadgeRoom* badgeRoom_; // owned by the list
    // The context of the connections and of the queued insertion: both end with the adapter.
    QObject context_;
};

} // namespace quorbin
