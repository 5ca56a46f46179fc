#pragma once

#include "platform/TextCodec.h"

namespace quorbin {

// Programs here read UTF-8, which holds every character: their text goes out as it is.
// An 8-bit file is taken as Latin-1, so every byte is one character and nothing is lost.
class PosixTextCodec final : public TextCodec {
public:
    Result<std::string> programBytes(std::string_view text) const override { return std::string(text); }
    std::string programBytesOrMarks(std::string_view text) const override { return std::string(text); }
    Result<std::string> programName(const std::string& path) const override { return path; }
    std::string textFrom8Bit(std::string_view bytes) const override;
    Result<std::string> textTo8Bit(std::string_view text) const override;
};

} // namespace quorbin
