#pragma once

#include "platform/Result.h"

#include <string>

namespace quorbin {

struct Form;

// Turns the current file into its job: the script in boxScript, the command line in
// boxCmdLine and outputPath, and the job script file. The boxes carry the job, so what
// the user sees (and may edit) is exactly what is written and passed.
class JobBuilder {
public:
    explicit JobBuilder(Form& form) : form_(form) {}

    void makeScript();
    void makeCmdLine();
    void writeScript();

private:
    std::string scriptPath() const;
    Result<std::string> scriptBytes() const;

    Form& form_;
};

} // namespace quorbin
