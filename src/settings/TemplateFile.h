#pragma once

namespace quorbin {

struct Form;

// Moves the script template between its file (avsPath) and boxTemplate. The box, not
// the file, is what the batch uses.
class TemplateFile {
public:
    explicit TemplateFile(Form& form) : form_(form) {}

    void loadTemplate();
    void buttonSaveAvs_Click();

private:
    Form& form_;
};

} // namespace quorbin
