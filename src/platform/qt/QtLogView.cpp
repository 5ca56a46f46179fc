#include "platform/qt/QtLogView.h"

#include <QItemSelectionModel>

namespace quorbin {

QtLogView::QtLogView(QListView& view, LogLineModel& lines) : view_(view), lines_(lines) {}

// Any selection change makes the list view lay its rows out again once the model has
// grown; with uniform row sizes that is a short pass without measuring, done once here
// and shared by the selection and the scrolling.
void QtLogView::appendSelected(const std::string& line) {
    lines_.append(line);
    const QModelIndex newest = lines_.index(lines_.rowCount() - 1);
    view_.selectionModel()->setCurrentIndex(newest, QItemSelectionModel::ClearAndSelect);
    // The view scrolls to a new current row by itself only while it is visible.
    if (!view_.isVisible())
        view_.scrollTo(newest, QAbstractItemView::EnsureVisible);
}

int QtLogView::count() const {
    return lines_.rowCount();
}

} // namespace quorbin
