// quorbin-run on Linux: the batch without a window, over the POSIX backends, the user's
// stored settings and the D-Bus sleep inhibitors, whose answers need Qt's event loop.
#include "SignalPipe.h"
#include "platform/dbus/SystemKeepAwake.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProcessControl.h"
#include "platform/posix/PosixTextCodec.h"
#include "platform/qt/QtSettingsStore.h"
#include "runner/Runner.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {

using namespace quorbin;

std::string fullPath(const std::string& path) {
    std::error_code failed;
    const std::filesystem::path full = std::filesystem::absolute(path, failed);
    return failed ? path : full.lexically_normal().string();
}

std::vector<std::string> programFolders() {
    std::vector<std::string> folders;
    const char* path = std::getenv("PATH");
    std::string rest = path != nullptr ? path : "";
    for (std::size_t cut = 0; cut != std::string::npos;) {
        cut = rest.find(':');
        folders.push_back(rest.substr(0, cut));
        rest = cut == std::string::npos ? std::string() : rest.substr(cut + 1);
    }
    return folders;
}

// The host and the process: two runners of one user on a cluster's login nodes differ
// in one of them.
std::string uniqueName() {
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    return std::string("quorbin-run.") + host + "." + std::to_string(::getpid());
}

std::string self() {
    std::error_code failed;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", failed);
    return failed ? std::string("quorbin-run") : path.string();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PosixProcessControl processes;
    PosixClock clock;
    PosixFileSystem files;
    PosixTextCodec text;
    const QtSettingsStore settings;
    const std::unique_ptr<KeepAwake> keepAwake = makeSystemKeepAwake();
    RunnerSystem system{processes, clock,  files,        settings,         *keepAwake, text,
                        fullPath,  self(), uniqueName(), programFolders(), std::cout,  std::cerr};

    auto chosen = runFor(std::vector<std::string>(argv + 1, argv + argc), system);
    if (const int* status = std::get_if<int>(&chosen))
        return *status;
    Run& run = *std::get<std::unique_ptr<Run>>(chosen);
    const auto exitWhenEnded = [&run] {
        if (const auto status = run.exitStatus())
            QCoreApplication::exit(*status);
    };
    const SignalPipe signalPipe([&](int signal) {
        run.interrupt(128 + signal);
        exitWhenEnded();
    });
    run.start();
    if (const auto status = run.exitStatus())
        return *status;
    QTimer timer;
    timer.setTimerType(Qt::CoarseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        run.tick();
        exitWhenEnded();
    });
    timer.start(500);
    return QCoreApplication::exec();
}
