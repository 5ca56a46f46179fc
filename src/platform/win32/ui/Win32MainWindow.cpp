#include "platform/win32/ui/Win32MainWindow.h"

#include "platform/TwipsConversion.h"
#include "platform/win32/ui/WindowClass.h"

#include <oleacc.h>

#include <algorithm>

namespace quorbin {

namespace {

constexpr wchar_t windowClass[] = L"QuorbinMainWindow";
constexpr int designedInnerWidth = 8145;
constexpr int designedInnerHeight = 8880;
constexpr UINT_PTR timerId = 1;
constexpr UINT tickMilliseconds = 500;
constexpr UINT taskMessage = WM_APP + 1; // the first of the window's private messages
constexpr int firstControlId = 1000;     // far from IDOK and IDCANCEL, which nothing here answers
constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int iconResource = 1;

enum class FontRole { base, caption, script };

struct Design {
    Control control;
    const wchar_t* className;
    DWORD style;
    const wchar_t* text;
    int left, top, width, height;
    FontRole font;
    const wchar_t* name; // for screen readers, where the control has no caption
};

constexpr DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD lineBox = WS_TABSTOP | ES_AUTOHSCROLL;
// Long text wraps at the box's width, as the vertical scroll bar alone implies.
constexpr DWORD multiLineBox = WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
// Owner-drawn list boxes: the file list draws each entry's mark as a check box, the log
// draws its lines from the adapter's store (no data in the control).
constexpr DWORD list = WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT;
constexpr DWORD fileList = list | LBS_HASSTRINGS | LBS_NOTIFY;
constexpr DWORD logList = list | LBS_NODATA;

// In tab order, which is also the order of creation and so of the z-order.
constexpr std::array<Design, controlCount> designs{{
    {Control::buttonSelectAvi, WC_BUTTONW, button, L"Select AVI", 150, 2250, 1425, 345, FontRole::base,
     nullptr},
    {Control::buttonSelectExe, WC_BUTTONW, button, L"Select EXE", 150, 120, 1425, 345, FontRole::base,
     nullptr},
    {Control::listFiles, WC_LISTBOXW, fileList, L"", 1740, 2250, 6105, 1635, FontRole::base, L"AVI files"},
    {Control::buttonSelectVcf, WC_BUTTONW, button, L"Select VCF", 150, 600, 1425, 345, FontRole::base,
     nullptr},
    {Control::boxCmdLine, WC_EDITW, multiLineBox, L"", 1740, 5370, 6105, 585, FontRole::base,
     L"Command line"},
    {Control::boxScript, WC_EDITW, multiLineBox, L"", 1740, 4230, 6105, 975, FontRole::script, L"Job script"},
    {Control::boxTemplate, WC_EDITW, multiLineBox, L"", 1740, 1080, 6075, 1005, FontRole::script,
     L"Script template"},
    {Control::boxVcf, WC_EDITW, lineBox, L"", 1740, 600, 6105, 315, FontRole::base, L"Settings file"},
    {Control::boxExe, WC_EDITW, lineBox, L"", 1740, 120, 6105, 315, FontRole::base, L"Processing program"},
    {Control::buttonStart, WC_BUTTONW, button, L"Start", 150, 6150, 1425, 345, FontRole::base, nullptr},
    {Control::buttonLoadAvs, WC_BUTTONW, button, L"Load AVS", 150, 1080, 1425, 345, FontRole::base, nullptr},
    {Control::buttonAbort, WC_BUTTONW, button, L"Abort", 150, 7320, 1425, 345, FontRole::base, nullptr},
    {Control::listLog, WC_LISTBOXW, logList, L"", 1740, 6150, 6105, 2400, FontRole::base, L"Event log"},
    {Control::buttonPause, WC_BUTTONW, button, L"Pause", 150, 6540, 1425, 345, FontRole::base, nullptr},
    {Control::BoxTimeout, WC_EDITW, lineBox | ES_CENTER, L"60", 300, 7950, 1155, 375, FontRole::caption,
     L"Time-out in minutes"},
    {Control::labelTime, WC_STATICW, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, L"00:00:00", 120, 5490, 1455,
     345, FontRole::caption, L"Time in the current state"},
    {Control::buttonSaveAvs, WC_BUTTONW, button, L"Save AVS", 150, 1500, 1425, 345, FontRole::base, nullptr},
    {Control::buttonStop, WC_BUTTONW, button, L"Stop", 150, 6930, 1425, 345, FontRole::base, nullptr},
}};

bool isTabStop(HWND control) {
    return (GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0;
}

bool isSingleLineEdit(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    return lstrcmpiW(name, WC_EDITW) == 0 && (GetWindowLongW(control, GWL_STYLE) & ES_MULTILINE) == 0;
}

} // namespace

Win32MainWindow::Win32MainWindow(HINSTANCE instance)
    : instance_(instance), menu_(createMainMenu()), nextMessage_(taskMessage + 1) {
    registerWindowClass(instance_, windowClass, windowProc);
    window_ = CreateWindowExW(0, windowClass, L"Quorbin", windowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                              nullptr, menu_.bar, instance_, this);
    if (!window_) {
        DestroyMenu(menu_.bar);
        return;
    }
    dpi_ = GetDpiForWindow(window_);
    fonts_ = std::make_unique<DesignFonts>(dpi_);
    createControls();
    applyFonts();
    placeControls();
    nameControls();
    loadIcons();
    // The menu bar lies outside the client area, in the frame that holds the designed
    // client area.
    RECT outer{0, 0, toPixels(designedInnerWidth), toPixels(designedInnerHeight)};
    AdjustWindowRectExForDpi(&outer, windowStyle, TRUE, 0, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32MainWindow::~Win32MainWindow() {
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    for (HICON icon : {bigIcon_, smallIcon_})
        if (icon)
            DestroyIcon(icon);
}

int Win32MainWindow::toPixels(int twips) const {
    return twipsToPixels(twips, dpi_);
}

int Win32MainWindow::toTwips(int pixels) const {
    return pixelsToTwips(pixels, dpi_);
}

void Win32MainWindow::createControls() {
    for (const Design& design : designs) {
        const auto id = firstControlId + static_cast<int>(design.control);
        const bool sunken =
            lstrcmpW(design.className, WC_EDITW) == 0 || lstrcmpW(design.className, WC_LISTBOXW) == 0;
        HWND control = CreateWindowExW(sunken ? WS_EX_CLIENTEDGE : 0, design.className, design.text,
                                       WS_CHILD | WS_VISIBLE | design.style, 0, 0, 0, 0, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        controls_[index(design.control)] = control;
    }
    // The boxes hold paths and scripts far longer than an edit control's default limit.
    for (Control box : {Control::boxCmdLine, Control::boxScript, Control::boxTemplate, Control::boxVcf,
                        Control::boxExe, Control::BoxTimeout})
        SendMessageW(control(box), EM_SETLIMITTEXT, 0, 0);
}

void Win32MainWindow::applyFonts() {
    for (const Design& design : designs) {
        HFONT font = design.font == FontRole::caption  ? fonts_->caption()
                     : design.font == FontRole::script ? fonts_->script()
                                                       : fonts_->base();
        SendMessageW(control(design.control), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    for (Control list : {Control::listFiles, Control::listLog})
        SendMessageW(control(list), LB_SETITEMHEIGHT, 0, rowHeight());
}

// A list row: the base font's line and a pixel above and below it, at 96 DPI.
int Win32MainWindow::rowHeight() const {
    HDC screen = GetDC(window_);
    HGDIOBJ before = SelectObject(screen, fonts_->base());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, before);
    ReleaseDC(window_, screen);
    return metrics.tmHeight + MulDiv(2, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
}

// Left edges, top edges and heights are always the designed ones; widths are the
// designed ones until the first resize gives the right-hand column its width.
void Win32MainWindow::placeControls() {
    for (const Design& design : designs)
        SetWindowPos(control(design.control), nullptr, toPixels(design.left), toPixels(design.top),
                     toPixels(design.width), toPixels(design.height), SWP_NOZORDER | SWP_NOACTIVATE);
}

// The boxes, the lists and the clock have no caption beside them; these names are what
// a screen reader says when one of them takes the focus. Without the accessibility
// service the controls simply go unnamed.
void Win32MainWindow::nameControls() {
    IAccPropServices* service = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&service))))
        return;
    for (const Design& design : designs)
        if (design.name)
            service->SetHwndPropStr(control(design.control), static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                    PROPID_ACC_NAME, design.name);
    service->Release();
}

void Win32MainWindow::loadIcons() {
    const auto load = [this](int metric) {
        const int size = GetSystemMetricsForDpi(metric, dpi_);
        return static_cast<HICON>(
            LoadImageW(instance_, MAKEINTRESOURCEW(iconResource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    };
    HICON big = load(SM_CXICON);
    HICON small = load(SM_CXSMICON);
    if (big)
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small)
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    for (HICON old : {bigIcon_, smallIcon_})
        if (old)
            DestroyIcon(old);
    bigIcon_ = big;
    smallIcon_ = small;
}

void Win32MainWindow::onCommand(Control control, std::function<void(WORD)> handler) {
    commands_[index(control)] = std::move(handler);
}

void Win32MainWindow::onNotify(Control control, std::function<LRESULT(NMHDR&)> handler) {
    notifications_[index(control)] = std::move(handler);
}

void Win32MainWindow::onMenu(MenuItem item, std::function<void()> handler) {
    menuCommands_[static_cast<UINT>(item) - static_cast<UINT>(MenuItem::doNothing)] = std::move(handler);
}

void Win32MainWindow::onMessage(UINT message, MessageHandler handler) {
    messageHandlers_.emplace_back(message, std::move(handler));
}

void Win32MainWindow::menuChosen(UINT id) {
    const UINT i = id - static_cast<UINT>(MenuItem::doNothing);
    if (i < menuItemCount && menuCommands_[i])
        menuCommands_[i]();
}

void Win32MainWindow::onDrawItem(Control control, std::function<void(const DRAWITEMSTRUCT&)> handler) {
    drawers_[index(control)] = std::move(handler);
}

// Showing the window changes no size when start-up has already set it, so the layout
// hears of the first showing itself.
void Win32MainWindow::show(int showCommand) {
    const unsigned before = sizeChanges_;
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    if (sizeChanges_ == before)
        sizeChanged();
}

void Win32MainWindow::startTimerTimer(std::function<void()> tick) {
    tick_ = std::move(tick);
    SetTimer(window_, timerId, tickMilliseconds, nullptr);
}

void Win32MainWindow::post(std::function<void()> task) {
    bool first = false;
    {
        const std::lock_guard<std::mutex> lock(tasksLock_);
        tasks_.push_back(std::move(task));
        first = tasks_.size() == 1;
    }
    if (first)
        PostMessageW(window_, taskMessage, 0, 0);
}

void Win32MainWindow::runTasks() {
    std::vector<std::function<void()>> tasks;
    {
        const std::lock_guard<std::mutex> lock(tasksLock_);
        tasks.swap(tasks_);
    }
    for (auto& task : tasks)
        task();
}

void Win32MainWindow::setControlWidth(Control control, int pixels) {
    HWND view = this->control(control);
    RECT bounds{};
    GetWindowRect(view, &bounds);
    SetWindowPos(view, nullptr, 0, 0, std::max(pixels, 0), bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32MainWindow::handleKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 ||
        GetKeyState(VK_MENU) < 0)
        return false;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd))
        return false;
    HWND focus = GetFocus();
    const auto at = std::find_if(controls_.begin(), controls_.end(),
                                 [focus](HWND c) { return c == focus || (focus && IsChild(c, focus)); });
    const std::ptrdiff_t count = controls_.size();
    const std::ptrdiff_t step = GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
    std::ptrdiff_t i = at == controls_.end() ? (step == 1 ? count - 1 : 0) : at - controls_.begin();
    for (std::ptrdiff_t tried = 0; tried < count; ++tried) {
        i = (i + step) % count;
        HWND next = controls_[static_cast<std::size_t>(i)];
        if (!isTabStop(next) || !IsWindowEnabled(next) || !IsWindowVisible(next))
            continue;
        SetFocus(next);
        // A one-line box entered by Tab has its text selected, ready to be typed over.
        if (isSingleLineEdit(next))
            SendMessageW(next, EM_SETSEL, 0, -1);
        SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        break;
    }
    return true;
}

int Win32MainWindow::run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (handleKey(message) || (modelessBox_ && IsDialogMessageW(modelessBox_, &message)))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void Win32MainWindow::sizeChanged() {
    ++sizeChanges_;
    if (sizeChanged_)
        sizeChanged_();
}

// The controls keep their designed twips on the new screen: fonts and places are made
// again for its DPI, and the window takes the size Windows suggests, whose resize lays
// out the widths of the right-hand column.
void Win32MainWindow::dpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    auto fonts = std::make_unique<DesignFonts>(dpi_);
    fonts.swap(fonts_);
    applyFonts();
    placeControls();
    loadIcons();
    const unsigned before = sizeChanges_;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (sizeChanges_ == before)
        sizeChanged();
}

LRESULT CALLBACK Win32MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = windowOwner<Win32MainWindow>(window, message, lParam);
    if (!self || self->window_ != window)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT Win32MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    for (const auto& [wanted, handler] : messageHandlers_)
        if (wanted == message)
            if (const std::optional<LRESULT> result = handler(wParam, lParam))
                return *result;
    switch (message) {
    case WM_COMMAND: {
        if (lParam == 0 && HIWORD(wParam) == 0) {
            menuChosen(LOWORD(wParam));
            return 0;
        }
        const int i = LOWORD(wParam) - firstControlId;
        if (lParam != 0 && i >= 0 && i < static_cast<int>(controlCount) &&
            commands_[static_cast<std::size_t>(i)])
            commands_[static_cast<std::size_t>(i)](HIWORD(wParam));
        return 0;
    }
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        const auto i = static_cast<std::ptrdiff_t>(header.idFrom) - firstControlId;
        if (i >= 0 && i < static_cast<std::ptrdiff_t>(controlCount) &&
            notifications_[static_cast<std::size_t>(i)])
            return notifications_[static_cast<std::size_t>(i)](header);
        return 0;
    }
    case WM_MEASUREITEM:
        // Asked while a list is created; the height is set again with every new font.
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(rowHeight());
        return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const auto i = static_cast<std::ptrdiff_t>(item.CtlID) - firstControlId;
        if (i >= 0 && i < static_cast<std::ptrdiff_t>(controlCount) && drawers_[static_cast<std::size_t>(i)])
            drawers_[static_cast<std::size_t>(i)](item);
        return TRUE;
    }
    case WM_SIZE:
        sizeChanged();
        return 0;
    case WM_TIMER:
        if (wParam == timerId && tick_)
            tick_();
        return 0;
    case taskMessage:
        runTasks();
        return 0;
    case WM_DPICHANGED:
        dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus))
                lastFocus_ = focus;
        }
        break;
    case WM_SETFOCUS: {
        // The control that had the focus gets it back; at first the first in tab order.
        HWND target = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : controls_.front();
        SetFocus(target);
        return 0;
    }
    case WM_DESTROY:
        KillTimer(window_, timerId);
        if (closed_)
            closed_();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace quorbin
