#pragma once

#include "platform/Window.h"
#include "platform/qt/LogLineModel.h"
#include "platform/qt/LogListView.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace quorbin {

// The main window "Quorbin": its controls at their designed places, fonts and tab
// order, and the watchdog's 500 ms timer. It holds no logic; the adapters connect the
// controls to the core.
class QtMainWindow : public QWidget {
    Q_OBJECT
public:
    explicit QtMainWindow(QWidget* parent = nullptr);

    QPushButton& buttonSelectAvi() { return buttonSelectAvi_; }
    QPushButton& buttonSelectExe() { return buttonSelectExe_; }
    QListWidget& listFiles() { return listFiles_; }
    QPushButton& buttonSelectVcf() { return buttonSelectVcf_; }
    QPlainTextEdit& boxCmdLine() { return boxCmdLine_; }
    QPlainTextEdit& boxScript() { return boxScript_; }
    QPlainTextEdit& boxTemplate() { return boxTemplate_; }
    QLineEdit& boxVcf() { return boxVcf_; }
    QLineEdit& boxExe() { return boxExe_; }
    QPushButton& buttonStart() { return buttonStart_; }
    QPushButton& buttonLoadAvs() { return buttonLoadAvs_; }
    QPushButton& buttonAbort() { return buttonAbort_; }
    LogListView& listLog() { return listLog_; }
    LogLineModel& logLines() { return logLines_; }
    QPushButton& buttonPause() { return buttonPause_; }
    QLineEdit& BoxTimeout() { return BoxTimeout_; }
    QLabel& labelTime() { return labelTime_; }
    QPushButton& buttonSaveAvs() { return buttonSaveAvs_; }
    QPushButton& buttonStop() { return buttonStop_; }
    QTimer& timerTimer() { return timerTimer_; }

    QWidget& sizedControl(SizedControl control);

    // Starts the periodic timer; it then runs until the program ends.
    void startTimerTimer(std::function<void()> tick);

    // Runs on every change of the window's size, minimising and restoring included.
    void onSizeChange(std::function<void()> handler) { sizeChanged_ = std::move(handler); }
    // Runs when the window has accepted to close.
    void onClose(std::function<void()> handler) { closed_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void nameControls();
    void describeControls();
    void placeControls();
    void styleControls();
    void chainTabOrder();
    void sizeChanged();

    QPushButton buttonSelectAvi_{this};
    QPushButton buttonSelectExe_{this};
    QListWidget listFiles_{this};
    QPushButton buttonSelectVcf_{this};
    QPlainTextEdit boxCmdLine_{this};
    QPlainTextEdit boxScript_{this};
    QPlainTextEdit boxTemplate_{this};
    QLineEdit boxVcf_{this};
    QLineEdit boxExe_{this};
    QPushButton buttonStart_{this};
    QPushButton buttonLoadAvs_{this};
    QPushButton buttonAbort_{this};
    LogLineModel logLines_{this};
    LogListView listLog_{this};
    QPushButton buttonPause_{this};
    QLineEdit BoxTimeout_{this};
    QLabel labelTime_{this};
    QPushButton buttonSaveAvs_{this};
    QPushButton buttonStop_{this};
    QTimer timerTimer_{this};
    std::function<void()> tick_;
    std::function<void()> sizeChanged_;
    std::function<void()> closed_;
    bool iconSet_ = false;
};

} // namespace quorbin
