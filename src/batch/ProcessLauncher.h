#pragma once

namespace quorbin {

struct Form;
class EventLog;
class FileOutcomes;
class JobBuilder;
class ProgramMessages;

// Starts the processing program for the current file and keeps its handle in hProcess;
// ends it again. The file's outcome and the program's messages follow each job.
class ProcessLauncher {
public:
    ProcessLauncher(Form& form, EventLog& log, JobBuilder& jobs, FileOutcomes& outcomes,
                    ProgramMessages& messages)
        : form_(form), log_(log), jobs_(jobs), outcomes_(outcomes), messages_(messages) {}

    void runProcess();

    // Terminates hProcess and logs the kill line, whatever the process's state.
    void killProcess();

private:
    void endEarlierProcess();
    void launch();

    Form& form_;
    EventLog& log_;
    JobBuilder& jobs_;
    FileOutcomes& outcomes_;
    ProgramMessages& messages_;
};

} // namespace quorbin
