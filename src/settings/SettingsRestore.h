#pragma once

namespace quorbin {

struct Form;
class JobBuilder;
class TemplateFile;

// Carries the user's choices from one run to the next: restores them at start-up and
// stores each one at the moment it changes.
class SettingsRestore {
public:
    SettingsRestore(Form& form, JobBuilder& jobs, TemplateFile& templateFile)
        : form_(form), jobs_(jobs), templateFile_(templateFile) {}

    void Form_Load();
    void boxExe_Change();
    void boxVcf_Change();
    void BoxTimeout_Change();
    // The last step of every resize: the window's outer width is stored.
    void saveWidth();

private:
    void enterWorkingFolder();
    void restoreWidth();

    Form& form_;
    JobBuilder& jobs_;
    TemplateFile& templateFile_;
};

} // namespace quorbin
