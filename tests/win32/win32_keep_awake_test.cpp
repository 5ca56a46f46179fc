#include "platform/win32/Win32KeepAwake.h"

#include "platform/win32/PowerRequestCalls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorbin::test {
namespace {

// Under Wine power requests do nothing: the calls themselves are what is checked.
std::vector<std::wstring> made;
HANDLE const request = reinterpret_cast<HANDLE>(0x1234);
bool refuseCreate = false;

HANDLE WINAPI create(REASON_CONTEXT* reason) {
    made.push_back(L"create v" + std::to_wstring(reason->Version) + L" f" + std::to_wstring(reason->Flags) +
                   L" " + reason->Reason.SimpleReasonString);
    return refuseCreate ? INVALID_HANDLE_VALUE : request;
}
BOOL WINAPI set(HANDLE handle, POWER_REQUEST_TYPE type) {
    made.push_back(L"set " + std::to_wstring(type) + (handle == request ? L"" : L" elsewhere"));
    return TRUE;
}
BOOL WINAPI clear(HANDLE handle, POWER_REQUEST_TYPE type) {
    made.push_back(L"clear " + std::to_wstring(type) + (handle == request ? L"" : L" elsewhere"));
    return TRUE;
}
BOOL WINAPI close(HANDLE handle) {
    made.push_back(handle == request ? L"close" : L"close elsewhere");
    return TRUE;
}
const PowerRequestCalls recorder{create, set, clear, close};

TEST(Win32KeepAwake, APowerRequestNamesTheReasonAndEndsOnRelease) {
    made.clear();
    refuseCreate = false;
    {
        Win32KeepAwake awake(recorder);
        awake.hold("Quorbin runs a batch: caf\u00e9");
        awake.hold("again");
        awake.release();
        awake.release();
        awake.hold("second batch");
    }
    const std::wstring system = std::to_wstring(PowerRequestSystemRequired);
    const std::wstring display = std::to_wstring(PowerRequestDisplayRequired);
    const std::vector<std::wstring> expected{L"create v0 f1 Quorbin runs a batch: caf\u00e9",
                                             L"set " + system, L"set " + display, L"clear " + system,
                                             L"clear " + display, L"close", L"create v0 f1 second batch",
                                             L"set " + system, L"set " + display,
                                             // The end of the object releases what it holds.
                                             L"clear " + system, L"clear " + display, L"close"};
    EXPECT_EQ(made, expected);

    made.clear();
    refuseCreate = true;
    Win32KeepAwake refused(recorder);
    refused.hold("refused");
    refused.release();
    EXPECT_EQ(made.size(), 1u) << "nothing is set or cleared on a request never made";
}

} // namespace
} // namespace quorbin::test
