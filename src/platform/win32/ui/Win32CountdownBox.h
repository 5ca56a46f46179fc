#pragma once

#include "platform/CountdownBox.h"
#include "platform/win32/ui/Win32MainWindow.h"

namespace quorbin {

// The countdown box "When the batch is done": a window owned by the main window, not
// modal, centred over it, with the text and a Cancel button. Cancel, Escape and the
// close box cancel; the box closes first, then the handler runs. It closes with the
// main window too, which runs nothing. A minimised main window is restored to show it.
class Win32CountdownBox final : public CountdownBox {
public:
    explicit Win32CountdownBox(Win32MainWindow& owner) : owner_(owner) {}
    ~Win32CountdownBox() override { close(); }
    Win32CountdownBox(const Win32CountdownBox&) = delete;
    Win32CountdownBox& operator=(const Win32CountdownBox&) = delete;

    void show(const std::string& text) override;
    void close() override;
    void onCancel(std::function<void()> handler) override { handler_ = std::move(handler); }

    HWND handle() const { return box_; }

private:
    void create();
    void cancelled();
    void destroyed();
    static LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

    Win32MainWindow& owner_;
    HWND box_ = nullptr;
    HWND text_ = nullptr;
    std::function<void()> handler_;
};

} // namespace quorbin
