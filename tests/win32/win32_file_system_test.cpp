#include "platform/win32/Win32FileSystem.h"

#include "win32/Win32TestSupport.h"

#include <gtest/gtest.h>

namespace quorbin::test {
namespace {

TEST(Win32FileSystem, FilesWithNamesOutsideTheCodePageAreWrittenReadAndMeasured) {
    WideTempDir work;
    Win32FileSystem files;
    for (const std::string name : {"plain.txt", "caf\u00e9.avs", "\u4e2d\u6587 \u0100.log"}) {
        SCOPED_TRACE(name);
        const std::string path = work.file(name);
        ASSERT_TRUE(files.writeAll(path, "first\r\n").ok());
        ASSERT_TRUE(files.append(path, "second\r\n").ok());
        EXPECT_EQ(files.readAll(path).value(), "first\r\nsecond\r\n");
        EXPECT_EQ(bytesOf(path), "first\r\nsecond\r\n");
        EXPECT_EQ(files.length(path).value(), 15);
        ASSERT_TRUE(files.writeAll(path, "").ok());
        EXPECT_EQ(files.length(path).value(), 0);
        EXPECT_TRUE(files.remove(path).ok());
        EXPECT_FALSE(files.length(path).ok());
        EXPECT_FALSE(files.remove(path).ok());
    }
}

TEST(Win32FileSystem, SizesPastFourGigabytesAreWhole) {
    WideTempDir work;
    const std::string path = work.file("big.avi");
    HANDLE file = ::CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size{};
    size.QuadPart = 5LL << 30;
    const bool grown = ::SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
    ::CloseHandle(file);
    ASSERT_TRUE(grown);
    EXPECT_EQ(Win32FileSystem().length(path).value(), 5LL << 30);
}

TEST(Win32FileSystem, CurrentDirectoryFollowsAFolderWithAnyName) {
    WideTempDir work;
    wchar_t before[32768];
    ::GetCurrentDirectoryW(32768, before);
    Win32FileSystem files;
    ASSERT_TRUE(files.setCurrentDirectory(work.folder()).ok());
    ASSERT_TRUE(files.writeAll("quorbin.log", "x").ok());
    EXPECT_EQ(bytesOf(work.file("quorbin.log")), "x");
    const auto missing = files.setCurrentDirectory(work.file("gone\\"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find(work.file("gone\\")), std::string::npos) << missing.error();
    ::SetCurrentDirectoryW(before);
}

TEST(Win32FileSystem, ReplaceAllSwapsTheWholeFileOrLeavesItAsItWas) {
    WideTempDir work;
    Win32FileSystem files;
    const std::string path = work.file("template \u00e9.avs");
    writeBytes(path, "a long earlier template\r\n");
    ASSERT_TRUE(files.replaceAll(path, "new\r\n").ok());
    EXPECT_EQ(bytesOf(path), "new\r\n");
    ASSERT_TRUE(files.replaceAll(work.file("fresh.avs"), "made\r\n").ok());
    EXPECT_EQ(bytesOf(work.file("fresh.avs")), "made\r\n");

    ::SetFileAttributesW(widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
    const auto refused = files.replaceAll(path, "lost\r\n");
    ::SetFileAttributesW(widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().find(path), std::string::npos) << refused.error();
    EXPECT_EQ(bytesOf(path), "new\r\n");

    // A folder where the file should be: nothing is written, nothing is left beside it.
    ::CreateDirectoryW(widen(work.file("folder.avs")).c_str(), nullptr);
    EXPECT_FALSE(files.replaceAll(work.file("folder.avs"), "x").ok());
    EXPECT_FALSE(files.writeAll(work.file("folder.avs"), "x").ok());
    EXPECT_FALSE(files.append(work.file("folder.avs"), "x").ok());
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(work.path()))
        ++entries;
    EXPECT_EQ(entries, 3u) << "no temporary file is left behind";
}

} // namespace
} // namespace quorbin::test
