#include "settings/TextEncoding.h"

namespace quorbin {

namespace {

// The number of continuation bytes a lead byte announces, or -1 for a byte that cannot
// start a sequence.
int continuationCount(unsigned char lead) {
    if (lead < 0x80)
        return 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 1;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 2;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 3;
    return -1;
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int more = continuationCount(lead);
        if (more < 0 || i + more >= bytes.size())
            return false;
        char32_t code = lead & (0x7F >> more);
        for (int k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((more == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
            (more == 3 && (code < 0x10000 || code > 0x10FFFF)))
            return false;
        i += more + 1;
    }
    return true;
}

namespace {
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
}

TemplateText templateText(std::string_view bytes, const TextCodec& codec) {
    if (!isValidUtf8(bytes))
        return {codec.textFrom8Bit(bytes), TemplateEncoding::eightBit};
    if (bytes.substr(0, byteOrderMark.size()) == byteOrderMark)
        return {std::string(bytes.substr(byteOrderMark.size())), TemplateEncoding::utf8WithMark};
    return {std::string(bytes), TemplateEncoding::utf8};
}

Result<std::string> templateBytes(std::string_view text, TemplateEncoding encoding, const TextCodec& codec) {
    switch (encoding) {
    case TemplateEncoding::eightBit:
        return codec.textTo8Bit(text);
    case TemplateEncoding::utf8WithMark:
        return std::string(byteOrderMark) + std::string(text);
    case TemplateEncoding::utf8:
        break;
    }
    return std::string(text);
}

} // namespace quorbin
