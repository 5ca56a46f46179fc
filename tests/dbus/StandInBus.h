#pragma once

#include <QProcess>
#include <QStringList>
#include <QTest>

namespace quorbin::test {

// A dbus-daemon of the test's own (anyone may own any name, nothing is started on
// demand) with the stand-in services of keep_awake_standins.py on it, in a process of
// their own: a blocking call to a service in the caller's own thread could never be
// answered. Keeps every line the stand-ins tell; stops both when it goes.
class StandInBus {
public:
    // services: "login1", "gnome", "screensaver", "power"; options: "--refuse",
    // "--hold-answers"; a fixed address ("unix:path=...") for a bus that is to come back
    // where it was.
    explicit StandInBus(const QStringList& services, const QStringList& options = {},
                        const QString& address = {}) {
        daemon_.setStandardErrorFile(QProcess::nullDevice());
        QStringList daemonOptions{QStringLiteral("--config-file=" QUORBIN_PRIVATE_BUS_CONFIG),
                                  QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                                  QStringLiteral("--print-address=1")};
        if (!address.isEmpty())
            daemonOptions << QStringLiteral("--address=") + address;
        daemon_.start(QStringLiteral("dbus-daemon"), daemonOptions);
        // The address is the daemon's first line, once it listens.
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        standInArguments_ = QStringList{QStringLiteral(QUORBIN_STANDINS), address_} + options + services;
        startStandIns();
    }
    // Closing their input ends the stand-ins; a kill makes sure.
    ~StandInBus() {
        stopStandIns();
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }
    StandInBus(const StandInBus&) = delete;
    StandInBus& operator=(const StandInBus&) = delete;

    const QString& address() const { return address_; }
    // Runs the event loop until the stand-ins tell a line that starts with `start`, for at
    // most five seconds; gives the first such line, or an empty text.
    QString waitFor(const QString& start) {
        QString found;
        // The line found, or none, says how the wait ended.
        (void)QTest::qWaitFor(
            [&] {
                while (standIns_.canReadLine())
                    lines_.append(QString::fromUtf8(standIns_.readLine()).trimmed());
                for (const QString& line : lines_)
                    if (found.isEmpty() && line.startsWith(start))
                        found = line;
                return !found.isEmpty();
            },
            5000);
        return found;
    }
    bool ready() { return !waitFor(QStringLiteral("ready")).isEmpty(); }
    // Every line told after "ready", as far as read.
    QStringList calls() const { return lines_.mid(1); }
    // The services end and start again on the same bus, as a desktop restarts them; the
    // lines told so far are forgotten.
    bool restartStandIns() {
        stopStandIns();
        lines_.clear();
        startStandIns();
        return ready();
    }
    // The answers kept back with --hold-answers go out now.
    void answer() {
        standIns_.write("answer\n");
        standIns_.waitForBytesWritten(5000);
    }

private:
    void startStandIns() {
        standIns_.setStandardErrorFile(QProcess::nullDevice());
        standIns_.start(QStringLiteral("/usr/bin/python3"), standInArguments_);
    }
    void stopStandIns() {
        standIns_.closeWriteChannel();
        if (!standIns_.waitForFinished(5000))
            standIns_.kill();
        standIns_.waitForFinished(5000);
        standIns_.readAll();
    }

    QStringList standInArguments_;
    QProcess daemon_;
    QProcess standIns_;
    QString address_;
    QStringList lines_;
};

} // namespace quorbin::test
