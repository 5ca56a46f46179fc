#include "fakes/TestForm.h"

namespace quorbin::test {

Controls TestForm::controls() {
    return {window,      buttonSelectAvi, buttonSelectExe, listFiles,  buttonSelectVcf, boxCmdLine,
            boxScript,   boxTemplate,     boxVcf,          boxExe,     buttonStart,     buttonLoadAvs,
            buttonAbort, listLog,         buttonPause,     BoxTimeout, labelTime,       buttonSaveAvs,
            buttonStop,  menuWhenDone,    menuOpenLog};
}

Services TestForm::services() {
    return {processesOverride != nullptr ? *processesOverride : processes,
            clock,
            filesOverride != nullptr ? *filesOverride : files,
            messages,
            settings,
            dialog,
            keyboard,
            keepAwakeOverride != nullptr ? *keepAwakeOverride : keepAwake,
            textOverride != nullptr ? *textOverride : text,
            notifier,
            taskbar,
            power,
            opener,
            countdown,
            records,
            claims};
}

MainForm& TestForm::start(bool load) {
    form = std::make_unique<MainForm>(controls(), services(), options);
    if (load)
        form->Form_Load();
    return *form;
}

void TestForm::tick() {
    clock.advance(0.5);
    form->timerTimer_Timer();
}

void TestForm::run(double seconds) {
    for (double done = 0; done < seconds; done += 0.5)
        tick();
}

namespace {
constexpr std::size_t prefixLength = 20; // "hh:mm:ss (hh:mm:ss) "
}

std::vector<std::string> TestForm::messagesLogged() const {
    return messagesLoggedSince(0);
}

std::vector<std::string> TestForm::messagesLoggedSince(std::size_t from) const {
    std::vector<std::string> messages;
    for (std::size_t i = from; i < listLog.lines.size(); ++i)
        messages.push_back(listLog.lines[i].substr(prefixLength));
    return messages;
}

std::string TestForm::elapsedOf(const std::string& line) {
    const auto open = line.find('(');
    const auto close = line.find(')');
    return line.substr(open + 1, close - open - 1);
}

void TestForm::storeProgramAndTemplate() {
    settings.values[{"file", "exePath"}] = "/opt/proc";
    settings.values[{"file", "avsPath"}] = "/tpl.avs";
    files.files["/tpl.avs"] = "Open($FILE)";
}

void TestForm::useFiles(const std::string& folder, const std::vector<std::string>& names,
                        const std::vector<int>& selected) {
    files.folders.insert(folder);
    files.cwd = folder;
    state().aviPath = folder;
    listFiles.fill(names, selected);
}

} // namespace quorbin::test
