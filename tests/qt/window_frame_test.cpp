// The window's place at start-up and its width across restarts on a real X server,
// framed by a real window manager and bare. Each test program has its own Xvfb; the framed cases start
// openbox on it with a theme of a known frame.
#include "app/MainForm.h"
#include "fakes/FakeServices.h"
#include "platform/TwipsConversion.h"
#include "platform/qt/QtFrontEnd.h"
#include "qt/WindowManager.h"
#include "qt/XWindowProbe.h"
#include "x11/XvfbServer.h"

#include "helpers/TempDir.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quorbin {
namespace {

using test::WindowManager;
using test::XWindowProbe;

constexpr int waitMilliseconds = 5000;

// The X server, the private folders and the QApplication of the whole program: Qt
// connects to its display once, so the server comes first and goes last.
class X11Environment : public ::testing::Environment {
public:
    static X11Environment* instance;

    void SetUp() override {
        ASSERT_TRUE(server_.start({"-screen", "0", "1600x1200x24"})) << "Xvfb: " << server_.error();
        const std::filesystem::path runtime = folders_.path() / "runtime";
        std::filesystem::create_directory(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        std::filesystem::create_directory(folders_.path() / "config");
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folders_.path() / "config").c_str(), 1);
        ::setenv("DISPLAY", server_.displayName().c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        // Nothing runs a session bus for this display; left to look for one, libdbus
        // tries to start one for it, and loses memory when that fails.
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override {
        app_.reset();
        server_.stop();
    }

    const std::string& displayName() const { return server_.displayName(); }

private:
    test::XvfbServer server_;
    test::TempDir folders_;
    std::unique_ptr<QApplication> app_;
    int argc_ = 1;
    char name_[24] = "quorbin-frame-test";
    char* argv_[2] = {name_, nullptr};
};

X11Environment* X11Environment::instance =
    static_cast<X11Environment*>(::testing::AddGlobalTestEnvironment(new X11Environment));

// Keeps every width the core stores, on its way to the real store.
class WidthRecorder final : public SettingsStore {
public:
    explicit WidthRecorder(SettingsStore& store) : store_(store) {}
    std::optional<std::string> read(const std::string& section, const std::string& key) const override {
        return store_.read(section, key);
    }
    Result<void> write(const std::string& section, const std::string& key,
                       const std::string& value) override {
        if (section == "window" && key == "width")
            widths.push_back(std::stoi(value));
        return store_.write(section, key, value);
    }
    std::vector<int> widths;

private:
    SettingsStore& store_;
};

struct Screen {
    const char* name;
    bool windowManager;
};

void PrintTo(const Screen& screen, std::ostream* out) {
    *out << screen.name;
}

// One run of the program as a person has it: start-up, a look at the window, one drag
// of its edge, and the end of the program.
class WindowOnScreen : public ::testing::TestWithParam<Screen> {
protected:
    void SetUp() override {
        if (GetParam().windowManager) {
            ASSERT_TRUE(manager_.start(display())) << manager_.error();
        }
        ASSERT_TRUE(probe_.open(display()));
    }

    static const std::string& display() { return X11Environment::instance->displayName(); }

    void start() {
        front_ = std::make_unique<QtFrontEnd>(QString::fromStdString(work_.file("quorbin.conf")));
        recorder_ = std::make_unique<WidthRecorder>(front_->settings());
        form_ = std::make_unique<MainForm>(front_->controls(),
                                           Services{processes_, clock_, files_, messages_, *recorder_,
                                                    dialog_, keyboard_, keepAwake_, text_});
        form_->Form_Load();
        window().show();
        ASSERT_TRUE(settled()) << "the window never settled on the screen: " << state();
    }

    void quit() {
        form_.reset();
        recorder_.reset();
        front_.reset();
    }

    // The window has settled once it is on the screen (framed, where there is a window
    // manager), the server has carried out the last resize that Qt asked for, and the
    // window tells the core the outer width that the screen shows.
    bool settled() {
        return QTest::qWaitFor(
            [&] {
                const auto shown = probe_.shown(windowId());
                const bool framed = !GetParam().windowManager || probe_.framed(windowId());
                return framed && shown && window().windowHandle()->isExposed() &&
                       shown->inner == window().width() &&
                       std::abs(px(front_->controls().window.outerWidth()) - shown->outer) <= 1;
            },
            waitMilliseconds);
    }

    std::string state() {
        const auto shown = probe_.shown(windowId());
        return std::string(shown ? "mapped" : "not mapped") + (probe_.framed(windowId()) ? ", framed" : "") +
               (window().windowHandle()->isExposed() ? ", exposed" : "") + ", " +
               std::to_string(shown ? shown->inner : 0) + " pixels wide on the server and " +
               std::to_string(window().width()) + " in Qt, " + std::to_string(shown ? shown->outer : 0) +
               " outside on the server and " + std::to_string(px(front_->controls().window.outerWidth())) +
               " to the core";
    }

    void dragRightEdgeTo(int innerWidth) {
        if (GetParam().windowManager)
            probe_.resizeThroughWindowManager(windowId(), innerWidth);
        else
            probe_.resizeDirectly(windowId(), innerWidth, window().height());
        ASSERT_TRUE(QTest::qWaitFor([&] { return window().width() == innerWidth; }, waitMilliseconds))
            << "the window never took the width " << innerWidth << "; it is " << window().width();
        ASSERT_TRUE(settled());
    }

    XWindowProbe::Shown onScreen() { return probe_.shown(windowId()).value_or(XWindowProbe::Shown{}); }
    unsigned long windowId() { return static_cast<unsigned long>(window().winId()); }
    QtMainWindow& window() { return front_->window(); }
    int storedWidth() { return std::stoi(front_->settings().read("window", "width").value_or("0")); }
    int px(int twips) { return twipsToPixels(twips, window().logicalDpiX()); }
    // The right column ends 20 twips inside the window's right edge.
    int layoutWidth() { return px(pixelsToTwips(window().width(), window().logicalDpiX()) - 1740 - 20); }

    WindowManager manager_;
    XWindowProbe probe_;
    test::TempDir work_;
    test::FakeProcesses processes_;
    test::FakeClock clock_;
    test::FakeFileSystem files_;
    test::FakeMessageBox messages_;
    test::FakeFileDialog dialog_;
    test::FakeKeyboard keyboard_;
    test::FakeKeepAwake keepAwake_;
    test::FakeTextCodec text_;
    std::unique_ptr<QtFrontEnd> front_;
    std::unique_ptr<WidthRecorder> recorder_;
    std::unique_ptr<MainForm> form_;
};

// Closed at an outer width, the window opens at that outer width the next time, and
// a drag stores the outer width that the screen shows; no session adds the frame once
// more.
TEST_P(WindowOnScreen, TheStoredOuterWidthIsTheOneTheWindowOpensAt) {
    constexpr int firstWidth = 9000; // twips: 600 pixels at 96 DPI, wider than designed
    {
        QtSettingsStore store(QString::fromStdString(work_.file("quorbin.conf")));
        ASSERT_TRUE(store.write("window", "width", std::to_string(firstWidth)));
    }
    const std::vector<int> drags{45, -30, 20}; // pixels added by each session's drag
    int closedAt = firstWidth;
    for (std::size_t session = 0; session < drags.size(); ++session) {
        SCOPED_TRACE("session " + std::to_string(session + 1));
        ASSERT_NO_FATAL_FAILURE(start());
        const XWindowProbe::Shown opened = onScreen();
        const int frame = GetParam().windowManager ? 2 * WindowManager::sideFramePixels : 0;
        ASSERT_EQ(opened.outer - opened.inner, frame) << "the frame the screen shows";
        EXPECT_NEAR(opened.outer, px(closedAt), 1) << "the window opens at the outer width it was closed at";
        for (const int written : recorder_->widths)
            EXPECT_NEAR(px(written), opened.outer, 1) << "a width stored during start-up";
        EXPECT_LE(recorder_->widths.size(), 3u) << "restore, first show and the frame: no resize loop";
        EXPECT_EQ(window().boxExe().width(), layoutWidth()) << "the layout saw the last width";

        ASSERT_NO_FATAL_FAILURE(dragRightEdgeTo(opened.inner + drags[session]));
        const XWindowProbe::Shown dragged = onScreen();
        EXPECT_EQ(dragged.outer, opened.outer + drags[session]);
        EXPECT_NEAR(px(storedWidth()), dragged.outer, 1) << "the drag stores the outer width on the screen";
        EXPECT_EQ(storedWidth(), front_->controls().window.outerWidth());
        EXPECT_EQ(window().boxExe().width(), layoutWidth());
        closedAt = storedWidth();
        quit();
    }
}

// Start-up places the outer frame at 100, 100 twips, so that the title bar is on the
// screen and the window can be dragged by it.
TEST_P(WindowOnScreen, StartsWithItsOuterFrameAt100By100Twips) {
    ASSERT_NO_FATAL_FAILURE(start());
    const XWindowProbe::Shown opened = onScreen();
    EXPECT_EQ(opened.outerLeft, px(100));
    EXPECT_EQ(opened.outerTop, px(100));
    if (GetParam().windowManager) {
        EXPECT_GT(opened.top, opened.outerTop) << "the client below the title bar";
    }
    quit();
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowOnScreen,
                         ::testing::Values(Screen{"FramedByOpenbox", true}, Screen{"BareServer", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorbin
