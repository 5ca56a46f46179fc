#pragma once

namespace quorbin {

struct Form;
class EventLog;
class JobBuilder;

// Starts the processing program for the current file and keeps its handle in hProcess.
class ProcessLauncher {
public:
    ProcessLauncher(Form& form, EventLog& log, JobBuilder& jobs) : form_(form), log_(log), jobs_(jobs) {}

    void runProcess();

    // Terminates hProcess and logs the kill line, whatever the process's state.
    void killProcess();

private:
    void endEarlierProcess();
    void launch();

    Form& form_;
    EventLog& log_;
    JobBuilder& jobs_;
};

} // namespace quorbin
