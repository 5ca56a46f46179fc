#include "platform/qt/BadgeIcon.h"
#include "platform/qt/QtListBox.h"

#include <QAccessible>
#include <QImage>
#include <QListWidget>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace quorbin {
namespace {

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.resize(300, 200);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        box.onClick([this] { clicks.push_back(box.currentIndex()); });
    }

    // The names join the widget together, here when the event loop runs.
    void fill(const std::vector<std::string>& names) {
        for (const std::string& name : names)
            box.addSorted(name);
        QCoreApplication::processEvents();
    }

    std::vector<std::string> widgetTexts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < list.count(); ++i)
            texts.push_back(list.item(i)->text().toStdString());
        return texts;
    }

    std::vector<std::string> entries() const {
        std::vector<std::string> texts;
        for (int i = 0; i < box.count(); ++i)
            texts.push_back(box.entryText(i));
        return texts;
    }

    QRect checkBoxOf(int row) {
        QStyleOptionViewItem option;
        option.initFrom(list.viewport());
        option.rect = list.visualItemRect(list.item(row));
        option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        option.text = list.item(row)->text();
        return list.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list);
    }

    // A point on the entry's text, well right of its check box.
    QPoint textOf(int row) {
        const QRect rect = list.visualItemRect(list.item(row));
        return QPoint(rect.right() - 10, rect.center().y());
    }

    void clickAt(QPoint point) { QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, point); }

    QListWidget list;
    QtListBox box{list};
    std::vector<int> clicks;
};

TEST_F(ListBoxTest, KeepsEntriesSortedIgnoringCaseWhateverTheOrderOfAdding) {
    fill({"c.avi", "B.avi", "a.AVI", "b2.avi", "A0.avi", "Zeta.avi", "_x.avi", "alpha.avi"});
    // Folded to lower case, "_" comes before the letters (folded to upper case, after).
    EXPECT_EQ(entries(), (std::vector<std::string>{"_x.avi", "a.AVI", "A0.avi", "alpha.avi", "B.avi",
                                                   "b2.avi", "c.avi", "Zeta.avi"}));
}

TEST_F(ListBoxTest, NamesOutsideAsciiSortAsTheirCaseFoldedLetters) {
    fill({"\xc3\x84rger.avi", "Zebra.avi", "\xc3\xa4hnlich.avi", "apfel.avi", "\xc3\x89t\xc3\xa9.avi",
          "eau.avi"});
    // Folded, "\xc3\xa4" and "\xc3\xa9" come after every ASCII letter.
    EXPECT_EQ(entries(), (std::vector<std::string>{"apfel.avi", "eau.avi", "Zebra.avi", "\xc3\xa4hnlich.avi",
                                                   "\xc3\x84rger.avi", "\xc3\x89t\xc3\xa9.avi"}));
}

TEST_F(ListBoxTest, NamesAddedLaterGoInAmongTheEntriesBehindEqualOnes) {
    fill({"d.avi", "b.avi"});
    box.setCurrentIndex(1);
    for (const char* name : {"e.avi", "B.avi", "a.avi", "C.avi", "b.avi"})
        box.addSorted(name);
    EXPECT_EQ(entries(),
              (std::vector<std::string>{"a.avi", "b.avi", "B.avi", "b.avi", "C.avi", "d.avi", "e.avi"}));
    EXPECT_EQ(box.entryText(box.currentIndex()), "d.avi") << "the current entry moved down with its name";
    EXPECT_TRUE(clicks.empty());
}

// A pick is sorted in as a whole: reading through the adapter sees every name at once,
// and the widget shows them as soon as the event loop runs, with no reading at all.
TEST_F(ListBoxTest, AddedNamesAreSeenByTheNextReadingAndShownByTheEventLoop) {
    for (const char* name : {"c.avi", "a.avi", "b.avi"})
        box.addSorted(name);
    EXPECT_EQ(box.count(), 3);
    EXPECT_EQ(widgetTexts(), (std::vector<std::string>{"a.avi", "b.avi", "c.avi"}));

    box.clear();
    for (const char* name : {"z.avi", "y.avi"})
        box.addSorted(name);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.count() == 2; }, 5000));
    EXPECT_EQ(widgetTexts(), (std::vector<std::string>{"y.avi", "z.avi"}));
    EXPECT_TRUE(clicks.empty());
}

TEST_F(ListBoxTest, ClearForgetsNamesThatWereStillWaiting) {
    box.addSorted("a.avi");
    box.clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(list.count(), 0);
}

TEST_F(ListBoxTest, NamesEqualButForCaseKeepTheOrderInWhichTheyCame) {
    fill({"clip.avi", "CLIP.avi", "Clip.avi"});
    EXPECT_EQ(entries(), (std::vector<std::string>{"clip.avi", "CLIP.avi", "Clip.avi"}));
}

TEST_F(ListBoxTest, NewEntriesAreUnmarkedAndCheckable) {
    fill({"b.avi", "a.avi"});
    for (int i = 0; i < box.count(); ++i) {
        EXPECT_FALSE(box.isSelected(i));
        EXPECT_TRUE(list.item(i)->flags() & Qt::ItemIsUserCheckable);
        EXPECT_EQ(list.item(i)->checkState(), Qt::Unchecked);
    }
}

TEST_F(ListBoxTest, MarksAreTheCheckBoxes) {
    fill({"a.avi", "b.avi", "c.avi"});
    box.setSelected(1, true);
    EXPECT_EQ(list.item(1)->checkState(), Qt::Checked);
    EXPECT_EQ((std::vector<bool>{box.isSelected(0), box.isSelected(1), box.isSelected(2)}),
              (std::vector<bool>{false, true, false}));
    box.setSelected(1, false);
    EXPECT_FALSE(box.isSelected(1));
}

TEST_F(ListBoxTest, ChangesMadeByCodeNeverRunTheClickHandler) {
    fill({"b.avi", "c.avi"});
    box.setCurrentIndex(0);
    box.addSorted("a.avi"); // lands above the current entry, which moves down with it
    EXPECT_EQ(box.currentIndex(), 1);
    for (int i = 0; i < box.count(); ++i)
        box.setSelected(i, true);
    box.setCurrentIndex(2);
    box.setCurrentIndex(-1);
    box.setCurrentIndex(0);
    box.clear();
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.currentIndex(), -1);
    fill({"x.avi"});
    EXPECT_TRUE(clicks.empty());
}

TEST_F(ListBoxTest, ClickOnAnEntrysTextMakesItCurrentAndRunsTheHandlerOnce) {
    fill({"a.avi", "b.avi", "c.avi"});
    clickAt(textOf(2));
    EXPECT_EQ(box.currentIndex(), 2);
    EXPECT_EQ(clicks, std::vector<int>{2});
    EXPECT_FALSE(box.isSelected(2)) << "a click on the text leaves the mark alone";
    clickAt(textOf(2));
    EXPECT_EQ(clicks, std::vector<int>{2}) << "the entry was current already";
}

TEST_F(ListBoxTest, ClicksOnTheCheckBoxTickAndUntickTheEntry) {
    fill({"a.avi", "b.avi", "c.avi"});
    box.setCurrentIndex(1);
    clickAt(checkBoxOf(1).center());
    EXPECT_TRUE(box.isSelected(1));
    EXPECT_FALSE(box.isSelected(0));
    EXPECT_FALSE(box.isSelected(2));
    clickAt(checkBoxOf(1).center());
    EXPECT_FALSE(box.isSelected(1));
    // Each change of a mark by the user runs the handler, so the cursor can follow it.
    EXPECT_EQ(clicks, (std::vector<int>{1, 1}));
}

TEST_F(ListBoxTest, TickingAnotherEntryMakesItCurrentToo) {
    fill({"a.avi", "b.avi"});
    box.setCurrentIndex(0);
    clickAt(checkBoxOf(1).center());
    EXPECT_TRUE(box.isSelected(1));
    EXPECT_EQ(box.currentIndex(), 1);
    EXPECT_FALSE(clicks.empty());
    EXPECT_EQ(clicks.back(), 1);
}

TEST_F(ListBoxTest, KeysThatMoveTheCurrentEntryRunTheHandler) {
    fill({"a.avi", "b.avi", "c.avi"});
    box.setCurrentIndex(0);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(box.currentIndex(), 1);
    QTest::keyClick(&list, Qt::Key_End);
    EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_TRUE(box.isSelected(2)) << "space ticks the current entry";
}

TEST_F(ListBoxTest, AHandlerThatMovesTheCurrentEntryDoesNotRecurse) {
    fill({"a.avi", "b.avi", "c.avi"});
    box.setSelected(2, true);
    box.onClick([this] {
        clicks.push_back(box.currentIndex());
        box.setCurrentIndex(2); // as the cursor moves on to the next marked entry
    });
    clickAt(textOf(0));
    EXPECT_EQ(clicks, std::vector<int>{0});
    EXPECT_EQ(box.currentIndex(), 2);
}

TEST_F(ListBoxTest, OutOfRangeIndicesAreHarmless) {
    fill({"a.avi"});
    EXPECT_EQ(box.entryText(5), "");
    EXPECT_FALSE(box.isSelected(-1));
    box.setSelected(7, true);
    box.setCurrentIndex(3);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_TRUE(clicks.empty());
}

// A badge lives in its entry: it moves with it when names are sorted in above it (one of
// them still waiting when the badge is set), a screen reader reads it after the name, and
// the entry's text stays the bare name.
TEST_F(ListBoxTest, ABadgeStaysWithItsEntryAndIsReadOutAfterItsName) {
    fill({"b.avi", "d.avi"});
    box.addSorted("c.avi");
    box.setBadge(2, {EntryMark::failed, "exited with code 1", "Exited with code 1 after 00:01:05."});
    box.addSorted("a.avi");
    ASSERT_EQ(entries(), (std::vector<std::string>{"a.avi", "b.avi", "c.avi", "d.avi"}));
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&list);
    ASSERT_EQ(view->childCount(), 4);
    for (int row = 0; row < 4; ++row) {
        const bool badged = row == 3;
        const QListWidgetItem* item = list.item(row);
        EXPECT_EQ(item->icon().isNull(), !badged) << row;
        EXPECT_EQ(item->toolTip(), badged ? QStringLiteral("Exited with code 1 after 00:01:05.") : QString());
        EXPECT_EQ(view->child(row)->text(QAccessible::Name),
                  badged ? QStringLiteral("d.avi, exited with code 1") : item->text());
        EXPECT_EQ(view->child(row)->text(QAccessible::Description), item->toolTip()) << row;
    }
    box.setBadge(3, {});
    EXPECT_TRUE(list.item(3)->icon().isNull());
    EXPECT_TRUE(list.item(3)->toolTip().isEmpty());
    EXPECT_TRUE(clicks.empty()) << "a badge is no click";
}

// Each mark has a shape of its own, told apart without its colour.
TEST(BadgeIcons, EveryMarkHasADifferentShape) {
    std::set<std::vector<bool>> shapes;
    for (int mark = 1; mark <= static_cast<int>(EntryMark::outputOfOther); ++mark) {
        const QImage image = badgeIcon(static_cast<EntryMark>(mark)).pixmap(24, 24).toImage();
        std::vector<bool> covered;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                covered.push_back(qAlpha(image.pixel(x, y)) > 128);
        EXPECT_TRUE(shapes.insert(covered).second) << "mark " << mark;
    }
    EXPECT_TRUE(badgeIcon(EntryMark::none).isNull());
}

} // namespace
} // namespace quorbin
