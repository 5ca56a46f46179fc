#include "platform/posix/PosixTextCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorbin {
namespace {

// Decodes text known to be valid UTF-8 into code points.
std::vector<char32_t> codePoints(const std::string& text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int more = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t code = lead & (0x7F >> more);
        for (int k = 1; k <= more; ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        points.push_back(code);
        i += more + 1;
    }
    return points;
}

TEST(PosixTextCodec, EveryByteOfALatin1FileBecomesItsOwnCharacterAndBack) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const PosixTextCodec codec;

    const std::string text = codec.textFrom8Bit(all);

    const std::vector<char32_t> points = codePoints(text);
    ASSERT_EQ(points.size(), 256u);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(points[static_cast<std::size_t>(b)], static_cast<char32_t>(b)) << "byte " << b;
    EXPECT_EQ(codec.textTo8Bit(text).value(), all);
    const auto euro = codec.textTo8Bit("5 \xE2\x82\xAC");
    ASSERT_FALSE(euro.ok());
    EXPECT_NE(euro.error().find("\xE2\x82\xAC"), std::string::npos) << euro.error();
}

TEST(PosixTextCodec, ProgramsGetUtf8AsItIs) {
    const PosixTextCodec codec;
    const std::string text = "Open(/home/ann/caf\xC3\xA9 \xE4\xB8\xAD.avi)\r\n";
    EXPECT_EQ(codec.programBytes(text).value(), text);
    EXPECT_EQ(codec.programBytesOrMarks(text), text);
    EXPECT_EQ(codec.programName("/home/ann/\xE4\xB8\xAD.avi").value(), "/home/ann/\xE4\xB8\xAD.avi");
}

} // namespace
} // namespace quorbin
