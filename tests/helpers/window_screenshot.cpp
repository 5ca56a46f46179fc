// window_screenshot: shows the real window with a batch under way and saves a picture
// of it, for the README. Run it through tools/screenshot, which gives it an X server
// and a home folder of its own.
//
//     window_screenshot <output.png> <program> <settings file> <template> <input file>...
//
// The settings store names the program, the settings file and the template; the
// input-file picker is answered with the input files, and the batch starts at the first.
// Once the last of them runs and the first size of its output is logged, the picture is
// taken (the earlier files show how they ended beside their names) and the batch
// aborted.

#include "app/MainForm.h"
#include "platform/FileDialog.h"
#include "platform/Keyboard.h"
#include "platform/dbus/NullKeepAwake.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProcessControl.h"
#include "platform/posix/PosixTextCodec.h"
#include "platform/qt/QtFrontEnd.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

using namespace quorbin;

// Answers the input-file picker with the prepared files.
class PreparedFiles : public FileDialog {
public:
    explicit PreparedFiles(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    Result<std::vector<std::string>> open(const OpenFileRequest&) override { return paths_; }

private:
    std::vector<std::string> paths_;
};

class NoKeyboard : public Keyboard {
public:
    unsigned sendInput(std::span<const InputRecord>, int) override { return 0; }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: window_screenshot <output.png> <program> <settings file> <template> "
                             "<input file>...\n");
        return 2;
    }
    const QString picture = QString::fromLocal8Bit(argv[1]);
    const std::vector<std::string> inputs(argv + 5, argv + argc);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorbin"));
    QApplication::setOrganizationName(QStringLiteral("quorbin"));
    QtFrontEnd front;
    front.settings().write("file", "exePath", argv[2]);
    front.settings().write("file", "vcfPath", argv[3]);
    front.settings().write("file", "avsPath", argv[4]);

    PosixProcessControl processes;
    PosixClock clock;
    PosixFileSystem files;
    PreparedFiles dialog(inputs);
    NoKeyboard keyboard;
    NullKeepAwake keepAwake;
    PosixTextCodec text;
    const Services services{processes, clock,     files, front.messageBox(), front.settings(), dialog,
                            keyboard,  keepAwake, text};
    MainForm form(front.controls(), services);
    form.Form_Load();
    front.window().show();
    front.startTimer([&form] { form.timerTimer_Timer(); });

    QtMainWindow& window = front.window();
    window.buttonSelectAvi().click();
    window.listFiles().setCurrentRow(0);
    window.buttonStart().click();

    int status = 1;
    auto take = [&] {
        // Painted now and on the X server before it is read back, not at the next turn.
        window.repaint();
        const QPixmap shot = window.screen()->grabWindow(window.winId());
        status = shot.save(picture, "PNG") ? 0 : 1;
        window.buttonAbort().click();
        QApplication::quit();
    };
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const QListWidget& list = window.listFiles();
        const LogLineModel& log = window.logLines();
        const bool lastRuns = list.item(list.count() - 1)->toolTip().startsWith(QStringLiteral("Running"));
        if (lastRuns && log.line(log.rowCount() - 1).find("FILE size:") != std::string_view::npos)
            take();
    });
    watch.start(250);
    // Each file after the first waits 22 s for its turn.
    QTimer::singleShot(120000, [&] {
        std::fprintf(stderr, "window_screenshot: the last file never ran\n");
        QApplication::quit();
    });
    QApplication::exec();
    return status;
}
