#include "SystemTool.h"

#include "platform/dbus/SystemKeepAwake.h"
#include "platform/x11/SystemKeyboard.h"

#include <QApplication>

namespace quorbin {

void SystemTool::nameApplication() {
    QApplication::setApplicationName(QStringLiteral("quorbin"));
    QApplication::setOrganizationName(QStringLiteral("quorbin"));
    // The desktop entry the window belongs to, for docks and task bars.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORBIN_APP_ID));
}

SystemTool::SystemTool()
    : keyboard_(makeSystemKeyboard()), keepAwake_(makeSystemKeepAwake()),
      desktop_(makeSystemDesktop(QUORBIN_APP_ID)), form_(front_.controls(), services()) {}

Services SystemTool::services() {
    return Services{
        .processes = processes_,
        .clock = clock_,
        .files = files_,
        .messageBox = front_.messageBox(),
        .settings = front_.settings(),
        .dialog = front_.fileDialog(),
        .keyboard = *keyboard_,
        .keepAwake = *keepAwake_,
        .text = text_,
        .notifier = *desktop_.notifier,
        .taskbar = *desktop_.taskbar,
        .power = *desktop_.power,
        .opener = front_.opener(),
        .countdown = front_.countdown(),
        .records = records_,
        .claims = claims_,
    };
}

void SystemTool::start() {
    form_.Form_Load();
    front_.window().show();
    front_.startTimer([this] { form_.timerTimer_Timer(); });
    form_.offerInterruptedBatch();
}

} // namespace quorbin
