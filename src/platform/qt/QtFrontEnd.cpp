#include "platform/qt/QtFrontEnd.h"

namespace quorbin {

namespace {

QtMainWindow& withPlatformWindow(QtMainWindow& window) {
    // The platform window knows its frame before it is shown; the outer width that
    // start-up restores needs it.
    window.winId();
    return window;
}

QtSettingsStore makeStore(const std::optional<QString>& path) {
    return path ? QtSettingsStore(*path) : QtSettingsStore();
}

} // namespace

QtFrontEnd::QtFrontEnd(const std::optional<QString>& settingsPath)
    : windowGeometry_(withPlatformWindow(window_)), buttonSelectAvi_(window_.buttonSelectAvi()),
      buttonSelectExe_(window_.buttonSelectExe()), listFiles_(window_.listFiles()),
      buttonSelectVcf_(window_.buttonSelectVcf()), boxCmdLine_(window_.boxCmdLine()),
      boxScript_(window_.boxScript()), boxTemplate_(window_.boxTemplate()), boxVcf_(window_.boxVcf()),
      boxExe_(window_.boxExe()), buttonStart_(window_.buttonStart()), buttonLoadAvs_(window_.buttonLoadAvs()),
      buttonAbort_(window_.buttonAbort()), listLog_(window_.listLog(), window_.logLines()),
      buttonPause_(window_.buttonPause()), BoxTimeout_(window_.BoxTimeout()), labelTime_(window_.labelTime()),
      buttonSaveAvs_(window_.buttonSaveAvs()), buttonStop_(window_.buttonStop()),
      menuWhenDone_(window_.menus().whenDone()), menuOpenLog_(window_.menus().openLog()),
      messageBox_(&window_), fileDialog_(&window_), settings_(makeStore(settingsPath)), countdown_(&window_) {
}

Controls QtFrontEnd::controls() {
    return Controls{
        .window = windowGeometry_,
        .buttonSelectAvi = buttonSelectAvi_,
        .buttonSelectExe = buttonSelectExe_,
        .listFiles = listFiles_,
        .buttonSelectVcf = buttonSelectVcf_,
        .boxCmdLine = boxCmdLine_,
        .boxScript = boxScript_,
        .boxTemplate = boxTemplate_,
        .boxVcf = boxVcf_,
        .boxExe = boxExe_,
        .buttonStart = buttonStart_,
        .buttonLoadAvs = buttonLoadAvs_,
        .buttonAbort = buttonAbort_,
        .listLog = listLog_,
        .buttonPause = buttonPause_,
        .BoxTimeout = BoxTimeout_,
        .labelTime = labelTime_,
        .buttonSaveAvs = buttonSaveAvs_,
        .buttonStop = buttonStop_,
        .menuWhenDone = menuWhenDone_,
        .menuOpenLog = menuOpenLog_,
    };
}

} // namespace quorbin
