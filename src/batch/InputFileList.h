#pragma once

#include <string>
#include <vector>

namespace quorbin {

struct Form;
class BatchController;
class FileOutcomes;
class JobBuilder;

// The input files of one batch: filled from the multi-select dialog, all marked, their
// folder made the working folder; a click moves the batch cursor and previews the job.
class InputFileList {
public:
    InputFileList(Form& form, BatchController& controller, JobBuilder& jobs, FileOutcomes& outcomes)
        : form_(form), controller_(controller), jobs_(jobs), outcomes_(outcomes) {}

    void buttonSelectAvi_Click();
    void listFiles_Click();

private:
    void fillList(const std::vector<std::string>& paths);
    void storeFolder();

    Form& form_;
    BatchController& controller_;
    JobBuilder& jobs_;
    FileOutcomes& outcomes_;
};

// The folder of a full path with exactly one trailing separator, and the name after it.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

} // namespace quorbin
