#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorbin {

// Splits a parameter text into arguments the way programs on the tool's home platform
// read their command line, so that the text the user sees and edits is what the program
// gets:
// - blanks and tabs outside double quotes separate arguments;
// - a double quote starts or ends a quoted part, and a quoted part may hold blanks;
// - 2n backslashes before a double quote give n backslashes, and the quote acts as above;
// - 2n+1 backslashes before a double quote give n backslashes and a literal quote;
// - backslashes anywhere else are taken literally;
// - inside a quoted part, two double quotes give one literal quote and the part goes on.
// The text holds only arguments: no program name, whose rules differ.
std::vector<std::string> splitCommandLine(std::string_view text);

} // namespace quorbin
