#pragma once

#include "platform/Result.h"

#include <string>
#include <vector>

namespace quorbin {

// What the dialog offers: the files that match the filter, or programs. Where programs
// carry an extension the filter names it ("*.exe"); where they carry none, the dialog
// recognises them its own way, by their permission to run.
enum class FileKind { matchingFilter, program };

// What one showing of the modal open-file dialog asks for.
struct OpenFileRequest {
    std::string title;
    std::string filter; // one pattern, e.g. "*.avi"
    FileKind kind = FileKind::matchingFilter;
    std::string initialFolder; // a folder or a file's full path; empty for the dialog's default
    bool multiSelect = false;
    bool readOnlyTicked = false; // the read-only check box starts ticked; its state is never read
    bool mustExist = false;      // false: a typed name of a file that does not exist is accepted
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The chosen full paths (none when the user cancelled), or a failure with its
    // description.
    [[nodiscard]] virtual Result<std::vector<std::string>> open(const OpenFileRequest& request) = 0;
};

} // namespace quorbin
