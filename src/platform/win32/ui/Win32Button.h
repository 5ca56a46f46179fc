#pragma once

#include "platform/Caption.h"
#include "platform/win32/ui/Win32MainWindow.h"

namespace quorbin {

// A push button: its caption and its clicks.
class Win32Button final : public Button {
public:
    Win32Button(Win32MainWindow& window, Control control);

    std::string caption() const override;
    void setCaption(const std::string& text) override;
    void onClick(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    HWND button_;
    std::function<void()> handler_;
};

// A label. The tick sets the elapsed time twice a second, and in mode 0 always to the
// same empty text: an unchanged text is recognised in the core's own UTF-8, without a
// conversion, and repaints nothing. The adapter is the label's only writer.
class Win32Label final : public Caption {
public:
    Win32Label(Win32MainWindow& window, Control control);

    std::string caption() const override { return shown_; }
    void setCaption(const std::string& text) override;

private:
    HWND label_;
    std::string shown_;
};

} // namespace quorbin
