#include "platform/dbus/DBusKeepAwake.h"

#include "dbus/BusEventLoop.h"
#include "dbus/StandInBus.h"
#include "fakes/TestForm.h"
#include "helpers/TempDir.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quorbin {
namespace {

using test::StandInBus;
using Lines = std::vector<std::string>;

// The backend as the tool makes it, on the two buses that the environment names, with
// its lines for standard error kept.
struct Backend {
    Backend(const StandInBus& system, const StandInBus& session)
        : Backend(system.address().toUtf8(), session.address().toUtf8()) {}
    Backend(const QByteArray& system, const QByteArray& session) {
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", system);
        qputenv("DBUS_SESSION_BUS_ADDRESS", session);
        keepAwake = std::make_unique<DBusKeepAwake>(
            BusAddresses::fromEnvironment(), [this](const std::string& line) { reports.push_back(line); });
    }
    Lines reports;
    std::unique_ptr<DBusKeepAwake> keepAwake;
};

// Whether this process has the pipe ("pipe:[<inode>]") open.
bool holds(const QString& pipe) {
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code gone;
        if (std::filesystem::read_symlink(fd.path(), gone).string() == pipe.toStdString())
            return true;
    }
    return false;
}

QString answerOf(const QString& line) {
    return line.section(QStringLiteral(" -> "), 1);
}

void tickUntilMode(test::TestForm& t, BatchMode mode) {
    for (int tick = 0; tick < 100 && t.state().mode != mode; ++tick)
        t.tick();
}

// The real core drives the backend: one file from Start to IDLE, its job ending on its own.
// The power manager (XFCE, KDE) is asked besides GNOME, wherever it runs.
TEST(DBusKeepAwake, ABatchHoldsLogindGnomeAndThePowerManagerFromStartToIdle) {
    StandInBus logind({QStringLiteral("login1")});
    StandInBus desktop({QStringLiteral("gnome"), QStringLiteral("screensaver"), QStringLiteral("power")});
    ASSERT_TRUE(logind.ready() && desktop.ready());
    Backend backend(logind, desktop);
    test::TestForm t;
    t.keepAwakeOverride = backend.keepAwake.get();
    t.start(false);
    t.useFiles("/home/ann/jobs/", {"clip.avi"}, {0});
    t.run(5);
    t.buttonStart.click();

    const QString lock = logind.waitFor(QStringLiteral("login1 Inhibit"));
    const QString inhibit = desktop.waitFor(QStringLiteral("gnome Inhibit"));
    const QString power = desktop.waitFor(QStringLiteral("power Inhibit"));
    EXPECT_EQ(lock, "login1 Inhibit sleep:idle|quorbin|Processing clip.avi|block -> " + answerOf(lock));
    EXPECT_EQ(inhibit, "gnome Inhibit quorbin|0|Processing clip.avi|12 -> " + answerOf(inhibit));
    EXPECT_EQ(power, "power Inhibit quorbin|Processing clip.avi -> " + answerOf(power));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return backend.keepAwake->sleepLocked() && backend.keepAwake->idleInhibited() &&
               backend.keepAwake->desktopSleepInhibited();
    }));
    t.files.files[t.state().outputPath] = "video";
    t.processes.exit(t.state().hProcess, 0);
    tickUntilMode(t, modeKill);
    EXPECT_TRUE(holds(answerOf(lock))) << "held through modes 1 to 4";
    tickUntilMode(t, modeIdle);
    EXPECT_FALSE(holds(answerOf(lock))) << "closed at IDLE";

    EXPECT_FALSE(logind.waitFor("login1 lock closed " + answerOf(lock)).isEmpty());
    EXPECT_FALSE(desktop.waitFor("gnome Uninhibit " + answerOf(inhibit)).isEmpty());
    EXPECT_FALSE(desktop.waitFor("power UnInhibit " + answerOf(power)).isEmpty());
    EXPECT_EQ(logind.calls(), (QStringList{lock, "login1 lock closed " + answerOf(lock)}));
    EXPECT_EQ(desktop.calls().size(), 4);
    EXPECT_TRUE(backend.reports.empty());
    EXPECT_TRUE(t.messages.shown.empty());
}

// Without GNOME the screen saver serves, and logind's refusal changes nothing for it.
TEST(DBusKeepAwake, TheScreenSaverServesWhereGnomeDoesNotRunAndARefusalIsOneLine) {
    StandInBus logind({QStringLiteral("login1")}, {QStringLiteral("--refuse")});
    StandInBus desktop({QStringLiteral("screensaver")});
    ASSERT_TRUE(logind.ready() && desktop.ready());
    Backend backend(logind, desktop);

    backend.keepAwake->hold("Processing clip.avi");
    const QString inhibit = desktop.waitFor(QStringLiteral("screensaver Inhibit"));
    EXPECT_EQ(inhibit, "screensaver Inhibit quorbin|Processing clip.avi -> " + answerOf(inhibit));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return backend.keepAwake->idleInhibited() && !backend.reports.empty(); }));
    backend.keepAwake->release();

    EXPECT_FALSE(desktop.waitFor("screensaver UnInhibit " + answerOf(inhibit)).isEmpty());
    EXPECT_EQ(desktop.calls(), (QStringList{inhibit, "screensaver UnInhibit " + answerOf(inhibit)}));
    EXPECT_EQ(logind.waitFor(QStringLiteral("login1")),
              QStringLiteral("login1 Inhibit sleep:idle|quorbin|Processing clip.avi|block -> refused"));
    EXPECT_EQ(backend.reports,
              Lines{"quorbin: logind did not hold off sleep (org.freedesktop.DBus.Error.AccessDenied: "
                    "refused); the machine may sleep during the batch"});
}

// Stop comes before the buses have answered: what they hand out later is let go at once.
TEST(DBusKeepAwake, WhatArrivesAfterReleaseIsLetGoAtOnce) {
    const QStringList later{QStringLiteral("--hold-answers")};
    StandInBus logind({QStringLiteral("login1")}, later);
    StandInBus desktop({QStringLiteral("gnome")}, later);
    ASSERT_TRUE(logind.ready() && desktop.ready());
    Backend backend(logind, desktop);

    backend.keepAwake->hold("A batch is running");
    const QString lock = logind.waitFor(QStringLiteral("login1 Inhibit"));
    const QString inhibit = desktop.waitFor(QStringLiteral("gnome Inhibit"));
    ASSERT_FALSE(lock.isEmpty() || inhibit.isEmpty());
    backend.keepAwake->release();
    logind.answer();
    desktop.answer();

    EXPECT_FALSE(logind.waitFor("login1 lock closed " + answerOf(lock)).isEmpty());
    EXPECT_FALSE(desktop.waitFor("gnome Uninhibit " + answerOf(inhibit)).isEmpty());
    EXPECT_FALSE(backend.keepAwake->sleepLocked() || backend.keepAwake->idleInhibited());
    EXPECT_TRUE(backend.reports.empty());
}

// A service the desktop restarts, and a session bus that goes and comes back at its
// address, during a batch: the holds went with them, and are asked for again.
TEST(DBusKeepAwake, ADesktopThatRestartsIsAskedAgain) {
    test::TempDir runtime;
    const QString address = QStringLiteral("unix:path=") + QString::fromStdString(runtime.file("bus"));
    const QStringList services{QStringLiteral("screensaver"), QStringLiteral("power")};
    StandInBus logind({QStringLiteral("login1")});
    for (const bool wholeBus : {false, true}) {
        SCOPED_TRACE(wholeBus ? "the session bus" : "the services");
        auto desktop = std::make_unique<StandInBus>(services, QStringList{}, address);
        ASSERT_TRUE(logind.ready() && desktop->ready());
        Backend backend(logind, *desktop);
        backend.keepAwake->hold("Processing clip.avi");
        ASSERT_TRUE(QTest::qWaitFor([&] { return backend.keepAwake->desktopSleepInhibited(); }));
        if (wholeBus) {
            desktop.reset(); // the bus goes before another one comes at its address
            desktop = std::make_unique<StandInBus>(services, QStringList{}, address);
        }
        ASSERT_TRUE(wholeBus ? desktop->ready() : desktop->restartStandIns());

        const QString power = desktop->waitFor(QStringLiteral("power Inhibit quorbin|Processing clip.avi"));
        EXPECT_FALSE(desktop->waitFor(QStringLiteral("screensaver Inhibit quorbin|Processing")).isEmpty());
        ASSERT_TRUE(QTest::qWaitFor([&] { return backend.keepAwake->desktopSleepInhibited(); }));
        backend.keepAwake->release();
        EXPECT_FALSE(desktop->waitFor("power UnInhibit " + answerOf(power)).isEmpty());
    }
}

// No bus at all: one line for each, and no session bus is started for the tool where the
// environment names none.
TEST(DBusKeepAwake, WithoutBusesItSaysSoOnceEach) {
    test::TempDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().c_str());
    Backend backend("unix:path=" + QByteArray(runtime.file("none").c_str()), {});
    backend.keepAwake->hold("A batch is running");
    backend.keepAwake->release();
    EXPECT_EQ(
        backend.reports,
        (Lines{"quorbin: cannot reach the system bus (Failed to connect to socket " + runtime.file("none") +
                   ": No such file or directory); the machine may sleep during the batch",
               "quorbin: no session bus found; the screen may blank during the batch"}));
}

} // namespace
} // namespace quorbin
