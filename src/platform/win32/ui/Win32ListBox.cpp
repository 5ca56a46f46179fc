#include "platform/win32/ui/Win32ListBox.h"

#include "platform/win32/WideText.h"
#include "platform/win32/ui/EntryMarkGlyph.h"

#include <vssym32.h>

#include <algorithm>

namespace quorbin {

namespace {

// At 96 DPI: the room left of the check box, its size and the gap before the name.
constexpr int markMargin = 2;
constexpr int markSize = 13;
constexpr int markGap = 4;

int scaled(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

bool highContrast() {
    HIGHCONTRASTW scheme{};
    scheme.cbSize = sizeof(scheme);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(scheme), &scheme, 0) &&
           (scheme.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace

Win32ListBox::Win32ListBox(Win32MainWindow& window)
    : window_(window), list_(window.control(Control::listFiles)), theme_(OpenThemeData(list_, L"BUTTON")),
      highContrast_(highContrast()), systemAccessible_(list_), tip_(list_, HoverTip::Mouse::relayedByOwner) {
    window_.onCommand(Control::listFiles, [this](WORD code) {
        if (code == LBN_SELCHANGE)
            userMadeCurrent();
    });
    window_.onDrawItem(Control::listFiles, [this](const DRAWITEMSTRUCT& item) { draw(item); });
    // Subclassed through the window's own procedure pointer: under Wine, SetWindowSubclass
    // finds its data through a window property, a round trip to the window server for
    // every message the list gets.
    SetWindowLongPtrW(list_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listDefault_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc)));
}

Win32ListBox::~Win32ListBox() {
    SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listDefault_));
    SetWindowLongPtrW(list_, GWLP_USERDATA, 0);
    window_.onCommand(Control::listFiles, {});
    window_.onDrawItem(Control::listFiles, {});
    if (theme_)
        CloseThemeData(theme_);
}

int Win32ListBox::count() const {
    insertPending();
    return static_cast<int>(entries_.size());
}

std::string Win32ListBox::entryText(int index) const {
    return index >= 0 && index < count() ? entries_[static_cast<std::size_t>(index)].text : std::string();
}

bool Win32ListBox::isSelected(int index) const {
    return index >= 0 && index < count() && entries_[static_cast<std::size_t>(index)].marked;
}

void Win32ListBox::setSelected(int index, bool selected) {
    if (index < 0 || index >= count())
        return;
    entries_[static_cast<std::size_t>(index)].marked = selected;
    redrawEntry(index);
}

int Win32ListBox::currentIndex() const {
    insertPending();
    return static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
}

// A list box tells nothing of a selection made by code.
void Win32ListBox::setCurrentIndex(int index) {
    if (index == currentIndex())
        return;
    SendMessageW(list_, LB_SETCURSEL, index >= 0 && index < count() ? index : -1, 0);
    current_ = currentIndex();
}

void Win32ListBox::clear() {
    pending_.clear();
    forgetAll();
    tip_.setText({});
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, 0, 0);
    entries_.clear();
    current_ = -1;
    contentWidth_ = 0;
}

void Win32ListBox::setBadge(int index, const EntryBadge& badge) {
    if (index < 0 || index >= count())
        return;
    entries_[static_cast<std::size_t>(index)].badge = badge;
    redrawEntry(index);
    describe(index);
    showTipFor(mouse_);
}

// The child ids are positions: the entry's own, and no other, carries its description.
void Win32ListBox::describe(int index) const {
    const int id = index + 1;
    const Entry& entry = entries_[static_cast<std::size_t>(index)];
    const auto at = std::lower_bound(described_.begin(), described_.end(), id);
    const bool had = at != described_.end() && *at == id;
    if (entry.badge.mark == EntryMark::none) {
        if (had) {
            accessible_->forget(id);
            described_.erase(at);
        }
        return;
    }
    accessible_->describe(id, widen(entry.text + ", " + entry.badge.summary), widen(entry.badge.details));
    if (!had)
        described_.insert(at, id);
}

// After entries moved: the descriptions follow their entries to their new child ids.
void Win32ListBox::describeAll() const {
    const std::vector<int> before = std::move(described_);
    described_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].badge.mark != EntryMark::none)
            describe(static_cast<int>(i));
    for (int id : before)
        if (!std::binary_search(described_.begin(), described_.end(), id))
            accessible_->forget(id);
}

void Win32ListBox::forgetAll() const {
    for (int id : described_)
        accessible_->forget(id);
    described_.clear();
}

// The tooltip tells the details of the entry under the mouse.
void Win32ListBox::showTipFor(POINT mouse) const {
    const int index = mouse.x < 0 ? -1 : entryAt(mouse);
    tip_.setText(index < 0 ? std::wstring() : widen(entries_[static_cast<std::size_t>(index)].badge.details));
}

void Win32ListBox::addSorted(const std::string& text) {
    if (pending_.empty())
        window_.post([this] { insertPending(); });
    pending_.push_back(text);
}

std::wstring Win32ListBox::sortKey(const std::string& text) {
    std::wstring key = widen(text);
    if (!key.empty())
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, key.data(), static_cast<int>(key.size()),
                      key.data(), static_cast<int>(key.size()), nullptr, nullptr, 0);
    return key;
}

// The waiting names are sorted among themselves, equal ones in the order they came, and
// then go in behind every entry that does not sort behind them, as one by one they
// would have. Into an empty list, the common case of a new pick, they are appended.
void Win32ListBox::insertPending() const {
    if (pending_.empty())
        return;
    std::vector<Entry> names;
    names.reserve(pending_.size());
    for (std::string& text : pending_) {
        std::wstring key = sortKey(text);
        names.push_back(Entry{std::move(text), std::move(key), false, {}});
    }
    pending_.clear();
    std::stable_sort(names.begin(), names.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    widenFor(names);

    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    if (entries_.empty())
        SendMessageW(list_, LB_INITSTORAGE, names.size(), names.size() * 64);
    std::size_t from = 0;
    for (Entry& name : names) {
        const auto at =
            std::upper_bound(entries_.begin() + static_cast<std::ptrdiff_t>(from), entries_.end(), name.key,
                             [](const std::wstring& key, const Entry& e) { return key < e.key; });
        from = static_cast<std::size_t>(at - entries_.begin());
        SendMessageW(list_, LB_INSERTSTRING, from, reinterpret_cast<LPARAM>(widen(name.text).c_str()));
        entries_.insert(at, std::move(name));
        ++from;
    }
    // The current entry, the descriptions and the tooltip moved with their names.
    current_ = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
    if (!described_.empty())
        describeAll();
    showTipFor(mouse_);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

// The horizontal scroll bar reaches the end of the widest name.
void Win32ListBox::widenFor(const std::vector<Entry>& entries) const {
    HDC dc = GetDC(list_);
    HGDIOBJ before = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0)));
    int widest = contentWidth_;
    for (const Entry& entry : entries) {
        const std::wstring text = widen(entry.text);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, before);
    ReleaseDC(list_, dc);
    const UINT dpi = window_.dpi();
    const int width = widest + scaled(markMargin + markSize * 2 + markGap * 3, dpi);
    if (width > contentWidth_) {
        contentWidth_ = width;
        SendMessageW(list_, LB_SETHORIZONTALEXTENT, contentWidth_, 0);
    }
}

// Only an entry in view is drawn again; the others are drawn when they come into view.
void Win32ListBox::redrawEntry(int index) const {
    RECT row{};
    RECT client{};
    GetClientRect(list_, &client);
    if (SendMessageW(list_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&row)) == LB_ERR)
        return;
    if (row.bottom > client.top && row.top < client.bottom)
        InvalidateRect(list_, &row, FALSE);
}

RECT Win32ListBox::badgeRect(const RECT& mark) const {
    const int left = mark.right + scaled(markGap, window_.dpi());
    return RECT{left, mark.top, left + mark.right - mark.left, mark.bottom};
}

RECT Win32ListBox::markRect(const RECT& row) const {
    const UINT dpi = window_.dpi();
    const int size = std::min<int>(scaled(markSize, dpi), row.bottom - row.top);
    const int left = row.left + scaled(markMargin, dpi);
    const int top = row.top + (row.bottom - row.top - size) / 2;
    return RECT{left, top, left + size, top + size};
}

void Win32ListBox::draw(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT row = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= entries_.size()) {
        if (item.itemState & ODS_FOCUS)
            DrawFocusRect(dc, &row);
        return;
    }
    const Entry& entry = entries_[item.itemID];
    FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));
    RECT mark = markRect(row);
    if (theme_)
        DrawThemeBackground(theme_, dc, BP_CHECKBOX, entry.marked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL,
                            &mark, nullptr);
    else
        DrawFrameControl(dc, &mark, DFC_BUTTON,
                         DFCS_BUTTONCHECK | DFCS_FLAT | (entry.marked ? DFCS_CHECKED : 0));

    const RECT badge = badgeRect(mark);
    drawEntryMark(dc, badge, entry.badge.mark, window_.dpi(), highContrast_);

    RECT name{badge.right + scaled(markGap, window_.dpi()), row.top, row.right, row.bottom};
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected)
        FillRect(dc, &name, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = name;
    text.left += scaled(markGap / 2, window_.dpi());
    DrawTextW(dc, widen(entry.text).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &name);
}

// The entry under a point of the list's client area, -1 for none.
int Win32ListBox::entryAt(POINT point) const {
    const auto top = static_cast<int>(SendMessageW(list_, LB_GETTOPINDEX, 0, 0));
    const auto height = static_cast<int>(SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0));
    const int index = point.y < 0 || height <= 0 ? -1 : top + point.y / height;
    return index < static_cast<int>(entries_.size()) ? index : -1;
}

// The list box says nothing when the user ticks a mark; a tick is a click on the entry
// all the same, so the entry becomes current first.
void Win32ListBox::userTicked(int index) {
    Entry& entry = entries_[static_cast<std::size_t>(index)];
    entry.marked = !entry.marked;
    redrawEntry(index);
    if (currentIndex() != index)
        SendMessageW(list_, LB_SETCURSEL, index, 0);
    current_ = index;
    if (handler_)
        handler_();
}

// A list box may report the selection as changed when the user clicks the entry that is
// current already; that runs nothing.
void Win32ListBox::userMadeCurrent() {
    const int index = currentIndex();
    if (index == current_)
        return;
    current_ = index;
    if (handler_)
        handler_();
}

LRESULT CALLBACK Win32ListBox::listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& self = *reinterpret_cast<Win32ListBox*>(GetWindowLongPtrW(list, GWLP_USERDATA));
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        if (message == WM_MOUSEMOVE) {
            self.mouse_ = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            self.showTipFor(self.mouse_);
        }
        self.tip_.relay(message, wParam, lParam);
    }
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int index = self.entryAt(point);
        RECT row{};
        if (index >= 0 &&
            SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&row)) != LB_ERR) {
            const RECT mark = self.markRect(row);
            if (point.x < mark.right + scaled(markGap, self.window_.dpi()) / 2) {
                SetFocus(list);
                self.userTicked(index);
                return 0;
            }
        }
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            const int index = self.currentIndex();
            if (index >= 0)
                self.userTicked(index);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L' ')
            return 0; // the space bar ticks; it looks for no name starting with a blank
        break;
    case WM_THEMECHANGED:
        if (self.theme_)
            CloseThemeData(self.theme_);
        self.theme_ = OpenThemeData(list, L"BUTTON");
        self.highContrast_ = highContrast();
        break;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL: {
        // Other entries come under the mouse.
        const LRESULT result = CallWindowProcW(self.listDefault_, list, message, wParam, lParam);
        self.showTipFor(self.mouse_);
        return result;
    }
    default:
        break;
    }
    return CallWindowProcW(self.listDefault_, list, message, wParam, lParam);
}

} // namespace quorbin
