#pragma once

#include "platform/TextBox.h"
#include "platform/win32/ui/HoverTip.h"
#include "platform/win32/ui/Win32MainWindow.h"

#include <string>

namespace quorbin {

// A text box over an edit control, one line or several.
//
// An edit control reports EN_CHANGE for the user's changes and, when it has one line,
// also for every text set from code, the same text included. The box sets its text
// from code only when it differs, ignores the notification that causes, and runs the
// change handler itself, exactly once.
//
// A multi-line edit control breaks lines only at CR LF. The box shows a text set from
// code with every line end as CR LF and answers with that text, byte for byte, for as
// long as the user has not edited it; once edited, with the control's text and the line
// ends of the text set last: LF where it had only LF, otherwise CR LF. The Qt boxes
// carry line ends the same way.
//
// A warning tints the box's background (the window answers WM_CTLCOLOREDIT for it; the
// fonts stay as designed) and shows the note as the box's tooltip.
class Win32TextBox final : public TextBox {
public:
    Win32TextBox(Win32MainWindow& window, Control control);

    std::string text() const override;
    void setText(const std::string& text) override;
    void onChange(std::function<void()> handler) override { handler_ = std::move(handler); }
    void setWarning(const std::string& note) override;
    // The tooltip control, once the box has had a warning; nullptr before.
    HWND tooltip() const { return tip_.handle(); }

private:
    void changed();
    std::optional<LRESULT> colours(HDC dc, HWND control) const;

    HWND edit_;
    bool multiLine_;
    std::function<void()> handler_;
    bool settingFromCode_ = false;
    std::string codeText_;
    std::string lineEnd_;
    bool editedByUser_ = false;
    bool warned_ = false;
    HoverTip tip_;
};

} // namespace quorbin
