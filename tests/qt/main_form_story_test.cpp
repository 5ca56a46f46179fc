#include "app/MainForm.h"
#include "fakes/FakeServices.h"
#include "platform/TwipsConversion.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProcessControl.h"
#include "platform/posix/PosixTextCodec.h"
#include "platform/qt/QtFrontEnd.h"

#include "helpers/TempDir.h"

#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace quorbin {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The real window and the real core, with doubles only where a person would answer
// (message box, file dialog) and a clock the test holds still.
class MainFormStory : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(::getcwd(previousFolder_, sizeof previousFolder_), nullptr);
        ASSERT_EQ(::chdir(work_.path().c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(::chdir(previousFolder_), 0); }

    void start() {
        front_ = std::make_unique<QtFrontEnd>(QString::fromStdString(work_.file("quorbin.conf")));
        form_ = std::make_unique<MainForm>(front_->controls(), services_);
        form_->Form_Load();
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    }

    QtMainWindow& window() { return front_->window(); }

    std::vector<std::string> logLines() {
        std::vector<std::string> lines;
        for (int i = 0; i < window().logLines().rowCount(); ++i)
            lines.emplace_back(window().logLines().line(i));
        return lines;
    }

    static int px(int twips) { return twipsToPixels(twips, 96); }

    test::TempDir work_;
    test::FakeClock clock_{12 * 3600.0};
    PosixProcessControl processes_;
    PosixFileSystem files_;
    test::FakeMessageBox messages_;
    test::FakeFileDialog dialog_;
    test::FakeKeyboard keyboard_;
    test::FakeKeepAwake keepAwake_;
    QtSettingsStore settings_{QString::fromStdString(work_.file("quorbin.conf"))};
    PosixTextCodec text_;
    Services services_{processes_, clock_,    files_,     messages_, settings_,
                       dialog_,    keyboard_, keepAwake_, text_};
    std::unique_ptr<QtFrontEnd> front_;
    std::unique_ptr<MainForm> form_;

private:
    char previousFolder_[4096] = {};
};

TEST_F(MainFormStory, StartOnAnEmptyListLogsTheErrorAndAsksForTheMessage) {
    start();
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Quorbin"));
    messages_.shown.clear(); // the first start has no template to load, and says so
    QTest::mouseClick(&window().buttonStart(), Qt::LeftButton);

    const std::vector<std::string> expected{
        "12:00:00 (00:00:00) START",
        "12:00:00 (00:00:00) ERROR no AVI files selected",
        "12:00:00 (00:00:00) IDLE",
    };
    EXPECT_EQ(logLines(), expected);
    EXPECT_EQ(window().listLog().currentRow(), 2);
    EXPECT_EQ(contents(work_.path() / "quorbin.log"), "12:00:00 (00:00:00) START\r\n"
                                                      "12:00:00 (00:00:00) ERROR no AVI files selected\r\n"
                                                      "12:00:00 (00:00:00) IDLE\r\n");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "No AVI files are selected.");
    EXPECT_EQ(messages_.shown[0].title, "quorbin");
}

TEST_F(MainFormStory, FirstStartLaysOutTheRightColumnAndRemembersTheWidth) {
    start();
    for (QWidget* widget : std::vector<QWidget*>{
             &window().boxExe(), &window().boxCmdLine(), &window().boxScript(), &window().boxTemplate(),
             &window().boxVcf(), &window().listFiles(), &window().listLog()})
        EXPECT_EQ(widget->width(), px(8145 - 1740 - 20)) << widget->objectName().toStdString();
    EXPECT_EQ(window().pos(), QPoint(px(100), px(100)));
    EXPECT_EQ(window().BoxTimeout().text(), QStringLiteral("60"));

    window().resize(px(9000), window().height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().boxExe().width() == px(9000 - 1740 - 20); }, 5000));
    const std::string stored = settings_.read("window", "width").value_or("");
    EXPECT_EQ(stored, std::to_string(front_->controls().window.outerWidth()));

    // The next run starts with the stored width.
    form_.reset();
    front_.reset();
    start();
    EXPECT_EQ(std::to_string(front_->controls().window.outerWidth()), stored);
    EXPECT_EQ(window().boxExe().width(), px(9000 - 1740 - 20));
}

TEST_F(MainFormStory, TypedPathsAndTimeoutAreStoredAndRestored) {
    start();
    window().boxExe().setFocus();
    QTest::keyClicks(&window().boxExe(), QStringLiteral("/opt/vd"));
    window().BoxTimeout().selectAll();
    QTest::keyClicks(&window().BoxTimeout(), QStringLiteral("abc"));
    EXPECT_EQ(settings_.read("file", "exePath"), "/opt/vd");
    EXPECT_EQ(settings_.read("setting", "timeout"), "abc");
    form_.reset();
    front_.reset();
    start();
    EXPECT_EQ(window().boxExe().text(), QStringLiteral("/opt/vd"));
    EXPECT_EQ(window().BoxTimeout().text(), QStringLiteral("abc"));
}

TEST_F(MainFormStory, ChosenFilesAreListedSortedAllTickedAndTheFirstPrepared) {
    const fs::path clips = work_.path() / "clips";
    fs::create_directory(clips);
    for (const char* name : {"b.avi", "A.avi", "c.avi"})
        std::ofstream(clips / name) << "x";
    start();
    dialog_.choose({(clips / "b.avi").string(), (clips / "A.avi").string(), (clips / "c.avi").string()});
    QTest::mouseClick(&window().buttonSelectAvi(), Qt::LeftButton);

    QListWidget& list = window().listFiles();
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("A.avi"));
    EXPECT_EQ(list.item(1)->text(), QStringLiteral("b.avi"));
    EXPECT_EQ(list.item(2)->text(), QStringLiteral("c.avi"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.item(i)->checkState(), Qt::Checked);
    EXPECT_EQ(list.currentRow(), 0);
    EXPECT_EQ(fs::current_path(), clips);
    EXPECT_NE(window().boxCmdLine().toPlainText().indexOf(QStringLiteral("AP.avi")), -1);

    // The user moves to the second file: the previews follow.
    const QRect second = list.visualItemRect(list.item(1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(second.right() - 10, second.center().y()));
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_NE(window().boxCmdLine().toPlainText().indexOf(QStringLiteral("bP.avi")), -1);
}

// Closing the window during a batch lets the machine sleep again, and ends nothing else.
TEST_F(MainFormStory, ClosingTheWindowLetsGoOfTheMachine) {
    start();
    QTest::mouseClick(&window().buttonAbort(), Qt::LeftButton);
    EXPECT_EQ(keepAwake_.calls, std::vector<std::string>{"hold A batch is running"});
    window().close();
    EXPECT_EQ(keepAwake_.calls, (std::vector<std::string>{"hold A batch is running", "release"}));
    EXPECT_EQ(form_->state().mode, modeAbort);
}

TEST(StartUp, WithoutADisplayItSaysSoInOneLineAndExitsWithOne) {
    QProcess quorbin;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    quorbin.setProcessEnvironment(environment);
    quorbin.start(QStringLiteral(QUORBIN_EXE), {});
    ASSERT_TRUE(quorbin.waitForFinished(10000));
    EXPECT_EQ(quorbin.exitStatus(), QProcess::NormalExit) << "no abort";
    EXPECT_EQ(quorbin.exitCode(), 1);
    const QString error = QString::fromLocal8Bit(quorbin.readAllStandardError());
    EXPECT_EQ(error.count(QLatin1Char('\n')), 1) << error.toStdString();
    EXPECT_TRUE(error.startsWith(QStringLiteral("quorbin: no display"))) << error.toStdString();
}

} // namespace
} // namespace quorbin
