#include "platform/win32/ui/Win32FrontEnd.h"

#include "platform/win32/ui/AboutBox.h"

namespace quorbin {

Win32FrontEnd::Win32FrontEnd(HINSTANCE instance)
    : window_(instance), windowGeometry_(window_), buttonSelectAvi_(window_, Control::buttonSelectAvi),
      buttonSelectExe_(window_, Control::buttonSelectExe), listFiles_(window_),
      buttonSelectVcf_(window_, Control::buttonSelectVcf), boxCmdLine_(window_, Control::boxCmdLine),
      boxScript_(window_, Control::boxScript), boxTemplate_(window_, Control::boxTemplate),
      boxVcf_(window_, Control::boxVcf), boxExe_(window_, Control::boxExe),
      buttonStart_(window_, Control::buttonStart), buttonLoadAvs_(window_, Control::buttonLoadAvs),
      buttonAbort_(window_, Control::buttonAbort), listLog_(window_),
      buttonPause_(window_, Control::buttonPause), BoxTimeout_(window_, Control::BoxTimeout),
      labelTime_(window_, Control::labelTime), buttonSaveAvs_(window_, Control::buttonSaveAvs),
      buttonStop_(window_, Control::buttonStop), messageBox_(window_), fileDialog_(window_),
      menuWhenDone_(window_), menuOpenLog_(window_, MenuItem::openLogFile), countdown_(window_),
      notifier_(window_), taskbar_(window_), power_(window_) {
    window_.onMenu(MenuItem::about, [this] { showAboutBox(window_.handle()); });
}

Controls Win32FrontEnd::controls() {
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
