#include "platform/win32/Win32BatchRecords.h"
#include "platform/win32/Win32FolderClaims.h"

#include "win32/Win32TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorbin {
namespace {

using test::WideTempDir;

// The user's local application data is a test's own for as long as it lives.
class LocalAppData {
public:
    LocalAppData() {
        ::GetEnvironmentVariableW(L"LOCALAPPDATA", before_, MAX_PATH);
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", dir_.path().c_str());
    }
    ~LocalAppData() { ::SetEnvironmentVariableW(L"LOCALAPPDATA", before_); }
    std::filesystem::path folder() const { return dir_.path() / L"Quorbin"; }

private:
    WideTempDir dir_;
    wchar_t before_[MAX_PATH] = {};
};

TEST(Win32BatchRecords, RecordsAreReplacedWholeAndListedNewestFirst) {
    LocalAppData home;
    Win32BatchRecords records;
    ASSERT_TRUE(records.save("C:\\clips\\", "first\r\n"));
    ASSERT_TRUE(records.save("C:\\clips\\", "old\n"));
    // An hour older: listed after a record saved now.
    for (const auto& file : std::filesystem::directory_iterator(home.folder()))
        std::filesystem::last_write_time(file.path(), std::filesystem::last_write_time(file.path()) -
                                                          std::chrono::hours(1));
    ASSERT_TRUE(records.save("C:\\caf\u00e9\\", "new\n"));
    EXPECT_EQ(records.all(), (std::vector<std::string>{"new\n", "old\n"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.folder()), {}), 2);
    records.forget("C:\\clips\\");
    EXPECT_EQ(records.all(), std::vector<std::string>{"new\n"});
}

TEST(Win32FolderClaims, AFolderHeldByOneInstanceIsRefusedToAnother) {
    LocalAppData home;
    Win32FolderClaims first;
    Win32FolderClaims second;
    ASSERT_TRUE(first.claim("C:\\clips\\"));
    EXPECT_FALSE(first.claimedElsewhere("C:\\clips\\"));
    EXPECT_TRUE(second.claimedElsewhere("C:\\clips\\"));
    EXPECT_FALSE(second.claim("C:\\clips\\"));
    first.release("C:\\clips\\");
    EXPECT_TRUE(second.claim("C:\\clips\\"));
}

} // namespace
} // namespace quorbin
