#include "platform/qt/QtLogView.h"

namespace quorbin {

QtLogView::QtLogView(LogListView& view, LogLineModel& lines) : view_(view), lines_(lines) {}

// Both steps cost the same at the millionth line as at the first: the view only moves
// its scroll bar, shown or not, and paints no more than the rows in view.
void QtLogView::appendSelected(const std::string& line) {
    lines_.append(line);
    view_.setCurrentRow(lines_.rowCount() - 1);
}

int QtLogView::count() const {
    return lines_.rowCount();
}

} // namespace quorbin
