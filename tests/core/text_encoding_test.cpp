#include "settings/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorbin;

namespace {

struct Utf8Case {
    const char* what;
    std::string bytes;
    bool valid;
};

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

} // namespace

TEST(TextEncoding, IsValidUtf8) {
    using namespace std::string_literals;
    const std::vector<Utf8Case> cases{
        {"empty", "", true},
        {"ASCII", "Open($FILE)\r\n", true},
        {"NUL inside", "a\0b"s, true},
        {"two bytes", "caf\xC3\xA9", true},
        {"lowest two-byte", "\xC2\x80", true},
        {"highest two-byte", "\xDF\xBF", true},
        {"three bytes", "\xE2\x82\xAC", true},
        {"lowest three-byte", "\xE0\xA0\x80", true},
        {"just below the surrogates", "\xED\x9F\xBF", true},
        {"just above the surrogates", "\xEE\x80\x80", true},
        {"highest three-byte", "\xEF\xBF\xBF", true},
        {"four bytes", "\xF0\x9F\x98\x80", true},
        {"lowest four-byte", "\xF0\x90\x80\x80", true},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF", true},
        {"mixed", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z", true},
        {"two-byte lead at the end", "caf\xC3", false},
        {"three-byte cut after one", "x\xE2", false},
        {"three-byte cut after two", "x\xE2\x82", false},
        {"four-byte cut after three", "x\xF0\x9F\x98", false},
        {"lead followed by ASCII",
         "\xC3"
         "a",
         false},
        {"three-byte with ASCII inside",
         "\xE2\x82"
         "a",
         false},
        {"stray continuation", "\x80", false},
        {"stray continuation inside",
         "a\xBF"
         "b",
         false},
        {"continuation after a complete sequence", "\xC3\xA9\xA9", false},
        {"overlong C0", "\xC0\x80", false},
        {"overlong C1", "\xC1\xBF", false},
        {"overlong three-byte E0 80", "\xE0\x80\x80", false},
        {"overlong three-byte E0 9F", "\xE0\x9F\xBF", false},
        {"overlong four-byte", "\xF0\x8F\xBF\xBF", false},
        {"surrogate ED A0 80", "\xED\xA0\x80", false},
        {"surrogate ED BF BF", "\xED\xBF\xBF", false},
        {"above U+10FFFF, F4 90", "\xF4\x90\x80\x80", false},
        {"lead F5", "\xF5\x80\x80\x80", false},
        {"byte FE", "\xFE", false},
        {"byte FF", "\xFF", false},
        {"Latin-1 text", "caf\xE9", false},
    };
    for (const Utf8Case& c : cases)
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.what;
}

TEST(TextEncoding, SequenceCutByTheEndOfTheViewIsInvalid) {
    // The bytes after the view are a valid continuation and must not be looked at.
    const std::string buffer = "x\xC3\xA9\xE2\x82\xAC";
    EXPECT_FALSE(isValidUtf8(std::string_view(buffer).substr(0, 2)));
    EXPECT_FALSE(isValidUtf8(std::string_view(buffer).substr(0, 5)));
    EXPECT_TRUE(isValidUtf8(std::string_view(buffer).substr(0, 3)));
    EXPECT_EQ(textFromFileBytes(std::string_view(buffer).substr(0, 2)), "x\xC3\x83");
}

TEST(TextEncoding, TextFromFileBytes) {
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
    };
    const std::vector<Case> cases{
        {"empty", "", ""},
        {"ASCII with line ends", "Open($FILE)\r\n", "Open($FILE)\r\n"},
        {"NUL is kept", "a\0b"s, "a\0b"s},
        {"valid UTF-8 as it is", "caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC"},
        {"Latin-1", "caf\xE9", "caf\xC3\xA9"},
        {"Latin-1 with line ends", "a\r\n\xE9\r\n", "a\r\n\xC3\xA9\r\n"},
        {"lowest high byte", "\x80", "\xC2\x80"},
        {"highest byte", "\xFF", "\xC3\xBF"},
        // One invalid byte makes the whole file Latin-1, the valid-looking pair included.
        {"valid pair then a stray byte", "\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},
        {"truncated sequence at the end", "ok\xE2\x82", "ok\xC3\xA2\xC2\x82"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(textFromFileBytes(c.bytes), c.text) << c.what;
}

TEST(TextEncoding, EveryByteOfALatin1FileBecomesItsOwnCharacter) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);

    const std::string text = textFromFileBytes(all);

    ASSERT_TRUE(isValidUtf8(text));
    const std::vector<char32_t> points = codePoints(text);
    ASSERT_EQ(points.size(), 256u);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(points[static_cast<std::size_t>(b)], static_cast<char32_t>(b)) << "byte " << b;
}
