#include "platform/win32/ui/Win32Menu.h"

#include "platform/WhenDoneItems.h"
#include "platform/win32/WideText.h"

namespace quorbin {

namespace {

constexpr MenuItem choices[] = {MenuItem::doNothing, MenuItem::quitQuorbin, MenuItem::sleepMachine,
                                MenuItem::shutDownMachine};
constexpr int choiceCount = 4;
static_assert(choices[quitQuorbin] == MenuItem::quitQuorbin &&
              choices[sleepMachine] == MenuItem::sleepMachine &&
              choices[shutDownMachine] == MenuItem::shutDownMachine && shutDownMachine == choiceCount - 1);

UINT id(MenuItem item) {
    return static_cast<UINT>(item);
}

} // namespace

Win32MenuChoice::Win32MenuChoice(Win32MainWindow& window) : menu_(window.whenDoneMenu()) {
    for (int i = 0; i < choiceCount; ++i)
        window.onMenu(choices[i], [this, i] {
            setChosen(i);
            if (handler_)
                handler_(i);
        });
}

void Win32MenuChoice::setChosen(int item) {
    if (item < 0 || item >= choiceCount)
        return;
    chosen_ = item;
    CheckMenuRadioItem(menu_, id(choices[0]), id(choices[choiceCount - 1]), id(choices[item]), MF_BYCOMMAND);
}

Win32MenuButton::Win32MenuButton(Win32MainWindow& window, MenuItem item)
    : window_(window.handle()), item_(item) {
    window.onMenu(item, [this] {
        if (handler_)
            handler_();
    });
}

std::string Win32MenuButton::caption() const {
    wchar_t text[128] = {};
    GetMenuStringW(GetMenu(window_), id(item_), text, 128, MF_BYCOMMAND);
    return narrow(text);
}

void Win32MenuButton::setCaption(const std::string& text) {
    ModifyMenuW(GetMenu(window_), id(item_), MF_BYCOMMAND | MF_STRING, id(item_), widen(text).c_str());
    DrawMenuBar(window_);
}

} // namespace quorbin
