#pragma once

#include "platform/TaskbarProgress.h"
#include "platform/win32/ui/Win32MainWindow.h"

struct ITaskbarList3;

namespace quorbin {

// The progress on the window's taskbar button, through ITaskbarList3. The shell says
// when the button exists (the registered message "TaskbarButtonCreated", again after it
// restarts); until then the progress is only kept, and shown once it does. The COM
// object is made at the first progress to show, not at start-up.
class Win32TaskbarProgress final : public TaskbarProgress {
public:
    explicit Win32TaskbarProgress(Win32MainWindow& window);
    ~Win32TaskbarProgress() override;
    Win32TaskbarProgress(const Win32TaskbarProgress&) = delete;
    Win32TaskbarProgress& operator=(const Win32TaskbarProgress&) = delete;

    void show(int done, int total, bool paused) override;
    void clear() override;

    // What the last call to the shell gave; S_FALSE while there is no button to show on.
    HRESULT lastOutcome() const { return outcome_; }
    UINT buttonCreatedMessage() const { return buttonCreated_; }

private:
    void apply();

    HWND window_;
    UINT buttonCreated_;
    bool buttonExists_ = false;
    ITaskbarList3* taskbar_ = nullptr;
    HRESULT outcome_ = S_FALSE;
    bool shown_ = false;
    int done_ = 0;
    int total_ = 0;
    bool paused_ = false;
};

} // namespace quorbin
