#pragma once

#include "platform/ListBox.h"
#include "platform/win32/ui/AccessibleEntries.h"
#include "platform/win32/ui/HoverTip.h"
#include "platform/win32/ui/Win32MainWindow.h"

#include <uxtheme.h>

#include <string>
#include <vector>

namespace quorbin {

// The input file list over an owner-drawn list box: each entry is drawn with its mark as
// a check box; the list box's selected entry is the current entry.
//
// Entries are ordered by name ignoring case, by comparing the names folded to lower case
// (the invariant culture's rule for letters beyond ASCII), UTF-16 unit by unit: one rule
// whatever the user's locale, unlike a sorted list box's locale order, which also passes
// over hyphens and apostrophes.
//
// A pick of thousands of files arrives one addSorted at a time, in the dialog's order.
// The names wait instead and are sorted in together, with drawing off, at the next call
// of any other member or, failing that, when the message loop next runs: the control
// shows them before the user can see the list, and every reading through this adapter
// sees them already.
//
// The click handler runs for the user only: when a click or a key makes another entry
// current (LBN_SELCHANGE, which a list box sends for the user alone), and when the user
// ticks or unticks an entry with the mouse or the space bar, which makes that entry
// current as well (the cursor has to follow a mark taken away from the current entry).
//
// An entry's badge is drawn between its check box and its name; its details are the
// list's tooltip while the mouse is over the entry, and a screen reader hears the entry
// as "name, summary" with the details as its description.
class Win32ListBox final : public ListBox {
public:
    explicit Win32ListBox(Win32MainWindow& window);
    ~Win32ListBox() override;
    Win32ListBox(const Win32ListBox&) = delete;
    Win32ListBox& operator=(const Win32ListBox&) = delete;

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

    // What screen readers are told of the entries goes there instead (for tests).
    void describeEntriesThrough(AccessibleEntries& entries) { accessible_ = &entries; }
    // The tooltip control, once an entry under the mouse has had details; nullptr before.
    HWND tooltip() const { return tip_.handle(); }

private:
    struct Entry {
        std::string text;
        std::wstring key; // folded to lower case
        bool marked = false;
        EntryBadge badge;
    };

    static std::wstring sortKey(const std::string& text);
    void insertPending() const;
    void widenFor(const std::vector<Entry>& entries) const;
    void redrawEntry(int index) const;
    void draw(const DRAWITEMSTRUCT& item) const;
    RECT markRect(const RECT& row) const;
    RECT badgeRect(const RECT& mark) const;
    void describe(int index) const;
    void describeAll() const;
    void forgetAll() const;
    void showTipFor(POINT mouse) const;
    int entryAt(POINT point) const;
    void userTicked(int index);
    void userMadeCurrent();
    static LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

    Win32MainWindow& window_;
    HWND list_;
    WNDPROC listDefault_ = nullptr; // the list box's own procedure, which listProc stands in front of
    HTHEME theme_ = nullptr;
    bool highContrast_ = false;
    AccPropEntries systemAccessible_;
    AccessibleEntries* accessible_ = &systemAccessible_;
    mutable HoverTip tip_;
    mutable std::vector<int> described_; // the child ids with a description, ascending
    mutable POINT mouse_{-1, -1};        // where the mouse last moved over the list
    std::function<void()> handler_;
    mutable std::vector<Entry> entries_;
    mutable std::vector<std::string> pending_;
    mutable int current_ = -1;     // the current entry as the handler last saw it
    mutable int contentWidth_ = 0; // pixels, of the widest entry
};

} // namespace quorbin
