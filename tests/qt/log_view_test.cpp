#include "platform/qt/LogLineModel.h"
#include "platform/qt/LogListView.h"
#include "platform/qt/QtLogView.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QStringListModel>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace quorbin {
namespace {

class LogViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.setModel(&lines);
        view.resize(300, 120);
    }

    void show() {
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    std::string shown(int row) const { return lines.data(lines.index(row)).toString().toStdString(); }

    bool inView(int row) {
        const QRect rect = view.visualRect(row);
        return !rect.isEmpty() && rect.top() >= 0 && rect.bottom() < view.viewport()->height();
    }
    bool newestInView() { return inView(lines.rowCount() - 1); }

    void appendLines(int count) {
        for (int i = 0; i < count; ++i)
            log.appendSelected("line " + std::to_string(i));
    }

    LogLineModel lines;
    LogListView view;
    QtLogView log{view, lines};
};

TEST_F(LogViewTest, LinesComeInOrderAndTheNewestIsTheOneSelected) {
    show();
    log.appendSelected("12:00:00 (00:00:00) START");
    EXPECT_EQ(view.currentRow(), 0);
    log.appendSelected("12:00:00 (00:00:00) ERROR no AVI files selected");
    log.appendSelected("12:00:00 (00:00:00) IDLE");
    ASSERT_EQ(log.count(), 3);
    EXPECT_EQ(shown(0), "12:00:00 (00:00:00) START");
    EXPECT_EQ(shown(2), "12:00:00 (00:00:00) IDLE");
    EXPECT_EQ(view.currentRow(), 2) << "the one selected row moved on to the newest";
}

TEST_F(LogViewTest, EmptyAndRepeatedLinesAreKept) {
    log.appendSelected("");
    log.appendSelected("same");
    log.appendSelected("same");
    log.appendSelected("");
    ASSERT_EQ(log.count(), 4);
    EXPECT_EQ(shown(0), "");
    EXPECT_EQ(shown(1), "same");
    EXPECT_EQ(shown(2), "same");
    EXPECT_EQ(shown(3), "");
}

TEST_F(LogViewTest, TextsOutsideAsciiAreShownAsWritten) {
    log.appendSelected("RUN process: /home/j\xc3\xbcrgen/\xe6\x97\xa5.avi");
    EXPECT_EQ(lines.data(lines.index(0)).toString(), QStringLiteral("RUN process: /home/jürgen/日.avi"));
}

TEST_F(LogViewTest, TheNewestLineScrollsIntoView) {
    show();
    for (int i = 0; i < 300; ++i) {
        log.appendSelected("line " + std::to_string(i));
        if (i % 50 == 49) {
            EXPECT_TRUE(newestInView()) << "after line " << i;
        }
    }
    EXPECT_GT(view.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
    EXPECT_FALSE(inView(0));
}

TEST_F(LogViewTest, AHiddenViewIsScrolledToTheNewestLineWhenShown) {
    appendLines(100);
    show();
    EXPECT_TRUE(newestInView());
    EXPECT_EQ(view.currentRow(), 99);
}

TEST_F(LogViewTest, RowsAreOneLineHighWhateverTheirText) {
    show();
    log.appendSelected("short");
    log.appendSelected(std::string(500, 'w'));
    log.appendSelected("");
    ASSERT_GT(view.rowHeight(), view.fontMetrics().height() - 1);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(view.visualRect(row).height(), view.rowHeight()) << row;
        EXPECT_EQ(view.visualRect(row).top(), row * view.rowHeight()) << row;
    }
    EXPECT_EQ(view.rowAt(QPoint(5, view.rowHeight() + 1)), 1);
    EXPECT_EQ(view.rowAt(QPoint(5, 3 * view.rowHeight() + 1)), -1) << "below the last row";
}

TEST_F(LogViewTest, ALineWiderThanTheViewCanBeScrolledTo) {
    show();
    log.appendSelected(std::string(300, 'w'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.horizontalScrollBar()->maximum() > 0; }, 5000));
    EXPECT_GE(view.horizontalScrollBar()->maximum() + view.viewport()->width(),
              view.fontMetrics().horizontalAdvance(QString(300, QLatin1Char('w'))));
}

// The user may look back: keys and clicks move the one selection, as in any list.
TEST_F(LogViewTest, KeysAndClicksMoveTheSelection) {
    show();
    appendLines(50);
    view.setFocus();
    struct Step {
        Qt::Key key;
        int row;
    };
    for (const Step& step :
         {Step{Qt::Key_Up, 48}, Step{Qt::Key_Up, 47}, Step{Qt::Key_Down, 48}, Step{Qt::Key_Home, 0},
          Step{Qt::Key_Up, 0}, Step{Qt::Key_End, 49}, Step{Qt::Key_Down, 49}}) {
        QTest::keyClick(&view, step.key);
        EXPECT_EQ(view.currentRow(), step.row) << "after key " << step.key;
        EXPECT_TRUE(inView(step.row)) << "after key " << step.key;
    }
    QTest::keyClick(&view, Qt::Key_Home);
    const QRect third = view.visualRect(2);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_EQ(view.currentRow(), 2);
    log.appendSelected("newest");
    EXPECT_EQ(view.currentRow(), 50) << "a new line takes the selection back";
    EXPECT_TRUE(newestInView());
}

TEST_F(LogViewTest, CtrlCCopiesTheSelectedLineAsShown) {
    show();
    log.appendSelected("12:00:00 (00:00:00) RUN process: /home/j\xc3\xbcrgen/a.avi");
    log.appendSelected("12:00:01 (00:00:01) FILE size:512");
    view.setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(&view, Qt::Key_Up);
    QTest::keySequence(&view, QKeySequence::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("12:00:00 (00:00:00) RUN process: /home/jürgen/a.avi"));
}

TEST(LogListViewCopyTest, NothingIsCopiedWithoutASelectedLine) {
    LogLineModel lines;
    LogListView view;
    view.setModel(&lines);
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    view.copyCurrentRow();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}

// The view paints its rows itself; assistive technology must still find them as the
// items of a list, with the selected one marked.
TEST_F(LogViewTest, AssistiveTechnologySeesTheLinesAsListItems) {
    show();
    appendLines(200);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), 200);

    QAccessibleInterface* newest = list->child(199);
    ASSERT_NE(newest, nullptr);
    EXPECT_EQ(newest->role(), QAccessible::ListItem);
    EXPECT_EQ(newest->text(QAccessible::Name), QStringLiteral("line 199"));
    EXPECT_TRUE(newest->state().selected);
    EXPECT_FALSE(newest->state().invisible);
    EXPECT_EQ(newest->parent(), list);
    EXPECT_EQ(list->indexOfChild(newest), 199);
    EXPECT_EQ(list->child(199), newest) << "the same line keeps its interface";
    EXPECT_EQ(QAccessible::uniqueId(newest), QAccessible::uniqueId(list->child(199)));

    QAccessibleInterface* first = list->child(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(QAccessible::Name), QStringLiteral("line 0"));
    EXPECT_FALSE(first->state().selected);
    EXPECT_TRUE(first->state().invisible) << "scrolled out of view";
    EXPECT_TRUE(first->rect().isEmpty());
    EXPECT_EQ(list->child(200), nullptr);
    EXPECT_EQ(list->child(-1), nullptr);

    const QRect where = newest->rect();
    ASSERT_FALSE(where.isEmpty());
    EXPECT_TRUE(list->rect().contains(where.center()));
    EXPECT_EQ(list->childAt(where.center().x(), where.center().y()), newest);

    view.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.hasFocus(); }, 5000));
    EXPECT_EQ(list->focusChild(), newest);
    EXPECT_TRUE(newest->state().focused);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(list->focusChild(), list->child(198));
    EXPECT_FALSE(newest->state().selected);
}

TEST(LogListViewAccessibleTest, LinesOfAnEarlierModelAreNotShownAgain) {
    LogLineModel before;
    before.append("old line");
    LogLineModel after;
    after.append("new line");
    LogListView view;
    view.setModel(&before);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->child(0), nullptr);
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), QStringLiteral("old line"));
    const QAccessible::Id oldLine = QAccessible::uniqueId(list->child(0));
    view.setModel(&after);
    ASSERT_NE(list->child(0), nullptr);
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), QStringLiteral("new line"));
    EXPECT_NE(QAccessible::uniqueId(list->child(0)), oldLine)
        << "a reader that remembers the old line's name by its id would read it again";
    view.setModel(nullptr);
    EXPECT_EQ(list->childCount(), 0);
    EXPECT_EQ(list->child(0), nullptr);
}

// What keeps a line as cheap at the millionth row as at the first: a paint asks only
// for the rows in view, and a new row asks for nothing.
class CountingModel : public QStringListModel {
public:
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole)
            ++asked;
        return QStringListModel::data(index, role);
    }
    mutable int asked = 0;
};

TEST(LogListViewTest, APaintAsksOnlyForTheRowsInView) {
    CountingModel model;
    model.setStringList(QStringList(20000, QStringLiteral("12:00:00 (00:00:00) FILE size:1234")));
    LogListView view;
    view.setModel(&model);
    view.resize(300, 120);
    view.setCurrentRow(19999);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const int rowsInView = view.viewport()->height() / view.rowHeight() + 1;
    model.asked = 0;
    view.viewport()->repaint();
    EXPECT_GT(model.asked, 0);
    EXPECT_LE(model.asked, rowsInView);

    model.asked = 0;
    model.insertRows(model.rowCount(), 1);
    view.setCurrentRow(model.rowCount() - 1);
    EXPECT_EQ(model.asked, 0) << "nothing is measured when a row comes";
    EXPECT_EQ(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
}

TEST_F(LogViewTest, ModelGivesNothingButDisplayTextsOfItsRows) {
    log.appendSelected("only");
    EXPECT_FALSE(lines.data(lines.index(0), Qt::DecorationRole).isValid());
    EXPECT_FALSE(lines.data(lines.index(1)).isValid());
    EXPECT_EQ(lines.rowCount(lines.index(0)), 0) << "a list has no children";
}

} // namespace
} // namespace quorbin
