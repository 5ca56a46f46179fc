#include "platform/win32/Win32Clock.h"

#include "platform/win32/WindowsHeader.h"

namespace quorbin {

double Win32Clock::timerSeconds() const {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return now.wHour * 3600 + now.wMinute * 60 + now.wSecond + now.wMilliseconds / 1000.0;
}

TimeOfDay Win32Clock::timeOfDay() const {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return TimeOfDay{now.wHour, now.wMinute, now.wSecond};
}

// QueryPerformanceCounter and GetTickCount64 go on counting while the machine sleeps: a
// job frozen by a night asleep would be timed out the moment the machine wakes.
double Win32Clock::steadySeconds() const {
    ULONGLONG hundredsOfNanoseconds = 0;
    ::QueryUnbiasedInterruptTime(&hundredsOfNanoseconds);
    return static_cast<double>(hundredsOfNanoseconds) / 1e7;
}

} // namespace quorbin
