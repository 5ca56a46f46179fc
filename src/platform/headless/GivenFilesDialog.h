#pragma once

#include "platform/FileDialog.h"

#include <string>
#include <utility>
#include <vector>

namespace quorbin {

// The open-file dialog that never opens: it answers at once with the files given on the
// command line, whatever it is asked for.
class GivenFilesDialog final : public FileDialog {
public:
    explicit GivenFilesDialog(std::vector<std::string> paths) : paths_(std::move(paths)) {}

    Result<std::vector<std::string>> open(const OpenFileRequest& /*request*/) override { return paths_; }

private:
    std::vector<std::string> paths_;
};

} // namespace quorbin
