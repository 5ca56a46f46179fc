#pragma once

#include "platform/Controls.h"
#include "platform/NullKeyboard.h"
#include "platform/headless/GivenFilesDialog.h"
#include "platform/headless/HeadlessControls.h"
#include "platform/headless/LineMessageBox.h"
#include "platform/headless/OrderedListBox.h"
#include "platform/headless/StreamLogView.h"

#include <ostream>
#include <string>
#include <vector>

namespace quorbin {

// The window's front end without a window, for a program run from a terminal, a script
// or a cluster's node: the log goes to `out`, what would be a box to `err`, the file
// dialog answers with the given files, and there is no Shift pulse, since there is no
// display to send it to. The program presses the buttons itself.
class HeadlessFrontEnd {
public:
    HeadlessFrontEnd(std::ostream& out, std::ostream& err, const std::string& program,
                     std::vector<std::string> files);

    Controls controls();
    MessageBox& messageBox() { return messageBox_; }
    FileDialog& fileDialog() { return dialog_; }
    Keyboard& keyboard() { return keyboard_; }

    HeadlessButton& buttonSelectAvi() { return buttons_[selectAvi]; }
    HeadlessButton& buttonStart() { return buttons_[start]; }
    HeadlessButton& buttonAbort() { return buttons_[abort]; }

private:
    enum Buttons {
        selectAvi,
        selectExe,
        selectVcf,
        start,
        loadAvs,
        abort,
        pause,
        saveAvs,
        stop,
        buttonCount
    };
    enum Boxes { cmdLine, script, templ, vcf, exe, timeout, boxCount };

    HeadlessWindow window_;
    HeadlessButton buttons_[buttonCount];
    HeadlessTextBox boxes_[boxCount];
    OrderedListBox list_;
    StreamLogView log_;
    HeadlessCaption labelTime_;
    LineMessageBox messageBox_;
    GivenFilesDialog dialog_;
    NullKeyboard keyboard_;
};

} // namespace quorbin
