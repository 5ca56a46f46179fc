#pragma once

#include <string>
#include <string_view>

namespace quorbin {

// The line ends of a multi-line text box. A text whose lines all end in LF alone (a file
// written on Linux) keeps LF when the user edits it; any other text, and one without
// line ends, gets CR LF.
std::string_view lineEndOf(std::string_view text);

// The text with every line end (CR LF, CR alone, LF alone) replaced by lineEnd.
std::string withLineEnds(std::string_view text, std::string_view lineEnd);

} // namespace quorbin
