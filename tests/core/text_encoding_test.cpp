#include "settings/TextEncoding.h"

#include "fakes/FakeServices.h"

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
    EXPECT_EQ(templateText(std::string_view(buffer).substr(0, 2), test::FakeTextCodec()).text, "x\xC3\x83");
}

// UTF-8 is recognised as it is; anything else is the system's 8-bit code page, here the
// fake's Latin-1. A save writes the text back the way it was read.
TEST(TextEncoding, TemplateTextAndBackInTheEncodingItWasReadIn) {
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
        TemplateEncoding encoding;
    };
    const std::vector<Case> cases{
        {"empty", "", "", TemplateEncoding::utf8},
        {"ASCII with line ends", "Open($FILE)\r\n", "Open($FILE)\r\n", TemplateEncoding::utf8},
        {"NUL is kept", "a\0b"s, "a\0b"s, TemplateEncoding::utf8},
        {"valid UTF-8 as it is", "caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC",
         TemplateEncoding::utf8},
        {"byte order mark taken off", "\xEF\xBB\xBFOpen($FILE)", "Open($FILE)",
         TemplateEncoding::utf8WithMark},
        {"byte order mark alone", "\xEF\xBB\xBF", "", TemplateEncoding::utf8WithMark},
        {"Latin-1", "caf\xE9", "caf\xC3\xA9", TemplateEncoding::eightBit},
        {"Latin-1 with line ends", "a\r\n\xE9\r\n", "a\r\n\xC3\xA9\r\n", TemplateEncoding::eightBit},
        // One invalid byte makes the whole file 8-bit, the valid-looking pair included.
        {"valid pair then a stray byte", "\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9",
         TemplateEncoding::eightBit},
        {"truncated sequence at the end", "ok\xE2\x82", "ok\xC3\xA2\xC2\x82", TemplateEncoding::eightBit},
        {"a mark before bytes that are not UTF-8", "\xEF\xBB\xBF\xE9", "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xA9",
         TemplateEncoding::eightBit},
    };
    const test::FakeTextCodec codec;
    for (const Case& c : cases) {
        const TemplateText read = templateText(c.bytes, codec);
        EXPECT_EQ(read.text, c.text) << c.what;
        EXPECT_EQ(read.encoding, c.encoding) << c.what;
        EXPECT_EQ(templateBytes(read.text, read.encoding, codec).value(), c.bytes) << c.what;
    }
    EXPECT_FALSE(templateBytes("\xE2\x82\xAC", TemplateEncoding::eightBit, codec).ok())
        << "Latin-1 has no euro";
}
