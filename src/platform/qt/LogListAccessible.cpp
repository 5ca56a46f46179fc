#include "platform/qt/LogListAccessible.h"

#include "platform/qt/LogListView.h"

#include <QPointer>

namespace quorbin {

namespace {

// One line of the log.
class LogRowAccessible : public QAccessibleInterface {
public:
    LogRowAccessible(LogListView* view, int row) : view_(view), row_(row) {}

    bool isValid() const override { return view_ && view_->model() && row_ < view_->model()->rowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }

    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text kind) const override {
        if (!isValid() || (kind != QAccessible::Name && kind != QAccessible::Value))
            return {};
        return view_->model()->data(view_->model()->index(row_, 0)).toString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect inViewport = view_->visualRect(row_);
        if (inViewport.isEmpty())
            return {};
        return QRect(view_->viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        state.readOnly = true;
        const bool current = view_->currentRow() == row_;
        state.selected = current;
        state.focused = current && view_->hasFocus();
        if (view_->visualRect(row_).isEmpty()) {
            state.invisible = true;
            state.offscreen = true;
        }
        return state;
    }

    int row() const { return row_; }
    const LogListView* view() const { return view_; }

private:
    QPointer<LogListView> view_;
    int row_;
};

QAccessibleInterface* logListFactory(const QString&, QObject* object) {
    if (auto* view = qobject_cast<LogListView*>(object))
        return new LogListAccessible(view);
    return nullptr;
}

} // namespace

LogListAccessible::LogListAccessible(LogListView* view) : QAccessibleWidget(view, QAccessible::List) {}

LogListAccessible::~LogListAccessible() {
    forgetRows();
}

LogListView* LogListAccessible::view() const {
    return qobject_cast<LogListView*>(object());
}

void LogListAccessible::forgetRows() const {
    for (const QAccessible::Id id : std::as_const(rows_))
        QAccessible::deleteAccessibleInterface(id);
    rows_.clear();
}

QAccessibleInterface* LogListAccessible::child(int index) const {
    LogListView* list = view();
    if (!list || index < 0 || index >= childCount())
        return nullptr;
    // Rows of an earlier model would show that model's row numbers with today's texts.
    if (modelOfRows_ != list->model()) {
        forgetRows();
        modelOfRows_ = list->model();
    }
    if (const auto known = rows_.constFind(index); known != rows_.cend())
        return QAccessible::accessibleInterface(*known);
    auto* row = new LogRowAccessible(list, index);
    rows_.insert(index, QAccessible::registerAccessibleInterface(row));
    return row;
}

int LogListAccessible::childCount() const {
    const LogListView* list = view();
    return list && list->model() ? list->model()->rowCount() : 0;
}

int LogListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* row = dynamic_cast<const LogRowAccessible*>(child);
    if (!row || row->view() != view() || !row->isValid())
        return -1;
    return row->row();
}

QAccessibleInterface* LogListAccessible::childAt(int x, int y) const {
    const LogListView* list = view();
    if (!list)
        return nullptr;
    return child(list->rowAt(list->viewport()->mapFromGlobal(QPoint(x, y))));
}

QAccessibleInterface* LogListAccessible::focusChild() const {
    const LogListView* list = view();
    if (!list || !list->hasFocus())
        return nullptr;
    return child(list->currentRow());
}

QAccessible::State LogListAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    return state;
}

void LogListAccessible::installFactory() {
    // Once per program, however many windows are made.
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(logListFactory);
        return true;
    }();
}

// A focus event on the item is what makes a screen reader read the line out; the
// selection event keeps its idea of the selected item right while focus is elsewhere.
void LogListAccessible::notifyCurrentRow(LogListView* view) {
    if (!QAccessible::isActive() || view->currentRow() < 0)
        return;
    QAccessibleEvent selection(view, QAccessible::Selection);
    selection.setChild(view->currentRow());
    QAccessible::updateAccessibility(&selection);
    if (view->hasFocus()) {
        QAccessibleEvent focus(view, QAccessible::Focus);
        focus.setChild(view->currentRow());
        QAccessible::updateAccessibility(&focus);
    }
}

} // namespace quorbin
