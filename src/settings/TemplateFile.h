#pragma once

#include "settings/TextEncoding.h"

namespace quorbin {

struct Form;

// Moves the script template between its file (avsPath) and boxTemplate. The box, not
// the file, is what the batch uses. The text is saved in the encoding it was last read
// in (UTF-8 where nothing was read yet), so an older 8-bit template stays readable by
// whatever else reads it.
class TemplateFile {
public:
    explicit TemplateFile(Form& form) : form_(form) {}

    void loadTemplate();
    void buttonSaveAvs_Click();

private:
    Form& form_;
    TemplateEncoding encoding_ = TemplateEncoding::utf8;
};

} // namespace quorbin
