#include "platform/qt/QtLineEditBox.h"
#include "platform/qt/QtPlainTextBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace quorbin {
namespace {

// Both kinds of box behind one face, so that each rule is checked on both.
struct BoxUnderTest {
    std::unique_ptr<QWidget> widget;
    std::unique_ptr<TextBox> box;
    std::vector<std::string> seen; // the box's text as each handler call saw it
};

std::unique_ptr<BoxUnderTest> makeBox(bool multiLine) {
    auto made = std::make_unique<BoxUnderTest>();
    if (multiLine) {
        auto edit = std::make_unique<QPlainTextEdit>();
        made->box = std::make_unique<QtPlainTextBox>(*edit);
        made->widget = std::move(edit);
    } else {
        auto edit = std::make_unique<QLineEdit>();
        made->box = std::make_unique<QtLineEditBox>(*edit);
        made->widget = std::move(edit);
    }
    BoxUnderTest* raw = made.get();
    made->box->onChange([raw] { raw->seen.push_back(raw->box->text()); });
    return made;
}

void typeAtEnd(QWidget& widget, const char* keys) {
    if (auto* plain = qobject_cast<QPlainTextEdit*>(&widget))
        plain->moveCursor(QTextCursor::End);
    if (auto* line = qobject_cast<QLineEdit*>(&widget))
        line->end(false);
    QTest::keyClicks(&widget, QString::fromLatin1(keys));
}

class TextBoxKinds : public ::testing::TestWithParam<bool> {};

TEST_P(TextBoxKinds, SettingADifferentTextRunsTheHandlerOnceBeforeReturning) {
    auto made = makeBox(GetParam());
    made->box->setText("C:/video/first.avi");
    ASSERT_EQ(made->seen, std::vector<std::string>{"C:/video/first.avi"});
    made->box->setText("second");
    EXPECT_EQ(made->seen, (std::vector<std::string>{"C:/video/first.avi", "second"}));
    EXPECT_EQ(made->box->text(), "second");
}

TEST_P(TextBoxKinds, SettingTheSameTextRunsNothing) {
    auto made = makeBox(GetParam());
    made->box->setText("");
    EXPECT_TRUE(made->seen.empty()) << "a new box is empty already";
    made->box->setText("same");
    made->box->setText("same");
    EXPECT_EQ(made->seen.size(), 1u);
}

TEST_P(TextBoxKinds, EveryKeystrokeOfTheUserRunsTheHandler) {
    auto made = makeBox(GetParam());
    made->box->setText("ab");
    made->seen.clear();
    typeAtEnd(*made->widget, "cd");
    EXPECT_EQ(made->seen, (std::vector<std::string>{"abc", "abcd"}));
    QTest::keyClick(made->widget.get(), Qt::Key_Backspace);
    EXPECT_EQ(made->seen.back(), "abc");
}

TEST_P(TextBoxKinds, TextsOutsideAsciiSurviveTheRoundTrip) {
    auto made = makeBox(GetParam());
    const std::string text = "/home/j\xc3\xbcrgen/Gr\xc3\xbc\xc3\x9f"
                             "e \xe6\x97\xa5\xe6\x9c\xac.avi";
    made->box->setText(text);
    EXPECT_EQ(made->box->text(), text);
}

// A warning is a look and a tooltip alone: the font and the text stay, a second note keeps
// the tint it has, and an empty note brings the normal look back.
TEST_P(TextBoxKinds, AWarningTintsTheBoxUntilAnEmptyNoteTakesItAway) {
    auto made = makeBox(GetParam());
    QWidget& widget = *made->widget;
    QFont bold = widget.font();
    bold.setBold(true);
    widget.setFont(bold);
    made->box->setText("abc");
    const QColor normal = widget.palette().color(QPalette::Base);
    made->box->setWarning("reads as 0 minutes");
    const QColor warned = widget.palette().color(QPalette::Base);
    made->box->setWarning("reads as 0 minutes still");
    EXPECT_NE(warned, normal);
    EXPECT_EQ(widget.palette().color(QPalette::Base), warned);
    EXPECT_EQ(widget.toolTip(), QStringLiteral("reads as 0 minutes still"));
    EXPECT_TRUE(widget.font().bold());
    EXPECT_EQ(made->box->text(), "abc");
    EXPECT_EQ(made->seen.size(), 1u) << "a warning is no change of the text";
    made->box->setWarning("");
    EXPECT_EQ(widget.palette().color(QPalette::Base), normal);
    EXPECT_TRUE(widget.toolTip().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(OneLineAndMultiLine, TextBoxKinds, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "multiLine" : "oneLine"; });

TEST(MultiLineBox, CarriesTheTextSetFromCodeByteForByte) {
    const std::vector<std::string> texts{
        "a\r\nb\r\n",                // the platform's own line ends
        "a\nb\n",                    // a template written elsewhere
        "mixed\r\nline\nends\rhere", //
        "trailing blank lines\r\n\r\n\r\n",
        "\xe9t\xe9 in Latin-1 bytes", // not UTF-8: passes untouched while nobody edits
        std::string("nul\0inside", 10),
        "tab\tand\xc2\xa0non-breaking space",
    };
    for (const std::string& text : texts) {
        auto made = makeBox(true);
        made->box->setText(text);
        EXPECT_EQ(made->box->text(), text) << text;
        EXPECT_EQ(made->seen, std::vector<std::string>{text});
    }
}

TEST(MultiLineBox, AfterAUserEditLineEndsAreThoseOfTheTextOrCrLf) {
    struct Case {
        std::string set;
        std::string afterTypingX;
    };
    const std::vector<Case> cases{
        {"a\r\nb", "a\r\nbX"},     {"a\nb", "a\nbX"},         {"lf\nonly\n", "lf\nonly\nX"},
        {"a\rb\n", "a\r\nb\r\nX"}, {"no break", "no breakX"}, {"keeps\xc2\xa0nbsp", "keeps\xc2\xa0nbspX"},
    };
    for (const Case& c : cases) {
        auto made = makeBox(true);
        made->box->setText(c.set);
        typeAtEnd(*made->widget, "X");
        EXPECT_EQ(made->box->text(), c.afterTypingX) << c.set;
        EXPECT_EQ(made->seen.back(), c.afterTypingX) << "the handler sees the edited text";
    }
}

TEST(MultiLineBox, ALineBreakTypedByTheUserIsCrLf) {
    auto made = makeBox(true);
    made->box->setText("first");
    made->widget->setFocus();
    typeAtEnd(*made->widget, "");
    QTest::keyClick(made->widget.get(), Qt::Key_Return);
    QTest::keyClicks(made->widget.get(), QStringLiteral("second"));
    EXPECT_EQ(made->box->text(), "first\r\nsecond");

    // In a text written with LF line ends a new line ends in LF like the others.
    made->box->setText("one\ntwo");
    typeAtEnd(*made->widget, "");
    QTest::keyClick(made->widget.get(), Qt::Key_Return);
    QTest::keyClicks(made->widget.get(), QStringLiteral("three"));
    EXPECT_EQ(made->box->text(), "one\ntwo\nthree");
}

TEST(MultiLineBox, CodeTakesOverAgainAfterAUserEdit) {
    auto made = makeBox(true);
    made->box->setText("a\r\nb");
    typeAtEnd(*made->widget, "c");
    ASSERT_EQ(made->box->text(), "a\r\nbc");
    const std::size_t calls = made->seen.size();
    made->box->setText("a\r\nbc"); // what the box shows already
    EXPECT_EQ(made->seen.size(), calls);
    made->box->setText("x\ny");
    EXPECT_EQ(made->box->text(), "x\ny");
    EXPECT_EQ(made->seen.size(), calls + 1);
}

TEST(MultiLineBox, AHandlerThatSetsTheTextAgainDoesNotLoop) {
    QPlainTextEdit edit;
    QtPlainTextBox box(edit);
    int calls = 0;
    box.onChange([&] {
        ++calls;
        box.setText("settled");
    });
    box.setText("first");
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(box.text(), "settled");
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("settled"));
}

} // namespace
} // namespace quorbin
