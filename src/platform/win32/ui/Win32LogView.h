#pragma once

#include "platform/LogLines.h"
#include "platform/LogView.h"
#include "platform/win32/ui/Win32MainWindow.h"

#include <string>

namespace quorbin {

// The event log over an owner-drawn list box without data of its own (LBS_NODATA): the
// control knows only how many rows there are and draws the few in view from LogLines,
// so a line costs the same at the millionth as at the first. One row is selected, the
// newest after each line; Ctrl+C copies the selected row.
//
// Under Wine every call that changes a list's rows or its selection goes through the
// window server, a millisecond or more each; the lines of one turn of the message loop
// (a batch logs several at once) are therefore shown together, with one count, one
// selection and one scroll, before anything is painted. Under Wine, too, a list view's
// selection costs time in proportion to its rows, which rules it out here.
class Win32LogView final : public LogView {
public:
    explicit Win32LogView(Win32MainWindow& window);
    ~Win32LogView() override;
    Win32LogView(const Win32LogView&) = delete;
    Win32LogView& operator=(const Win32LogView&) = delete;

    void appendSelected(const std::string& line) override;
    int count() const override { return static_cast<int>(lines_.count()); }

    // Puts the selected row's text on the clipboard; false when there is none or the
    // clipboard cannot be had.
    bool copySelected();

private:
    void showNewest();
    void draw(const DRAWITEMSTRUCT& item) const;
    static LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

    Win32MainWindow& window_;
    HWND list_;
    WNDPROC listDefault_ = nullptr; // the list box's own procedure, which listProc stands in front of
    LogLines lines_;
    bool showing_ = false;      // a showNewest is on its way
    std::size_t widestRow_ = 0; // the longest line in bytes, not yet measured
    bool widthPending_ = false;
    std::size_t measuredBytes_ = 0; // the longest line measured so far
    int contentWidth_ = 0;          // pixels, of the widest line measured
};

} // namespace quorbin
