#pragma once

#include "platform/Notifier.h"
#include "platform/win32/ui/Win32MainWindow.h"

#include <shellapi.h>

namespace quorbin {

// A notification as the balloon of an icon in the notification area, with the tool's
// icon. The icon is there for the notification alone: it goes again when the balloon
// times out or is clicked (a click also brings the window up), and when the window
// closes or the notifier ends. A second notification while the icon is there replaces
// the balloon.
class Win32Notifier final : public Notifier {
public:
    explicit Win32Notifier(Win32MainWindow& window);
    ~Win32Notifier() override { remove(); }
    Win32Notifier(const Win32Notifier&) = delete;
    Win32Notifier& operator=(const Win32Notifier&) = delete;

    void notify(const std::string& title, const std::string& text) override;

    bool iconShown() const { return shown_; }
    UINT callbackMessage() const { return callback_; }

private:
    NOTIFYICONDATAW iconData() const;
    void answered(UINT event);
    void remove();

    Win32MainWindow& window_;
    UINT callback_;
    bool shown_ = false;
};

} // namespace quorbin
