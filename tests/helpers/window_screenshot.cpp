// window_screenshot: shows the real window with a batch under way and saves a picture
// of it, for the README. Run it through tools/screenshot, which gives it an X server
// and a home folder of its own.
//
//     window_screenshot <output.png> <program> <settings file> <template> <input file>...
//
// The settings store names the program, the settings file and the template; the
// input-file picker is answered with the input files, the second of them is unticked,
// and the batch starts. Once the first sizes of the output are logged the picture is
// taken and the batch aborted.

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

    front.window().buttonSelectAvi().click();
    // Unticking an entry makes it current, as a click on it does; then back to the first.
    front.window().listFiles().item(1)->setCheckState(Qt::Unchecked);
    front.window().listFiles().setCurrentRow(0);
    front.window().buttonStart().click();

    int status = 1;
    // Long enough for the first sizes of the output to be logged.
    QTimer::singleShot(13000, [&] {
        const QPixmap shot = front.window().screen()->grabWindow(front.window().winId());
        status = shot.save(picture, "PNG") ? 0 : 1;
        front.window().buttonAbort().click();
        QApplication::quit();
    });
    QApplication::exec();
    return status;
}
