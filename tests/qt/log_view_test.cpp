#include "platform/qt/LogLineModel.h"
#include "platform/qt/QtLogView.h"

#include <QListView>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace quorbin {
namespace {

class LogViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.setModel(&lines);
        view.setUniformItemSizes(true);
        view.setSelectionMode(QAbstractItemView::SingleSelection);
        view.resize(300, 120);
    }

    void show() {
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    std::string shown(int row) const { return lines.data(lines.index(row)).toString().toStdString(); }

    bool newestInView() {
        const QRect rect = view.visualRect(lines.index(lines.rowCount() - 1));
        return view.viewport()->rect().contains(rect);
    }

    LogLineModel lines;
    QListView view;
    QtLogView log{view, lines};
};

TEST_F(LogViewTest, LinesComeInOrderAndTheNewestIsTheOneSelected) {
    show();
    log.appendSelected("12:00:00 (00:00:00) START");
    log.appendSelected("12:00:00 (00:00:00) ERROR no AVI files selected");
    log.appendSelected("12:00:00 (00:00:00) IDLE");
    ASSERT_EQ(log.count(), 3);
    EXPECT_EQ(shown(0), "12:00:00 (00:00:00) START");
    EXPECT_EQ(shown(2), "12:00:00 (00:00:00) IDLE");
    EXPECT_EQ(view.currentIndex().row(), 2);
    const QModelIndexList selected = view.selectionModel()->selectedIndexes();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.front().row(), 2);
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
}

TEST_F(LogViewTest, AHiddenViewIsScrolledToTheNewestLineWhenShown) {
    for (int i = 0; i < 100; ++i)
        log.appendSelected("line " + std::to_string(i));
    show();
    EXPECT_TRUE(newestInView());
}

TEST_F(LogViewTest, ModelGivesNothingButDisplayTextsOfItsRows) {
    log.appendSelected("only");
    EXPECT_FALSE(lines.data(lines.index(0), Qt::DecorationRole).isValid());
    EXPECT_FALSE(lines.data(lines.index(1)).isValid());
    EXPECT_EQ(lines.rowCount(lines.index(0)), 0) << "a list has no children";
}

} // namespace
} // namespace quorbin
