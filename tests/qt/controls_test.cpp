#include "platform/WhenDoneItems.h"
#include "platform/qt/QtButton.h"
#include "platform/qt/QtCaption.h"
#include "platform/qt/QtCountdownBox.h"
#include "platform/qt/QtFrontEnd.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

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

// Alt+B, W and S choose "Sleep" as a user does, and the core hears its number; the
// program's own setChosen moves the mark and runs nothing.
TEST(MenuControls, TheUsersChoiceRunsTheHandlerWithItsNumberAndTheProgramsRunsNothing) {
    QtFrontEnd front;
    front.window().show();
    front.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&front.window()));
    Controls controls = front.controls();
    std::vector<int> chosen;
    controls.menuWhenDone.onChoose([&](int item) { chosen.push_back(item); });
    EXPECT_EQ(controls.menuWhenDone.chosen(), doNothing);

    QTest::keyClick(&front.window(), Qt::Key_B, Qt::AltModifier);
    for (const Qt::Key key : {Qt::Key_W, Qt::Key_S}) {
        ASSERT_TRUE(QTest::qWaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }));
        QTest::keyClick(QApplication::activePopupWidget(), key);
    }
    EXPECT_EQ(chosen, std::vector<int>{sleepMachine});
    EXPECT_EQ(controls.menuWhenDone.chosen(), sleepMachine);

    controls.menuWhenDone.setChosen(doNothing);
    EXPECT_EQ(controls.menuWhenDone.chosen(), doNothing);
    EXPECT_EQ(chosen.size(), 1u);
    int opened = 0;
    controls.menuOpenLog.onClick([&] { ++opened; });
    front.window().menus().openLog().trigger();
    EXPECT_EQ(opened, 1);
}

// The core closes the window once its own handler has returned; it closes as by its close
// box: the close handler runs and the program's last window is gone.
TEST(WindowAdapter, CloseFromTheCoreRunsTheCloseHandlerAfterwardsAndEndsTheProgram) {
    QtFrontEnd front;
    front.window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&front.window()));
    int unloads = 0;
    Window& window = front.controls().window;
    window.onClose([&] { ++unloads; });
    window.close();
    EXPECT_EQ(unloads, 0) << "not in the middle of the caller";
    QTimer never;
    QObject::connect(&never, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    never.start(10000);
    EXPECT_EQ(QApplication::exec(), 0) << "the program ends with its window";
    EXPECT_EQ(unloads, 1);
}

TEST(CountdownBoxAdapter, CancelAndTheCloseBoxRunTheHandlerAndCloseFromCodeDoesNot) {
    QWidget window;
    QtCountdownBox countdown(&window);
    int cancels = 0;
    countdown.onCancel([&] { ++cancels; });
    countdown.show("The machine will go to sleep in 60 seconds.");
    countdown.show("The machine will go to sleep in 59 seconds.");
    QMessageBox* box = countdown.box();
    ASSERT_TRUE(box && box->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("The machine will go to sleep in 59 seconds."));
    EXPECT_EQ(box->windowModality(), Qt::NonModal);
    countdown.close();
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(cancels, 0);

    countdown.show("again");
    box->button(QMessageBox::Cancel)->click();
    EXPECT_EQ(cancels, 1);
    countdown.show("again");
    box->close(); // the close box
    EXPECT_EQ(cancels, 2);
    EXPECT_FALSE(box->isVisible());
}

} // namespace
} // namespace quorbin
