#include "platform/win32/SystemMessage.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileOpener.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace quorbin {
namespace {

// A file that is there would open in a program (under Wine, too): only the failure is
// checked, for the full path it names and the system's reason.
TEST(Win32FileOpener, AFailureNamesTheFullPathAndTheSystemsReason) {
    wchar_t here[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, here);
    std::string expected = narrow(here);
    if (expected.back() != '\\')
        expected += '\\';
    const Result<void> opened = Win32FileOpener().open("missing folder\\quorbin.log");
    ASSERT_FALSE(opened.ok());
    EXPECT_NE(opened.error().find("\"" + expected + "missing folder\\quorbin.log\""), std::string::npos)
        << opened.error();
    EXPECT_NE(opened.error().find(systemMessage(ERROR_PATH_NOT_FOUND)), std::string::npos) << opened.error();
}

} // namespace
} // namespace quorbin
