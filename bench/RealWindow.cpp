#include "RealWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWindow>

namespace quorbin {

namespace {

QString settingsPathOf(const WorkFolder& folder, const std::string& exe) {
    const QString path = QString::fromStdString(folder.settingsFile());
    QtSettingsStore store(path);
    folder.writeSettings(store, exe);
    return path;
}

} // namespace

RealWindow::RealWindow(const WorkFolder& folder, const std::string& exe)
    : folder_(folder), front_(settingsPathOf(folder, exe)) {
    form_ = std::make_unique<MainForm>(front_.controls(), services());
    form_->Form_Load();
    window().show();
    QElapsedTimer waited;
    waited.start();
    while (!(window().windowHandle() && window().windowHandle()->isExposed()) && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    settle();
}

RealWindow::~RealWindow() {
    // The tool leaves a running job alone when it closes; a benchmark does not.
    if (form_ && form_->state().hProcess != 0)
        processes_.terminate(form_->state().hProcess);
}

Services RealWindow::services() {
    return Services{
        .processes = processes_,
        .clock = clock_,
        .files = files_,
        .messageBox = messages_,
        .settings = front_.settings(),
        .dialog = dialog_,
        .keyboard = keyboard_,
        .keepAwake = keepAwake_,
        .text = text_,
    };
}

void RealWindow::pickFiles(const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const std::string& name : names)
        paths.push_back(folder_.clips() + name);
    dialog_.answerWith(std::move(paths));
    window().buttonSelectAvi().click();
    settle();
}

void RealWindow::prefillLog(int lines) {
    LogLineModel& model = window().logLines();
    for (int i = 0; i < lines; ++i)
        model.append("12:00:00 (00:00:00) FILE size:" + std::to_string(1'000'000 + 4096LL * i));
    front_.controls().listLog.appendSelected("12:00:00 (00:00:00) IDLE");
    settle();
}

void RealWindow::pressStart() {
    window().buttonStart().click();
    settle();
}

void RealWindow::settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace quorbin
