#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <QWidget>

namespace quorbin {

// What the tool's window costs at the least: a plain QWidget with stock controls of the
// same kinds at the same places, and a 500 ms timer that shows the elapsed time; no
// core, no settings, no adapters. The yardstick for start-up and memory.
class BareWindow : public QWidget {
    Q_OBJECT
public:
    BareWindow();

    QLabel& label() { return labelTime_; }
    // The clock read and the label update of every tick.
    void startClock();

private:
    void showTime();

    QPushButton buttonSelectAvi_{QStringLiteral("Select AVI"), this};
    QPushButton buttonSelectExe_{QStringLiteral("Select EXE"), this};
    QListWidget listFiles_{this};
    QPushButton buttonSelectVcf_{QStringLiteral("Select VCF"), this};
    QPlainTextEdit boxCmdLine_{this};
    QPlainTextEdit boxScript_{this};
    QPlainTextEdit boxTemplate_{this};
    QLineEdit boxVcf_{this};
    QLineEdit boxExe_{this};
    QPushButton buttonStart_{QStringLiteral("Start"), this};
    QPushButton buttonLoadAvs_{QStringLiteral("Load AVS"), this};
    QPushButton buttonAbort_{QStringLiteral("Abort"), this};
    QStringListModel logLines_{this};
    QListView listLog_{this};
    QPushButton buttonPause_{QStringLiteral("Pause"), this};
    QLineEdit BoxTimeout_{QStringLiteral("60"), this};
    QLabel labelTime_{QStringLiteral("00:00:00"), this};
    QPushButton buttonSaveAvs_{QStringLiteral("Save AVS"), this};
    QPushButton buttonStop_{QStringLiteral("Stop"), this};
    QTimer timer_{this};
    qint64 started_ = 0;
};

} // namespace quorbin
