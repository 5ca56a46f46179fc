#include "platform/posix/PosixTextCodec.h"

#include <cstdio>

namespace quorbin {

std::string PosixTextCodec::textFrom8Bit(std::string_view bytes) const {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

// Latin-1 holds U+0000 to U+00FF: one byte each, the two-byte UTF-8 forms C2 and C3.
Result<std::string> PosixTextCodec::textTo8Bit(std::string_view text) const {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            bytes += text[i];
        } else if ((lead == 0xC2 || lead == 0xC3) && i + 1 < text.size()) {
            bytes += static_cast<char>(((lead & 0x03) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
        } else {
            std::size_t end = i + 1;
            while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
                ++end;
            return Failure{"Latin-1 lacks the character \"" + std::string(text.substr(i, end - i)) + "\""};
        }
    }
    return bytes;
}

} // namespace quorbin
