#pragma once

#include "platform/FileDialog.h"

#include <string>

namespace quorbin {

struct Form;
struct BatchState;
class TemplateFile;
class TextBox;

// The three single-file pickers: the processing program, the settings file and the
// template. One family; the members differ only in what their table row says.
class FilePickers {
public:
    FilePickers(Form& form, TemplateFile& templateFile) : form_(form), templateFile_(templateFile) {}

    void buttonSelectExe_Click();
    void buttonSelectVcf_Click();
    void buttonLoadAvs_Click();

private:
    struct Picker {
        const char* title;
        const char* filter;
        FileKind kind;
        bool readOnlyTicked;
        std::string BatchState::*field;
        TextBox* box; // null for the template, which is shown in no box
        const char* key;
    };

    void pick(const Picker& picker);

    Form& form_;
    TemplateFile& templateFile_;
};

} // namespace quorbin
