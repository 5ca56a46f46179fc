#include "platform/win32/Win32TextCodec.h"

#include "win32/Win32TestSupport.h"

#include <gtest/gtest.h>

namespace quorbin::test {
namespace {

// The test runs with the ANSI code page 1252 (tools/windows fixes the locale).
TEST(Win32TextCodec, TextForProgramsIsInTheAnsiCodePageOrRefusedNeverGuessed) {
    ASSERT_EQ(::GetACP(), 1252u);
    Win32TextCodec codec;
    EXPECT_EQ(codec.programBytes("Open(D:\\caf\u00e9 \u20ac.avi)\r\n").value(),
              "Open(D:\\caf\xE9 \x80.avi)\r\n");
    EXPECT_EQ(codec.programBytes("").value(), "");
    // No look-alikes: "Ā" is not "A", and nothing becomes "?".
    for (const auto& [text, named] : {std::pair<std::string, std::string>{"caf\u00e9 \u4e2d", "U+4E2D"},
                                      {"\u0100a", "U+0100"},
                                      {"x\U0001F600", "U+1F600"}}) {
        const auto bytes = codec.programBytes(text);
        ASSERT_FALSE(bytes.ok()) << text;
        EXPECT_NE(bytes.error().find(named), std::string::npos) << bytes.error();
        EXPECT_NE(bytes.error().find("1252"), std::string::npos) << bytes.error();
    }
    EXPECT_EQ(codec.programBytesOrMarks("caf\u00e9 \u4e2d \u0100"), "caf\xE9 ? ?");
    EXPECT_EQ(codec.textFrom8Bit("caf\xE9 \x80"), "caf\u00e9 \u20ac");
    EXPECT_EQ(codec.textTo8Bit("caf\u00e9").value(), "caf\xE9");
}

TEST(Win32TextCodec, APathOutsideTheCodePageIsNamedByItsShortName) {
    WideTempDir work;
    Win32TextCodec codec;
    EXPECT_EQ(codec.programName(work.file("clip.avi")).value(), work.file("clip.avi"));

    ASSERT_TRUE(::CreateDirectoryW(widen(work.file("\u4e2d\u6587")).c_str(), nullptr));
    const std::string path = work.file("\u4e2d\u6587\\clip \u0100.avi");
    writeBytes(path, "frames");
    const auto name = codec.programName(path);
    ASSERT_TRUE(name.ok()) << name.error();
    EXPECT_TRUE(codec.programBytes(*name).ok()) << *name;
    EXPECT_EQ(bytesOf(*name), "frames") << "the short name opens the same file";

    const auto none = codec.programName(work.file("\u4e2d\u6587\\missing \u0100.avi"));
    ASSERT_FALSE(none.ok());
    EXPECT_NE(none.error().find("missing \u0100.avi"), std::string::npos) << none.error();
}

} // namespace
} // namespace quorbin::test
