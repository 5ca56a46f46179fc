#include "log/EventLog.h"

#include "core/Form.h"
#include "log/TimeText.h"

namespace quorbin {

void EventLog::logLine(const std::string& message) {
    const TimeOfDay now = form_.services.clock.timeOfDay();
    const std::string line = zeroPad(now.hours, 2) + ":" + zeroPad(now.minutes, 2) + ":" +
                             zeroPad(now.seconds, 2) + " (" + formatTime(form_.state.elapsed) + ") " +
                             message;
    form_.controls.listLog.appendSelected(line);
    // The file is opened, written and closed for every line, so nothing is lost if the
    // tool dies; a log file that cannot be written is no reason to stop a batch. It is
    // read by people: a character that its code page lacks shows as "?".
    const std::string& file = form_.options.logFile;
    form_.services.files.append(file.empty() ? logFileName : file,
                                form_.services.text.programBytesOrMarks(line + "\r\n"));
}

void EventLog::openLogFile() {
    Services& services = form_.services;
    if (!services.files.length(logFileName)) {
        form_.showMessage(std::string("There is no log file in the working folder yet: \"") + logFileName +
                          "\" is written there from the first Start on.");
        return;
    }
    const Result<void> opened = services.opener.open(logFileName);
    if (!opened)
        form_.showMessage(opened.error());
}

} // namespace quorbin
