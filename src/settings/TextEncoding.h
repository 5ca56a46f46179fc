#pragma once

#include "platform/Result.h"
#include "platform/TextCodec.h"

#include <string>
#include <string_view>

namespace quorbin {

bool isValidUtf8(std::string_view bytes);

// How a template file held its text; a save writes it back the same way.
enum class TemplateEncoding { utf8, utf8WithMark, eightBit };

struct TemplateText {
    std::string text;
    TemplateEncoding encoding = TemplateEncoding::utf8;
};

// A template file's bytes as UTF-8 text: valid UTF-8 as it is, a byte order mark noted
// and taken off; anything else in the system's 8-bit code page, so that every byte shows
// as a character and nothing is dropped.
TemplateText templateText(std::string_view bytes, const TextCodec& codec);

// The text as the bytes of a template file in the given encoding; a failure when the
// 8-bit code page lacks one of its characters.
Result<std::string> templateBytes(std::string_view text, TemplateEncoding encoding, const TextCodec& codec);

} // namespace quorbin
