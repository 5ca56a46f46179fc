#pragma once

#include <QAbstractItemModel>
#include <QAccessibleWidget>
#include <QHash>

namespace quorbin {

class LogListView;

// What assistive technology sees of the event log: a list whose items are the log's
// lines, the selected one being the newest unless the user moved back. The view paints
// its rows itself, so it has to describe them itself as well.
//
// An item's interface is made when it is first asked for and kept under its row
// number, so that a screen reader gets the same id for the same line every time;
// lines are only ever added, so a row keeps its text for as long as the model stays.
class LogListAccessible : public QAccessibleWidget {
public:
    explicit LogListAccessible(LogListView* view);
    ~LogListAccessible() override;

    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessible::State state() const override;

    LogListView* view() const;

    // Installs the factory that gives every LogListView this interface. Safe to call
    // more than once.
    static void installFactory();
    // Tells assistive technology, when any is listening, that the selected row changed.
    static void notifyCurrentRow(LogListView* view);

private:
    void forgetRows() const;

    mutable QHash<int, QAccessible::Id> rows_;
    mutable const QAbstractItemModel* modelOfRows_ = nullptr;
};

} // namespace quorbin
