#pragma once

#include "platform/win32/ui/DesignFonts.h"
#include "platform/win32/ui/MainMenu.h"

#include "platform/win32/ui/WindowsApi.h"

#include <commctrl.h>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace quorbin {

// The controls of the main window, in tab order.
enum class Control : int {
    buttonSelectAvi,
    buttonSelectExe,
    listFiles,
    buttonSelectVcf,
    boxCmdLine,
    boxScript,
    boxTemplate,
    boxVcf,
    boxExe,
    buttonStart,
    buttonLoadAvs,
    buttonAbort,
    listLog,
    buttonPause,
    BoxTimeout,
    labelTime,
    buttonSaveAvs,
    buttonStop,
};
inline constexpr std::size_t controlCount = 18;

// The main window "Quorbin": its controls at their designed places in twips inside the
// client area, converted with the window's DPI (and again when it moves to a screen of
// another DPI), the menu bar above the client area, the designed fonts, the tab order
// and the watchdog's 500 ms timer. No button is a default
// or cancel button: Enter and Escape press nothing. It holds no logic: the adapters
// take the controls' notifications through onCommand and onNotify.
//
// The modal loops of the message box and the file dialog dispatch WM_TIMER too: the
// tick runs there as well, and the core, which counts its open boxes and dialogs, takes
// no decision while one is open.
class Win32MainWindow {
public:
    explicit Win32MainWindow(HINSTANCE instance);
    ~Win32MainWindow();
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    HWND handle() const { return window_; }
    HWND control(Control control) const { return controls_[index(control)]; }
    UINT dpi() const { return dpi_; }
    int toPixels(int twips) const;
    int toTwips(int pixels) const;

    // WM_COMMAND and WM_NOTIFY of a control, with the notification code or header.
    void onCommand(Control control, std::function<void(WORD code)> handler);
    void onNotify(Control control, std::function<LRESULT(NMHDR& header)> handler);
    // WM_DRAWITEM of an owner-drawn list.
    void onDrawItem(Control control, std::function<void(const DRAWITEMSTRUCT& item)> handler);
    // A command of the menu bar, chosen by the user.
    void onMenu(MenuItem item, std::function<void()> handler);
    // Any other message of the window, for adapters that live as long as the window: the
    // first handler that gives back a result answers it, otherwise the window goes on.
    using MessageHandler = std::function<std::optional<LRESULT>(WPARAM wParam, LPARAM lParam)>;
    void onMessage(UINT message, MessageHandler handler);
    // A message number of the window's private range (WM_APP and up) not handed out yet.
    UINT newMessage() { return nextMessage_++; }
    // Every WM_SIZE, minimising and restoring included, and the first showing.
    void onSizeChange(std::function<void()> handler) { sizeChanged_ = std::move(handler); }
    // Once the window has closed (WM_DESTROY), before the message loop ends.
    void onClosed(std::function<void()> handler) { closed_ = std::move(handler); }

    void show(int showCommand);
    void startTimerTimer(std::function<void()> tick);
    // Runs the task from the message loop, after what is being handled now. Any thread
    // may post; the task runs on the window's.
    void post(std::function<void()> task);
    void setControlWidth(Control control, int pixels);

    HMENU whenDoneMenu() const { return menu_.whenDone; }
    HICON bigIcon() const { return bigIcon_; }
    HICON smallIcon() const { return smallIcon_; }
    // A modeless box of the window's (nullptr: none), to which the message loop hands its
    // keys: Tab, Enter and Escape work there as in a dialog.
    void setModelessBox(HWND box) { modelessBox_ = box; }

    // Keys the window handles before the focused control sees them: Tab and Shift+Tab
    // move the focus in tab order. True when the message was used.
    bool handleKey(const MSG& message);
    // Runs the message loop until the window is closed; returns the exit code.
    int run();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static std::size_t index(Control control) { return static_cast<std::size_t>(control); }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void placeControls();
    void applyFonts();
    int rowHeight() const;
    void nameControls();
    void loadIcons();
    void dpiChanged(UINT dpi, const RECT& suggested);
    void runTasks();
    void sizeChanged();
    void menuChosen(UINT id);

    HINSTANCE instance_;
    MainMenu menu_;
    HWND window_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::array<HWND, controlCount> controls_{};
    std::array<std::function<void(WORD)>, controlCount> commands_;
    std::array<std::function<LRESULT(NMHDR&)>, controlCount> notifications_;
    std::array<std::function<void(const DRAWITEMSTRUCT&)>, controlCount> drawers_;
    std::array<std::function<void()>, menuItemCount> menuCommands_;
    std::vector<std::pair<UINT, MessageHandler>> messageHandlers_;
    UINT nextMessage_;
    std::function<void()> sizeChanged_;
    std::function<void()> closed_;
    std::function<void()> tick_;
    std::mutex tasksLock_;
    std::vector<std::function<void()>> tasks_;
    std::unique_ptr<DesignFonts> fonts_;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HWND lastFocus_ = nullptr;
    HWND modelessBox_ = nullptr;
    unsigned sizeChanges_ = 0;
};

} // namespace quorbin
