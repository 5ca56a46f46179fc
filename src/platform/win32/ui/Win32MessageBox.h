#pragma once

#include "platform/MessageBox.h"
#include "platform/win32/ui/Win32MainWindow.h"

namespace quorbin {

// A modal MessageBoxW with one OK button and no icon, owned by the main window, which
// it disables while it is open.
class Win32MessageBox final : public MessageBox {
public:
    explicit Win32MessageBox(Win32MainWindow& window) : window_(window) {}

    void show(const std::string& text, const std::string& title) override;
    bool ask(const std::string& text, const std::string& title) override;

private:
    Win32MainWindow& window_;
};

} // namespace quorbin
