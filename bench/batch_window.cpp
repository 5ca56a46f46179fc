// The tool's window and core running a batch, left alone: built as the program builds
// them, with the X11 keyboard for the Shift pulse, the machine kept awake through D-Bus
// and the timer running, over a work folder of its own. A scripted dialog picks one
// file, Start is pressed, and the job is the sleeper, which writes no output: the
// watchdog watches a job that does nothing.
// Prints "running <child pid>" once the batch is in mode 1, then runs until killed.
#include "BenchMessageBox.h"
#include "ScriptedFileDialog.h"
#include "WorkFolder.h"

#include "app/MainForm.h"
#include "platform/dbus/SystemKeepAwake.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProcessControl.h"
#include "platform/posix/PosixTextCodec.h"
#include "platform/qt/QtFrontEnd.h"
#include "platform/x11/SystemKeyboard.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    using namespace quorbin;
    QApplication app(argc, argv);
    WorkFolder folder;
    const QString settingsPath = QString::fromStdString(folder.settingsFile());
    {
        QtSettingsStore store(settingsPath);
        folder.writeSettings(store, QUORBIN_BENCH_SLEEPER);
    }
    QtFrontEnd front(settingsPath);
    PosixProcessControl processes;
    PosixClock clock;
    PosixFileSystem files;
    BenchMessageBox messages;
    ScriptedFileDialog dialog;
    dialog.answerWith({folder.clips() + "clip.avi"});
    const auto keyboard = makeSystemKeyboard();
    const auto keepAwake = makeSystemKeepAwake();
    const PosixTextCodec text;
    const Services services{
        .processes = processes,
        .clock = clock,
        .files = files,
        .messageBox = messages,
        .settings = front.settings(),
        .dialog = dialog,
        .keyboard = *keyboard,
        .keepAwake = *keepAwake,
        .text = text,
    };
    MainForm form(front.controls(), services);
    form.Form_Load();
    front.window().show();
    front.startTimer([&form] { form.timerTimer_Timer(); });
    QTimer::singleShot(0, [&] {
        front.window().buttonSelectAvi().click();
        front.window().buttonStart().click();
        const BatchState& s = form.state();
        if (s.mode != modeRun || s.hProcess == 0 || !messages.shown().empty()) {
            std::fprintf(stderr, "bench_batch: the batch did not start\n");
            QApplication::exit(1);
            return;
        }
        std::printf("running %d\n", s.hProcess);
        std::fflush(stdout);
    });
    return QApplication::exec();
}
