// The start-up of the tool's window, and of the bare window, as one program: the same
// libraries load for both, so the difference is what the tool does before its first
// paint (settings read, template loaded, layout done).
//
//   bench_window_start --real|--bare [--stay]   prints "painted <CLOCK_MONOTONIC ns>" at
//                                               the first paint; exits then, or with
//                                               --stay goes on running its timer
//   bench_window_start --prepare FOLDER EXE     fills FOLDER and writes the settings of
//                                               the default store for the real window
#include "BareWindow.h"
#include "FirstPaint.h"
#include "WorkFolder.h"

#include "SystemTool.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

using namespace quorbin;

void painted(bool stay) {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("painted %lld\n", static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
    std::fflush(stdout);
    if (!stay)
        std::_Exit(0);
}

// As the program's own main does it.
int runReal(bool stay) {
    SystemTool::nameApplication();
    SystemTool tool;
    FirstPaint probe(tool.window(), [stay] { painted(stay); });
    tool.start();
    return QApplication::exec();
}

int runBare(bool stay) {
    BareWindow window;
    FirstPaint probe(window, [stay] { painted(stay); });
    window.show();
    window.startClock();
    return QApplication::exec();
}

int prepare(const char* folder, const char* exe) {
    SystemTool::nameApplication();
    WorkFolder work{std::string(folder)};
    QtSettingsStore store;
    work.writeSettings(store, exe);
    std::printf("%s\n", store.filePath().toLocal8Bit().constData());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool stay = argc > 2 && std::strcmp(argv[2], "--stay") == 0;
    if (argc > 1 && std::strcmp(argv[1], "--real") == 0)
        return runReal(stay);
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0)
        return runBare(stay);
    if (argc == 4 && std::strcmp(argv[1], "--prepare") == 0)
        return prepare(argv[2], argv[3]);
    std::fprintf(stderr, "usage: %s --real|--bare [--stay] | --prepare FOLDER EXE\n", argv[0]);
    return 2;
}
