#pragma once

#include <functional>
#include <string>

namespace quorbin {

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
};

} // namespace quorbin
