#pragma once

#include <QAbstractItemModel>
#include <QAbstractScrollArea>
#include <QPointer>

namespace quorbin {

// The list of the event log: the display texts of a model's rows, top to bottom, all
// one line high, with one selected row (the current one).
//
// The log only grows, by up to two lines a second for days. QListView lays out every
// row again whenever one is added, and a selection or a scroll waits for that layout:
// at a million rows each line would cost tens of milliseconds. Here a row's place is
// its number times the line height, so nothing is ever laid out: a paint asks the
// model for the visible rows only, and adding a row moves a scroll bar. The vertical
// scroll bar counts rows, the horizontal one pixels up to the widest line painted.
class LogListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LogListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const { return model_; }

    // The selected row, -1 when there is none.
    int currentRow() const { return current_; }
    // Selects the row and scrolls it into view.
    void setCurrentRow(int row);
    // Puts the selected row's text on the clipboard (also Ctrl+C).
    void copyCurrentRow() const;

    int rowHeight() const { return rowHeight_; }
    // Where the row is painted, in viewport coordinates; empty for a row out of view.
    QRect visualRect(int row) const;
    // The row painted at a viewport point, -1 for none.
    int rowAt(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int rowCount() const;
    int fullRowsInView() const;
    int topRow() const;
    void measureRows();
    void updateScrollRanges();
    void scrollToRow(int row);
    void rowsAdded();
    void rowsChanged();
    void widenTo(int width);

    QPointer<QAbstractItemModel> model_;
    QMetaObject::Connection inserted_;
    QMetaObject::Connection removed_;
    QMetaObject::Connection reset_;
    QMetaObject::Connection changed_;
    int current_ = -1;
    int rowHeight_ = 1;
    int widest_ = 0;
};

} // namespace quorbin
