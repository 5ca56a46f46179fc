#include "platform/win32/ui/MainMenu.h"

namespace quorbin {

namespace {

void append(HMENU menu, MenuItem item, const wchar_t* text) {
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item), text);
}

void appendSubmenu(HMENU menu, HMENU submenu, const wchar_t* text) {
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text);
}

} // namespace

MainMenu createMainMenu() {
    MainMenu menu{CreateMenu(), CreatePopupMenu()};
    append(menu.whenDone, MenuItem::doNothing, L"&Do nothing");
    append(menu.whenDone, MenuItem::quitQuorbin, L"&Quit Quorbin");
    append(menu.whenDone, MenuItem::sleepMachine, L"&Sleep");
    append(menu.whenDone, MenuItem::shutDownMachine, L"S&hut down");
    CheckMenuRadioItem(menu.whenDone, static_cast<UINT>(MenuItem::doNothing),
                       static_cast<UINT>(MenuItem::shutDownMachine), static_cast<UINT>(MenuItem::doNothing),
                       MF_BYCOMMAND);

    HMENU batch = CreatePopupMenu();
    appendSubmenu(batch, menu.whenDone, L"&When the batch is done");
    append(batch, MenuItem::openLogFile, L"&Open the log file");
    HMENU help = CreatePopupMenu();
    append(help, MenuItem::about, L"&About Quorbin");
    appendSubmenu(menu.bar, batch, L"&Batch");
    appendSubmenu(menu.bar, help, L"&Help");
    return menu;
}

} // namespace quorbin
