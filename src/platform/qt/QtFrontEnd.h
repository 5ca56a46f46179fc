#pragma once

#include "platform/Controls.h"
#include "platform/qt/QtActionButton.h"
#include "platform/qt/QtButton.h"
#include "platform/qt/QtCaption.h"
#include "platform/qt/QtCountdownBox.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtFileOpener.h"
#include "platform/qt/QtLineEditBox.h"
#include "platform/qt/QtListBox.h"
#include "platform/qt/QtLogView.h"
#include "platform/qt/QtMainWindow.h"
#include "platform/qt/QtMenuChoice.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPlainTextBox.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtWindow.h"

#include <optional>

namespace quorbin {

// The whole Qt side of the tool, built in one place: the main window, an adapter for
// each of its controls and menu items, and the Qt message box, file dialog, settings
// store, countdown box and file opener. The
// program, the window tests and the benchmarks all build the window through it; they
// hand the core controls() and the services of their choice (the Qt ones below, or
// doubles). A QApplication must exist first.
class QtFrontEnd {
public:
    // The settings store at the native per-user place, or at settingsPath when given.
    explicit QtFrontEnd(const std::optional<QString>& settingsPath = std::nullopt);
    QtFrontEnd(const QtFrontEnd&) = delete;
    QtFrontEnd& operator=(const QtFrontEnd&) = delete;

    QtMainWindow& window() { return window_; }
    Controls controls();

    QtMessageBox& messageBox() { return messageBox_; }
    QtFileDialog& fileDialog() { return fileDialog_; }
    QtSettingsStore& settings() { return settings_; }
    QtCountdownBox& countdown() { return countdown_; }
    QtFileOpener& opener() { return opener_; }

    // The periodic timer timerTimer, from now to the end of the program.
    void startTimer(std::function<void()> tick) { window_.startTimerTimer(std::move(tick)); }

private:
    QtMainWindow window_;
    QtWindow windowGeometry_;
    QtButton buttonSelectAvi_;
    QtButton buttonSelectExe_;
    QtListBox listFiles_;
    QtButton buttonSelectVcf_;
    QtPlainTextBox boxCmdLine_;
    QtPlainTextBox boxScript_;
    QtPlainTextBox boxTemplate_;
    QtLineEditBox boxVcf_;
    QtLineEditBox boxExe_;
    QtButton buttonStart_;
    QtButton buttonLoadAvs_;
    QtButton buttonAbort_;
    QtLogView listLog_;
    QtButton buttonPause_;
    QtLineEditBox BoxTimeout_;
    QtCaption labelTime_;
    QtButton buttonSaveAvs_;
    QtButton buttonStop_;
    QtMenuChoice menuWhenDone_;
    QtActionButton menuOpenLog_;
    QtMessageBox messageBox_;
    QtFileDialog fileDialog_;
    QtSettingsStore settings_;
    QtCountdownBox countdown_;
    QtFileOpener opener_;
};

} // namespace quorbin
