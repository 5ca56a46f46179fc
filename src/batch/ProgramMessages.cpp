#include "batch/ProgramMessages.h"

#include "core/Form.h"
#include "log/TimeText.h"

namespace quorbin {

namespace {
constexpr std::size_t linesOnTheBadge = 8;
}

void ProgramMessages::jobStarted(const std::string& fileName) {
    text_.clear();
    const TimeOfDay now = form_.services.clock.timeOfDay();
    header_ = "=== " + zeroPad(now.hours, 2) + ":" + zeroPad(now.minutes, 2) + ":" + zeroPad(now.seconds, 2) +
              " " + fileName + "\n";
}

void ProgramMessages::collect(ProcessHandle handle) {
    if (handle != 0)
        text_.add(form_.services.processes.takeOutput(handle));
}

std::string ProgramMessages::lastLines() const {
    return text_.lastLines(linesOnTheBadge);
}

// Like the log, the file is opened, written and closed at once, and a file that cannot
// be written is no reason to stop a batch.
void ProgramMessages::jobEnded(ProcessHandle handle) {
    collect(handle);
    if (!text_.empty() && !header_.empty())
        form_.services.files.append(form_.options.programLogFile.empty() ? programLogFileName
                                                                         : form_.options.programLogFile,
                                    header_ + text_.text());
    text_.clear();
    header_.clear();
}

} // namespace quorbin
