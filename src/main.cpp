#include "SystemTool.h"
#include "platform/qt/DisplayCheck.h"

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
    SystemTool::nameApplication();
    SystemTool tool;
    tool.start();
    return QApplication::exec();
}
