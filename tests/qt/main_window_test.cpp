#include "helpers/DesignedWindow.h"
#include "platform/TwipsConversion.h"
#include "platform/qt/QtFrontEnd.h"

#include <QAccessible>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef QUORBIN_TEST_FONT_DPI
#define QUORBIN_TEST_FONT_DPI 0
#endif

namespace quorbin {
namespace {

constexpr double expectedDpi = QUORBIN_TEST_FONT_DPI != 0 ? QUORBIN_TEST_FONT_DPI : 96;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(window.logicalDpiX(), expectedDpi); }

    QWidget& control(const char* name) {
        auto* found = window.findChild<QWidget*>(QString::fromLatin1(name));
        if (found == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *found;
    }

    void showActive() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    static int px(int twips) { return test::designPixels(twips, static_cast<int>(expectedDpi)); }

    QtFrontEnd front;
    QtMainWindow& window = front.window();
};

const std::vector<test::DesignedControl> designed = test::designedControls();

// The client area is the part under the menu bar: the controls' places are measured in it,
// before and after the window is shown.
TEST_F(MainWindowTest, EveryControlSitsAtItsDesignedPlaceAtTheScreensDensity) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorbin"));
    for (const bool shown : {false, true}) {
        if (shown)
            showActive();
        const int menuHeight = window.menus().height();
        EXPECT_GT(menuHeight, 0);
        EXPECT_EQ(window.clientArea().geometry(),
                  QRect(0, menuHeight, px(test::designedClientWidth), px(test::designedClientHeight)))
            << shown;
        EXPECT_EQ(window.size(),
                  QSize(px(test::designedClientWidth), px(test::designedClientHeight) + menuHeight));
        for (const test::DesignedControl& d : designed) {
            EXPECT_EQ(control(d.name).geometry(), QRect(px(d.left), px(d.top), px(d.width), px(d.height)))
                << d.name;
            EXPECT_TRUE(control(d.name).isVisibleTo(&window)) << d.name;
        }
    }
    EXPECT_EQ(window.clientArea().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(),
              static_cast<qsizetype>(designed.size()));
}

TEST_F(MainWindowTest, AtNinetySixDotsPerInchFifteenTwipsMakeAPixel) {
    if (expectedDpi != 96)
        GTEST_SKIP() << "this program runs at " << expectedDpi << " DPI";
    EXPECT_EQ(window.clientArea().size(), QSize(543, 592));
    EXPECT_EQ(control("boxExe").geometry(), QRect(116, 8, 407, 21));
    EXPECT_EQ(control("boxTemplate").geometry(), QRect(116, 72, 405, 67));
    EXPECT_EQ(control("BoxTimeout").geometry(), QRect(20, 530, 77, 25));
    EXPECT_EQ(control("listLog").geometry(), QRect(116, 410, 407, 160));
    // A width that is no whole number of pixels goes to the nearest: 6398 twips are
    // 426.53 pixels.
    front.controls().window.setControlWidth(SizedControl::boxExe, 6398);
    EXPECT_EQ(control("boxExe").width(), 427);
}

TEST_F(MainWindowTest, AtTwiceTheDensityEveryLengthDoubles) {
    if (expectedDpi != 192)
        GTEST_SKIP() << "this program runs at " << expectedDpi << " DPI";
    EXPECT_EQ(window.clientArea().size(), QSize(1086, 1184));
    EXPECT_EQ(control("boxExe").geometry(), QRect(232, 16, 814, 42));
    EXPECT_EQ(control("BoxTimeout").geometry(), QRect(40, 1060, 154, 50));
}

TEST_F(MainWindowTest, CaptionsAndInitialTexts) {
    const std::vector<std::pair<const char*, const char*>> buttons{
        {"buttonSelectAvi", "Select AVI"},
        {"buttonSelectExe", "Select EXE"},
        {"buttonSelectVcf", "Select VCF"},
        {"buttonStart", "Start"},
        {"buttonLoadAvs", "Load AVS"},
        {"buttonAbort", "Abort"},
        {"buttonPause", "Pause"},
        {"buttonSaveAvs", "Save AVS"},
        {"buttonStop", "Stop"},
    };
    for (const auto& [name, caption] : buttons) {
        auto& button = static_cast<QPushButton&>(control(name));
        EXPECT_EQ(button.text(), QString::fromLatin1(caption));
        EXPECT_FALSE(button.autoDefault()) << name << ": no default button";
        EXPECT_FALSE(button.isDefault()) << name;
    }
    EXPECT_EQ(window.BoxTimeout().text(), QStringLiteral("60"));
    EXPECT_EQ(window.labelTime().text(), QStringLiteral("00:00:00"));
    EXPECT_TRUE(window.boxExe().text().isEmpty());
    EXPECT_TRUE(window.boxVcf().text().isEmpty());
    EXPECT_TRUE(window.boxTemplate().toPlainText().isEmpty());
    EXPECT_EQ(window.listFiles().count(), 0);
    EXPECT_EQ(window.logLines().rowCount(), 0);
}

TEST_F(MainWindowTest, PresentationOfBoxesAndLists) {
    EXPECT_TRUE(window.BoxTimeout().alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(window.labelTime().alignment() & Qt::AlignHCenter);
    for (QPlainTextEdit* box : {&window.boxCmdLine(), &window.boxScript(), &window.boxTemplate()}) {
        EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn) << box->objectName().toStdString();
        EXPECT_FALSE(box->isReadOnly());
        EXPECT_TRUE(box->tabChangesFocus());
    }
    EXPECT_EQ(window.boxCmdLine().lineWrapMode(), QPlainTextEdit::WidgetWidth) << "long command lines wrap";
    EXPECT_EQ(window.listLog().model(), &window.logLines());
    EXPECT_EQ(window.listLog().currentRow(), -1) << "nothing selected in an empty log";
    EXPECT_TRUE(window.listLog().focusPolicy() & Qt::TabFocus) << "the log is in the tab chain";
    EXPECT_EQ(window.listFiles().selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_FALSE(window.listFiles().isSortingEnabled()) << "the adapter keeps the order, not Qt's sort";
}

// A screen reader has a name to say for every control: a button's caption, or the
// name given to a control that has no caption.
TEST_F(MainWindowTest, EveryControlHasANameForAssistiveTechnology) {
    QStringList names;
    for (const test::DesignedControl& d : designed) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(&this->control(d.name));
        ASSERT_NE(control, nullptr) << d.name;
        const QString name = control->text(QAccessible::Name);
        EXPECT_FALSE(name.trimmed().isEmpty()) << d.name;
        EXPECT_FALSE(names.contains(name)) << d.name << " has the name of another control";
        names << name;
    }
}

// Whether every letter takes the same width, as on a typewriter: fontconfig does not
// mark every monospaced face as such, so the widths themselves are compared.
bool evenlySpaced(const QFont& font) {
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W'));
}

TEST_F(MainWindowTest, FontsResolveToBoldTwelvePointAndFixedPitchNinePoint) {
    for (QWidget* widget :
         {static_cast<QWidget*>(&window.BoxTimeout()), static_cast<QWidget*>(&window.labelTime())}) {
        const QFontInfo info(widget->font());
        EXPECT_TRUE(info.bold()) << widget->objectName().toStdString();
        EXPECT_NEAR(info.pointSizeF(), 12.0, 0.5) << widget->objectName().toStdString();
        EXPECT_FALSE(evenlySpaced(widget->font())) << "a sans-serif, not the fallback of last resort";
    }
    for (QWidget* widget : {&window.boxScript(), &window.boxTemplate()}) {
        const QFontInfo info(widget->font());
        EXPECT_TRUE(evenlySpaced(widget->font()))
            << widget->objectName().toStdString() << " got " << info.family().toStdString();
        EXPECT_NEAR(info.pointSizeF(), 9.0, 0.5);
        EXPECT_FALSE(info.bold());
    }
    EXPECT_FALSE(evenlySpaced(window.boxCmdLine().font())) << "the window's default font";
}

TEST_F(MainWindowTest, TabWalksTheControlsInTheirDesignedOrder) {
    showActive();
    window.buttonSelectAvi().setFocus();
    std::vector<std::string> visited{QApplication::focusWidget()->objectName().toStdString()};
    for (std::size_t i = 0; i < designed.size() - 1; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    std::vector<std::string> expected;
    for (const test::DesignedControl& d : designed)
        if (std::string(d.name) != "labelTime") // a label takes no focus
            expected.push_back(d.name);
    expected.push_back("buttonSelectAvi"); // and round again
    EXPECT_EQ(visited, expected);
}

TEST_F(MainWindowTest, TheTimerTicksEveryHalfSecondOnceStarted) {
    EXPECT_EQ(window.timerTimer().interval(), 500);
    EXPECT_FALSE(window.timerTimer().isActive());
    int ticks = 0;
    front.startTimer([&] { ++ticks; });
    EXPECT_TRUE(window.timerTimer().isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 5000));
}

// The window as the core sees it, through the adapter.
class WindowAdapterTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        geometry.onResize([this] { resizes.push_back(geometry.innerWidth()); });
    }

    int frame() const {
        const QMargins margins = window.windowHandle()->frameMargins();
        return margins.left() + margins.right();
    }

    static int twips(int pixels) { return pixelsToTwips(pixels, expectedDpi); }

    Window& geometry = front.controls().window;
    std::vector<int> resizes;
};

TEST_F(WindowAdapterTest, WidthsAreInTwipsAndTheOuterOneHasTheFrame) {
    EXPECT_EQ(geometry.innerWidth(), 8145);
    EXPECT_EQ(geometry.outerWidth(), 8145 + twips(frame()));
    EXPECT_EQ(geometry.screenWidth(), twips(window.screen()->availableGeometry().width()));
    EXPECT_GT(geometry.minimumOuterWidth(), 0);
    EXPECT_LT(geometry.minimumOuterWidth(), 1840) << "narrow widths reach the layout's own guard";
    showActive();
    EXPECT_EQ(geometry.outerWidth(), twips(window.frameGeometry().width())) << "the frame Qt shows";
}

TEST_F(WindowAdapterTest, SettingTheWidthBeforeShowRunsTheHandlerAtOnce) {
    const int outer = geometry.outerWidth() + 1500;
    geometry.setOuterWidth(outer);
    ASSERT_EQ(resizes, std::vector<int>{8145 + 1500});
    EXPECT_EQ(geometry.outerWidth(), outer);
    EXPECT_EQ(window.clientArea().height(), px(8880)) << "the height stays as designed";
    geometry.setOuterWidth(outer);
    EXPECT_EQ(resizes.size(), 1u) << "the same width changes nothing";
    showActive();
    // The resize event that Qt kept back until the window was shown arrives now.
    EXPECT_EQ(resizes.back(), 8145 + 1500);
    EXPECT_EQ(geometry.outerWidth(), outer);
}

TEST_F(WindowAdapterTest, SettingTheWidthOfAShownWindowRunsTheHandlerOnceAndTheWidthStays) {
    showActive();
    resizes.clear();
    const int outer = geometry.outerWidth() - 3000;
    geometry.setOuterWidth(outer);
    EXPECT_EQ(resizes, std::vector<int>{8145 - 3000});
    QCoreApplication::processEvents();
    EXPECT_EQ(geometry.outerWidth(), outer) << "the window system's late answer keeps it";
    EXPECT_EQ(geometry.innerWidth(), 8145 - 3000);
}

TEST_F(WindowAdapterTest, HeightChangesAndMinimisingRunTheHandlerToo) {
    showActive();
    resizes.clear();
    window.resize(window.width(), window.height() + 30);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !resizes.empty(); }, 5000));
    EXPECT_EQ(resizes.back(), 8145);
    resizes.clear();
    window.showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !resizes.empty(); }, 5000));
    EXPECT_EQ(resizes.back(), 0) << "a minimised window is 0 wide inside";
    EXPECT_EQ(geometry.innerWidth(), 0);
    resizes.clear();
    window.showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !resizes.empty() && resizes.back() == 8145; }, 5000));
}

TEST_F(WindowAdapterTest, MovesTheFrameAndSizesOneControlAtATime) {
    geometry.moveTo(1500, 3000);
    EXPECT_EQ(window.pos(), QPoint(px(1500), px(3000)));
    const QRect script = window.boxScript().geometry();
    geometry.setControlWidth(SizedControl::listLog, 6385);
    EXPECT_EQ(window.listLog().geometry(), QRect(px(1740), px(6150), px(6385), px(2400)));
    EXPECT_EQ(window.boxScript().geometry(), script);
    const std::vector<std::pair<SizedControl, QWidget*>> sized{
        {SizedControl::boxExe, &window.boxExe()},       {SizedControl::boxCmdLine, &window.boxCmdLine()},
        {SizedControl::boxScript, &window.boxScript()}, {SizedControl::boxTemplate, &window.boxTemplate()},
        {SizedControl::boxVcf, &window.boxVcf()},       {SizedControl::listFiles, &window.listFiles()},
        {SizedControl::listLog, &window.listLog()},
    };
    for (const auto& [which, widget] : sized) {
        geometry.setControlWidth(which, 85);
        EXPECT_EQ(widget->width(), px(85)) << widget->objectName().toStdString();
    }
}

} // namespace
} // namespace quorbin
