#pragma once

#include "platform/Window.h"
#include "platform/qt/LogLineModel.h"
#include "platform/qt/LogListView.h"
#include "platform/qt/MainMenuBar.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace quorbin {

// The main window "Quorbin": the menu bar, and under it the client area with the controls
// at their designed places, fonts and tab order; and the watchdog's 500 ms timer. It
// holds no logic; the adapters connect the controls to the core.
//
// The controls are placed in the client area alone, the central widget, so the menu bar
// moves none of them; the window is as much taller as the menu bar is high. Its width is
// the client area's.
class QtMainWindow : public QMainWindow {
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
    MainMenuBar& menus() { return menus_; }
    QWidget& clientArea() { return clientArea_; }

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
    void sizeClientArea(QSize size);
    void sizeChanged();

    MainMenuBar menus_{this};
    QWidget clientArea_{this};
    QPushButton buttonSelectAvi_{&clientArea_};
    QPushButton buttonSelectExe_{&clientArea_};
    QListWidget listFiles_{&clientArea_};
    QPushButton buttonSelectVcf_{&clientArea_};
    QPlainTextEdit boxCmdLine_{&clientArea_};
    QPlainTextEdit boxScript_{&clientArea_};
    QPlainTextEdit boxTemplate_{&clientArea_};
    QLineEdit boxVcf_{&clientArea_};
    QLineEdit boxExe_{&clientArea_};
    QPushButton buttonStart_{&clientArea_};
    QPushButton buttonLoadAvs_{&clientArea_};
    QPushButton buttonAbort_{&clientArea_};
    LogLineModel logLines_{this};
    LogListView listLog_{&clientArea_};
    QPushButton buttonPause_{&clientArea_};
    QLineEdit BoxTimeout_{&clientArea_};
    QLabel labelTime_{&clientArea_};
    QPushButton buttonSaveAvs_{&clientArea_};
    QPushButton buttonStop_{&clientArea_};
    QTimer timerTimer_{this};
    std::function<void()> tick_;
    std::function<void()> sizeChanged_;
    std::function<void()> closed_;
    bool iconSet_ = false;
};

} // namespace quorbin
