#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace quorbin {

// What the badge beside an entry's name shows: how the entry's job went (running,
// finished with exit code 0, exited with another code, stalled, not started, stopped or
// aborted), or that the entry is the output of another entry of the list.
enum class EntryMark : std::uint8_t {
    none,
    running,
    finished,
    failed,
    stalled,
    notStarted,
    interrupted,
    outputOfOther
};

struct EntryBadge {
    EntryMark mark = EntryMark::none;
    // A few words a screen reader says after the entry's name ("finished").
    std::string summary;
    // The tooltip: the details (exit code, time-outs, the time it took, messages).
    std::string details;

    bool operator==(const EntryBadge&) const = default;
};

// The sorted list of input files: entries ordered by name ignoring case, each with its
// own selection mark, and one current entry (-1 when there is none).
//
// The click handler runs when the user makes an entry current. Making an entry current
// from code may run it too; making the entry that is already current the current one
// never runs it, so the handler cannot recurse without end.
class ListBox {
public:
    virtual ~ListBox() = default;
    virtual int count() const = 0;
    virtual std::string entryText(int index) const = 0;
    virtual bool isSelected(int index) const = 0;
    virtual void setSelected(int index, bool selected) = 0;
    virtual int currentIndex() const = 0;
    virtual void setCurrentIndex(int index) = 0;
    virtual void clear() = 0;
    // Inserts at the place that keeps the entries sorted by name, ignoring case.
    virtual void addSorted(const std::string& text) = 0;
    virtual void onClick(std::function<void()> handler) = 0;
    // The badge drawn beside the entry's name; the entry's text stays as it is. A badge
    // moves with its entry when others are inserted, and clear removes every badge.
    virtual void setBadge(int index, const EntryBadge& badge) = 0;
};

} // namespace quorbin
