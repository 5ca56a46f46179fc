#include "platform/qt/LogListView.h"

#include "platform/qt/LogListAccessible.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace quorbin {

namespace {

QStyleOptionViewItem rowOption(const QWidget& view) {
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.state &= ~QStyle::State_MouseOver;
    option.font = view.font();
    option.fontMetrics = view.fontMetrics();
    option.features = QStyleOptionViewItem::HasDisplay;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.textElideMode = Qt::ElideNone;
    option.showDecorationSelected = true;
    return option;
}

} // namespace

LogListView::LogListView(QWidget* parent) : QAbstractScrollArea(parent) {
    LogListAccessible::installFactory();
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth() * 2);
    measureRows();
}

void LogListView::setModel(QAbstractItemModel* model) {
    for (const auto& connection : {inserted_, removed_, reset_, changed_})
        disconnect(connection);
    model_ = model;
    current_ = -1;
    widest_ = 0;
    if (model_) {
        inserted_ = connect(model_, &QAbstractItemModel::rowsInserted, this, [this] { rowsAdded(); });
        removed_ = connect(model_, &QAbstractItemModel::rowsRemoved, this, [this] { rowsChanged(); });
        reset_ = connect(model_, &QAbstractItemModel::modelReset, this, [this] { rowsChanged(); });
        changed_ =
            connect(model_, &QAbstractItemModel::dataChanged, viewport(), [this] { viewport()->update(); });
    }
    rowsChanged();
}

void LogListView::setCurrentRow(int row) {
    if (row < -1 || row >= rowCount())
        row = -1;
    const bool moved = row != current_;
    if (moved) {
        const QRect before = visualRect(current_);
        current_ = row;
        viewport()->update(before);
        viewport()->update(visualRect(current_));
    }
    if (row >= 0)
        scrollToRow(row);
    if (moved && row >= 0)
        LogListAccessible::notifyCurrentRow(this);
}

QRect LogListView::visualRect(int row) const {
    const int top = topRow();
    if (row < top || row >= rowCount())
        return {};
    const int y = (row - top) * rowHeight_;
    if (y >= viewport()->height())
        return {};
    const int x = -horizontalScrollBar()->value();
    return QRect(x, y, std::max(widest_, viewport()->width() - x), rowHeight_);
}

int LogListView::rowAt(QPoint point) const {
    if (point.y() < 0 || point.y() >= viewport()->height())
        return -1;
    const int row = topRow() + point.y() / rowHeight_;
    return row < rowCount() ? row : -1;
}

int LogListView::rowCount() const {
    return model_ ? model_->rowCount() : 0;
}

int LogListView::fullRowsInView() const {
    return std::max(1, viewport()->height() / rowHeight_);
}

int LogListView::topRow() const {
    return verticalScrollBar()->value();
}

// The height of an item view's one-line text row in this style and font.
void LogListView::measureRows() {
    QStyleOptionViewItem option = rowOption(*this);
    option.text = QStringLiteral("Xg");
    const QSize size = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
    rowHeight_ = std::max(1, size.height());
}

void LogListView::updateScrollRanges() {
    QScrollBar& vertical = *verticalScrollBar();
    const int rows = fullRowsInView();
    vertical.setPageStep(rows);
    vertical.setRange(0, std::max(0, rowCount() - rows));
    QScrollBar& horizontal = *horizontalScrollBar();
    horizontal.setPageStep(viewport()->width());
    horizontal.setRange(0, std::max(0, widest_ - viewport()->width()));
}

void LogListView::scrollToRow(int row) {
    QScrollBar& vertical = *verticalScrollBar();
    const int rows = fullRowsInView();
    if (row < vertical.value())
        vertical.setValue(row);
    else if (row >= vertical.value() + rows)
        vertical.setValue(row - rows + 1);
}

// Only the range grows: the rows in view stay where they are, and a paint is needed
// only when the new row itself lands in view.
void LogListView::rowsAdded() {
    updateScrollRanges();
    const int newest = rowCount() - 1;
    if (!visualRect(newest).isEmpty())
        viewport()->update(visualRect(newest));
}

void LogListView::rowsChanged() {
    if (current_ >= rowCount())
        current_ = -1;
    updateScrollRanges();
    viewport()->update();
}

void LogListView::widenTo(int width) {
    if (width <= widest_)
        return;
    widest_ = width;
    // Not from inside the paint: a new range may show the scroll bar and resize the viewport.
    QMetaObject::invokeMethod(
        this, [this] { updateScrollRanges(); }, Qt::QueuedConnection);
}

void LogListView::paintEvent(QPaintEvent* event) {
    if (!model_)
        return;
    QPainter painter(viewport());
    QStyleOptionViewItem option = rowOption(*this);
    const bool active = isActiveWindow();
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const int first = topRow() + std::max(0, event->rect().top()) / rowHeight_;
    const int last = std::min(rowCount() - 1, topRow() + event->rect().bottom() / rowHeight_);
    int widest = 0;
    for (int row = first; row <= last; ++row) {
        option.rect = visualRect(row);
        option.text = model_->data(model_->index(row, 0)).toString();
        option.state.setFlag(QStyle::State_Selected, row == current_);
        option.state.setFlag(QStyle::State_HasFocus, row == current_ && hasFocus());
        option.state.setFlag(QStyle::State_Active, active);
        style()->drawControl(QStyle::CE_ItemViewItem, &option, &painter, this);
        widest = std::max(widest, option.fontMetrics.horizontalAdvance(option.text) + margin);
    }
    widenTo(widest);
}

void LogListView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const bool followingNewest = current_ >= 0 && current_ == rowCount() - 1;
    updateScrollRanges();
    if (followingNewest)
        scrollToRow(current_);
}

void LogListView::scrollContentsBy(int, int) {
    viewport()->update();
}

// The current line goes to the clipboard as the user sees it, to be pasted into a report.
void LogListView::copyCurrentRow() const {
    if (!model_ || current_ < 0)
        return;
    QGuiApplication::clipboard()->setText(model_->data(model_->index(current_, 0)).toString());
}

void LogListView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copyCurrentRow();
        event->accept();
        return;
    }
    const int rows = rowCount();
    if (rows == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int from = current_ < 0 ? 0 : current_;
    int to = from;
    switch (event->key()) {
    case Qt::Key_Up:
        to = from - 1;
        break;
    case Qt::Key_Down:
        to = from + 1;
        break;
    case Qt::Key_PageUp:
        to = from - fullRowsInView();
        break;
    case Qt::Key_PageDown:
        to = from + fullRowsInView();
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = rows - 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    setCurrentRow(std::clamp(to, 0, rows - 1));
    event->accept();
}

void LogListView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const int row = rowAt(event->position().toPoint());
        if (row >= 0)
            setCurrentRow(row);
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void LogListView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        measureRows();
        widest_ = 0;
        updateScrollRanges();
        viewport()->update();
    } else if (event->type() == QEvent::ActivationChange) {
        viewport()->update();
    }
}

void LogListView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update(visualRect(current_));
    LogListAccessible::notifyCurrentRow(this);
}

void LogListView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update(visualRect(current_));
}

} // namespace quorbin
