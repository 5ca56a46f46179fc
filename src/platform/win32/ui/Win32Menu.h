#pragma once

#include "platform/Caption.h"
#include "platform/Choice.h"
#include "platform/win32/ui/Win32MainWindow.h"

namespace quorbin {

// The radio items "When the batch is done" as a choice, numbered from 0 as WhenDoneItem:
// a user's choice checks its item and runs the handler; setChosen checks it and runs
// nothing.
class Win32MenuChoice final : public Choice {
public:
    explicit Win32MenuChoice(Win32MainWindow& window);

    int chosen() const override { return chosen_; }
    void setChosen(int item) override;
    void onChoose(std::function<void(int item)> handler) override { handler_ = std::move(handler); }

private:
    HMENU menu_;
    int chosen_ = 0;
    std::function<void(int)> handler_;
};

// A menu command as a button: its text and the user's choosing it.
class Win32MenuButton final : public Button {
public:
    Win32MenuButton(Win32MainWindow& window, MenuItem item);

    std::string caption() const override;
    void setCaption(const std::string& text) override;
    void onClick(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    HWND window_;
    MenuItem item_;
    std::function<void()> handler_;
};

} // namespace quorbin
