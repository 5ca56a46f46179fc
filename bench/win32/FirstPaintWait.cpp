#include "FirstPaintWait.h"

namespace quorbin {

long long counterNs() {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<long long>(static_cast<double>(now.QuadPart) * 1e9 /
                                  static_cast<double>(frequency.QuadPart));
}

// Windows makes WM_PAINT only when nothing else is queued, so the first paint is done
// when the queue is empty and no window of the thread has anything left to paint.
long long waitForFirstPaint() {
    MSG message{};
    for (;;) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if ((HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) == 0) {
            GdiFlush();
            return counterNs();
        }
    }
}

} // namespace quorbin
