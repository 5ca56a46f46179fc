#pragma once

#include "platform/FileDialog.h"

#include <string>
#include <vector>

namespace quorbin {

// The open-file dialog as a user who picks the same files every time.
class ScriptedFileDialog final : public FileDialog {
public:
    void answerWith(std::vector<std::string> paths) { paths_ = std::move(paths); }
    Result<std::vector<std::string>> open(const OpenFileRequest&) override { return paths_; }

private:
    std::vector<std::string> paths_;
};

} // namespace quorbin
