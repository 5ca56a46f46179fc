#include "platform/win32/ui/Win32TaskbarProgress.h"

#include <shobjidl.h>

namespace quorbin {

Win32TaskbarProgress::Win32TaskbarProgress(Win32MainWindow& window)
    : window_(window.handle()), buttonCreated_(RegisterWindowMessageW(L"TaskbarButtonCreated")) {
    // The shell's message reaches a program that runs with more rights than it, too.
    ChangeWindowMessageFilterEx(window_, buttonCreated_, MSGFLT_ALLOW, nullptr);
    window.onMessage(buttonCreated_, [this](WPARAM, LPARAM) {
        buttonExists_ = true;
        if (shown_)
            apply();
        return std::optional<LRESULT>(0);
    });
}

Win32TaskbarProgress::~Win32TaskbarProgress() {
    if (taskbar_)
        taskbar_->Release();
}

void Win32TaskbarProgress::show(int done, int total, bool paused) {
    shown_ = true;
    done_ = done;
    total_ = total;
    paused_ = paused;
    apply();
}

void Win32TaskbarProgress::clear() {
    const bool wasShown = shown_;
    shown_ = false;
    if (wasShown)
        apply();
}

void Win32TaskbarProgress::apply() {
    outcome_ = S_FALSE;
    if (!buttonExists_)
        return;
    if (!taskbar_) {
        outcome_ = CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                    reinterpret_cast<void**>(&taskbar_));
        if (SUCCEEDED(outcome_))
            outcome_ = taskbar_->HrInit();
        if (FAILED(outcome_)) {
            if (taskbar_)
                taskbar_->Release();
            taskbar_ = nullptr;
            return;
        }
    }
    if (!shown_) {
        outcome_ = taskbar_->SetProgressState(window_, TBPF_NOPROGRESS);
        return;
    }
    outcome_ =
        taskbar_->SetProgressValue(window_, static_cast<ULONGLONG>(done_), static_cast<ULONGLONG>(total_));
    if (SUCCEEDED(outcome_))
        outcome_ = taskbar_->SetProgressState(window_, paused_ ? TBPF_PAUSED : TBPF_NORMAL);
}

} // namespace quorbin
