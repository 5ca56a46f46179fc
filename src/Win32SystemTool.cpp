#include "Win32SystemTool.h"

namespace quorbin {

Win32SystemTool::Win32SystemTool(HINSTANCE instance)
    : front_(instance), form_(front_.controls(), services()) {}

Services Win32SystemTool::services() {
    return Services{
        .processes = processes_,
        .clock = clock_,
        .files = files_,
        .messageBox = front_.messageBox(),
        .settings = settings_,
        .dialog = front_.fileDialog(),
        .keyboard = keyboard_,
        .keepAwake = keepAwake_,
        .text = text_,
        .notifier = front_.notifier(),
        .taskbar = front_.taskbar(),
        .power = front_.power(),
        .opener = opener_,
        .countdown = front_.countdown(),
        .records = records_,
        .claims = claims_,
    };
}

void Win32SystemTool::start(int showCommand) {
    form_.Form_Load();
    front_.window().show(showCommand);
    front_.startTimer([this] { form_.timerTimer_Timer(); });
    form_.offerInterruptedBatch();
}

} // namespace quorbin
