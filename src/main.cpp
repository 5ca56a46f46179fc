#include "app/MainForm.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProcessControl.h"
#include "platform/qt/DisplayCheck.h"
#include "platform/qt/QtFrontEnd.h"
#include "platform/x11/SystemKeyboard.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    using namespace quorbin;
    // Without a display Qt aborts with a core dump; a plain line and exit code 1 say it.
    if (const auto missing = missingDisplayMessage(currentDisplayEnvironment())) {
        std::fprintf(stderr, "%s\n", missing->c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorbin"));
    QApplication::setOrganizationName(QStringLiteral("quorbin"));

    QtFrontEnd front;
    PosixProcessControl processes;
    PosixClock clock;
    PosixFileSystem files;
    const auto keyboard = makeSystemKeyboard();
    const Services services{
        .processes = processes,
        .clock = clock,
        .files = files,
        .messageBox = front.messageBox(),
        .settings = front.settings(),
        .dialog = front.fileDialog(),
        .keyboard = *keyboard,
    };
    MainForm form(front.controls(), services);
    form.Form_Load();
    front.window().show();
    front.startTimer([&form] { form.timerTimer_Timer(); });
    return QApplication::exec();
}
