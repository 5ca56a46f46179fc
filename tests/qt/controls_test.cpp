#include "platform/qt/QtButton.h"
#include "platform/qt/QtCaption.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace quorbin {
namespace {

TEST(ButtonAdapter, ClickRunsTheHandlerAndTheCaptionSwitches) {
    QPushButton widget(QStringLiteral("Pause"));
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QtButton button(widget);
    int clicks = 0;
    button.onClick([&] {
        ++clicks;
        button.setCaption(button.caption() == "Pause" ? "Continue" : "Pause");
    });
    QTest::mouseClick(&widget, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(widget.text(), QStringLiteral("Continue"));
    QTest::mouseClick(&widget, Qt::LeftButton);
    EXPECT_EQ(button.caption(), "Pause");
}

TEST(ButtonAdapter, NoHandlerMeansAClickDoesNothing) {
    QPushButton widget(QStringLiteral("Stop"));
    QtButton button(widget);
    widget.click();
    EXPECT_EQ(button.caption(), "Stop");
}

TEST(CaptionAdapter, ShowsTheTextItIsGiven) {
    QLabel label(QStringLiteral("00:00:00"));
    QtCaption caption(label);
    EXPECT_EQ(caption.caption(), "00:00:00");
    caption.setCaption("01:02:03");
    EXPECT_EQ(label.text(), QStringLiteral("01:02:03"));
    EXPECT_EQ(caption.caption(), "01:02:03");
}

} // namespace
} // namespace quorbin
