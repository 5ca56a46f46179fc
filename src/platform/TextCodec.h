#pragma once

#include "platform/Result.h"

#include <string>
#include <string_view>

namespace quorbin {

// The character set of the text files the tool writes for the processing program (the
// job script, and the log beside it) and of older template files. Texts inside the tool
// are UTF-8; a backend turns them into the bytes of the system's files and back.
//
// Programs: the processing program reads the job script in the system's code page for
// programs: the ANSI code page on Windows, UTF-8 elsewhere. 8-bit: a template file that
// is not UTF-8 is read, and written back, in the system's 8-bit code page: the ANSI code
// page on Windows, Latin-1 elsewhere.
class TextCodec {
public:
    virtual ~TextCodec() = default;

    // The bytes in the code page for programs, every character as it is; a failure names
    // the first character that the code page lacks. Never a look-alike or a "?".
    [[nodiscard]] virtual Result<std::string> programBytes(std::string_view text) const = 0;
    // The same, with "?" for each character that the code page lacks, for text that is
    // only read by people (the log).
    virtual std::string programBytesOrMarks(std::string_view text) const = 0;
    // A name of the file or folder at `path` that programBytes can carry whole: the path
    // itself when it can, else another name of the same file (on Windows its short 8.3
    // name); a failure when there is none.
    [[nodiscard]] virtual Result<std::string> programName(const std::string& path) const = 0;

    virtual std::string textFrom8Bit(std::string_view bytes) const = 0;
    // A failure names the first character that the 8-bit code page lacks.
    [[nodiscard]] virtual Result<std::string> textTo8Bit(std::string_view text) const = 0;
};

} // namespace quorbin
