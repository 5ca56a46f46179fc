#pragma once

#include "platform/FileDialog.h"
#include "platform/win32/ui/Win32MainWindow.h"

#include <string>
#include <vector>

namespace quorbin {

// The common open-file dialog (GetOpenFileNameW, explorer style), owned by the main
// window, which it disables while it is open.
//
// A multi-select pick returns its names in a buffer of 10,000 characters; a pick that
// does not fit is refused with a message rather than cut short. (Wine's dialog copies a
// multiple pick without looking at the buffer's size: the buffer has room to spare
// beyond the size the dialog is told, and a pick that ran into it is refused as well.)
// A single pick has room for the longest path Windows knows. The dialog may move the
// process's current directory as the user browses: it is put back, since the job script
// and the log file are addressed by their bare names in the working folder.
class Win32FileDialog final : public FileDialog {
public:
    static constexpr std::size_t multiSelectCharacters = 10000;
    static constexpr std::size_t singleCharacters = 32768;
    static constexpr std::size_t spareCharacters = 65536;

    explicit Win32FileDialog(Win32MainWindow& window) : window_(window) {}

    [[nodiscard]] Result<std::vector<std::string>> open(const OpenFileRequest& request) override;

    // The full paths in the dialog's answer: one full path, or (explorer style, several
    // files) the folder and then each name, all ending in NUL, with one more NUL at the end.
    static std::vector<std::wstring> chosenPaths(const std::wstring& answer);

private:
    Win32MainWindow& window_;
};

} // namespace quorbin
