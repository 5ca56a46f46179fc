// window_screenshot: shows the real window with a batch under way and saves a picture
// of it, for reviewers and the README. Run it through tools/screenshot, which gives it
// an X server of its own.
//
//     window_screenshot <output.png> <working folder>
//
// The working folder gets three input files and a template; the processing program is
// fakeproc, told to grow its output and then wait, so the picture shows a running job.

#include "app/MainForm.h"
#include "platform/FileDialog.h"
#include "platform/Keyboard.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProcessControl.h"
#include "platform/qt/QtFrontEnd.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <fstream>

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

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_screenshot <output.png> <working folder>\n");
        return 2;
    }
    const QString picture = QString::fromLocal8Bit(argv[1]);
    std::string folder = argv[2];
    if (folder.back() != '/')
        folder += '/';

    std::vector<std::string> inputs;
    for (const char* name : {"sunset.avi", "Harbour.avi", "market.avi"}) {
        writeFile(folder + name, "");
        inputs.push_back(folder + name);
    }
    writeFile(folder + "smooth.avs", "# steps=-1 rate=250000 interval_ms=200\r\n"
                                     "AVISource(\"$FILE\")\r\nDeinterlace()\r\nSharpen(0.3)");
    writeFile(folder + "fast.vcf", "");

    QApplication app(argc, argv);
    QtFrontEnd front(QString::fromStdString(folder + "quorbin.conf"));
    front.settings().write("file", "exePath", FAKEPROC_PATH);
    front.settings().write("file", "vcfPath", folder + "fast.vcf");
    front.settings().write("file", "avsPath", folder + "smooth.avs");
    front.settings().write("file", "aviPath", folder);

    PosixProcessControl processes;
    PosixClock clock;
    PosixFileSystem files;
    PreparedFiles dialog(inputs);
    NoKeyboard keyboard;
    const Services services{processes, clock, files, front.messageBox(), front.settings(), dialog, keyboard};
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
