// The log append of the Windows build: the first 100,000 lines of one window's event
// log against the last 100,000 of a million in a second window, a line to each in turn,
// so that both sides see the machine at the same moments. Each window is painted after
// every 1,000th of its lines, after a turn of the message loop, and both count with the
// line. What is timed is the view's part of a logged line (the log file's write is the
// same at any length).
//
//   bench_win32_log     prints the row "log append, Windows"
#include "FigureRow.h"
#include "FirstPaintWait.h"

#include "platform/win32/ui/Win32FrontEnd.h"

#include <objbase.h>

#include <cstdio>
#include <string>

namespace {

using namespace quorbin;

constexpr int allLines = 1'000'000;
constexpr int measuredLines = 100'000;
constexpr int linesBetweenPaints = 1000;

void settle() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class LoggedWindow {
public:
    explicit LoggedWindow(int left) {
        SetWindowPos(front_.window().handle(), nullptr, left, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        front_.window().show(SW_SHOWNOACTIVATE);
        settle();
    }

    int count() { return front_.controls().listLog.count(); }

    // One line, and every so often a turn of the message loop and the paint, as the
    // loop would run them; returns the nanoseconds it took, the turn and the paint with it.
    long long logLine(long long sequence) {
        const std::string line =
            "12:00:00 (00:00:00) FILE size:" + std::to_string(1'000'000 + 4096 * sequence);
        const long long start = counterNs();
        log_.appendSelected(line);
        if (log_.count() % linesBetweenPaints == 0) {
            const long long turn = counterNs();
            settle();
            RedrawWindow(front_.window().handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            turns_ += counterNs() - turn;
            ++turnCount_;
        }
        return counterNs() - start;
    }

    // Lines added as fast as the log takes them, then shown in one turn of the loop.
    void fill(int lines, long long& sequence) {
        while (count() < lines)
            log_.appendSelected("12:00:00 (00:00:00) FILE size:" +
                                std::to_string(1'000'000 + 4096 * ++sequence));
        settle();
    }

    // The mean of a turn of the loop with its paint, in seconds.
    double meanTurn() const { return turnCount_ ? static_cast<double>(turns_) / turnCount_ / 1e9 : 0; }

private:
    Win32FrontEnd front_{GetModuleHandleW(nullptr)};
    LogView& log_ = front_.controls().listLog;
    long long turns_ = 0;
    long long turnCount_ = 0;
};

} // namespace

int wmain() {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    LoggedWindow young(0);
    LoggedWindow old(600);
    long long sequence = 0;
    const long long fillStart = counterNs();
    old.fill(allLines - measuredLines, sequence);
    const double fillSeconds = static_cast<double>(counterNs() - fillStart) / 1e9;
    long long first = 0;
    long long last = 0;
    for (int i = 0; i < measuredLines; ++i) {
        first += young.logLine(++sequence);
        last += old.logLine(++sequence);
    }
    const double firstMean = static_cast<double>(first) / measuredLines / 1e9;
    const double lastMean = static_cast<double>(last) / measuredLines / 1e9;
    const double ratio = lastMean / firstMean;
    printRow("log append, Windows",
             ratioText(ratio) + " (" + durationText(lastMean) + " vs " + durationText(firstMean) + " a line)",
             "\xe2\x89\xa4 1.5\xc3\x97", ratio <= 1.5);
    printNote("Windows build under Wine: a turn of the message loop that shows 1,000 new lines, with its "
              "paint, took " +
              durationText(old.meanTurn()) +
              " at a million lines; filling the first 900,000 in one turn took " + durationText(fillSeconds));
    return 0;
}
