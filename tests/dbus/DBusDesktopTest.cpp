#include "platform/dbus/DBusNotifier.h"
#include "platform/dbus/DBusPowerActions.h"
#include "platform/dbus/DBusTaskbarProgress.h"

#include "dbus/BusEventLoop.h"
#include "dbus/StandInBus.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace quorbin {
namespace {

using test::StandInBus;
using Lines = std::vector<std::string>;

const QString entry = QStringLiteral("io.github.quorbin.Quorbin");

TEST(DBusDesktop, TheNotificationReachesTheServerAndWithoutOneItIsOneLine) {
    StandInBus session({QStringLiteral("notifications")});
    StandInBus empty({});
    ASSERT_TRUE(session.ready() && empty.ready());
    Lines reports;
    const auto report = [&](const std::string& line) { reports.push_back(line); };
    DBusNotifier notifier(session.address(), entry, report);
    notifier.notify("Quorbin: batch finished", "2 files: 1 finished, 1 exited with code 1 (<b&c>.avi)");
    EXPECT_EQ(
        session.waitFor(QStringLiteral("notify")),
        "notify Quorbin|0|io.github.quorbin.Quorbin|Quorbin: batch finished|2 files: 1 finished, 1 exited "
        "with code 1 (&lt;b&amp;c&gt;.avi)||desktop-entry=io.github.quorbin.Quorbin|-1 -> 1");

    DBusNotifier unheard(empty.address(), entry, report);
    unheard.notify("Quorbin: batch finished", "1 file: 1 finished");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reports.empty(); }));
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].starts_with(
        "quorbin: no desktop notification shown (org.freedesktop.DBus.Error.ServiceUnknown: "))
        << reports[0];
}

TEST(DBusDesktop, ProgressIsTheLauncherEntrysUpdateSignal) {
    StandInBus session({QStringLiteral("launcher")});
    ASSERT_TRUE(session.ready());
    Lines reports;
    DBusTaskbarProgress taskbar(session.address(), entry,
                                [&](const std::string& line) { reports.push_back(line); });
    taskbar.show(1, 4, false);
    taskbar.clear();
    const QString update = QStringLiteral("launcher Update application://io.github.quorbin.Quorbin.desktop ");
    EXPECT_EQ(session.waitFor(update + "progress-visible=False"), update + "progress-visible=False");
    EXPECT_EQ(session.calls(), (QStringList{update + "progress=0.25,progress-visible=True",
                                            update + "progress-visible=False"}));
    EXPECT_TRUE(reports.empty());
}

TEST(DBusDesktop, SleepAndShutDownAskLogindInteractivelyAndARefusalIsTheFailure) {
    StandInBus system({QStringLiteral("login1")});
    StandInBus refusing({QStringLiteral("login1")}, {QStringLiteral("--refuse")});
    ASSERT_TRUE(system.ready() && refusing.ready());
    Lines outcomes;
    const auto record = [&](const Result<void>& outcome) {
        outcomes.push_back(outcome ? "done" : outcome.error());
    };
    DBusPowerActions power(system.address());
    power.suspend(record);
    power.powerOff(record);
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcomes.size() == 2; }));
    EXPECT_EQ(outcomes, (Lines{"done", "done"}));
    EXPECT_FALSE(system.waitFor(QStringLiteral("login1 PowerOff")).isEmpty());
    EXPECT_EQ(system.calls(),
              (QStringList{QStringLiteral("login1 Suspend True"), QStringLiteral("login1 PowerOff True")}));

    DBusPowerActions refused(refusing.address());
    refused.suspend(record);
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcomes.size() == 3; }));
    EXPECT_EQ(
        outcomes[2],
        "The machine could not be put to sleep (org.freedesktop.DBus.Error.AccessDenied): Permission denied");
}

} // namespace
} // namespace quorbin
