#pragma once

#include <string>
#include <vector>

namespace quorbin {

// What one showing of the modal open-file dialog asks for.
struct OpenFileRequest {
    std::string title;
    std::string filter;        // one pattern, e.g. "*.avi"
    std::string initialFolder; // a folder or a file's full path; empty for the dialog's default
    bool multiSelect = false;
    bool readOnlyTicked = false; // the read-only check box starts ticked; its state is never read
    bool mustExist = false;      // false: a typed name of a file that does not exist is accepted
};

// The dialog's answer: the chosen full paths (empty when the user cancelled), or a
// failure with its description.
struct OpenFileResult {
    bool ok = true;
    std::vector<std::string> paths;
    std::string error;
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual OpenFileResult open(const OpenFileRequest& request) = 0;
};

} // namespace quorbin
