#pragma once

#include "platform/TextCodec.h"

namespace quorbin {

// The ANSI code page of the system (GetACP) for programs and for 8-bit files alike.
// Conversions never map a character to a look-alike (no best fit): what the code page
// lacks is either reported or, for the log, written as "?".
class Win32TextCodec final : public TextCodec {
public:
    Result<std::string> programBytes(std::string_view text) const override;
    std::string programBytesOrMarks(std::string_view text) const override;
    Result<std::string> programName(const std::string& path) const override;
    std::string textFrom8Bit(std::string_view bytes) const override;
    Result<std::string> textTo8Bit(std::string_view text) const override { return programBytes(text); }
};

} // namespace quorbin
