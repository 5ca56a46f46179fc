#pragma once

#include <string>
#include <string_view>

namespace quorbin {

// The number at the start of a text, as the time-out box is read: blanks, tabs and line
// feeds are skipped wherever they stand; then a sign, digits, a period as the decimal
// point (whatever the locale) and an exponent, as far as they form a number; "&H" and
// "&O" introduce a hexadecimal or octal whole number. No number at the start gives 0.
double leadingNumber(std::string_view text);

// What the time-out box warns of while its text reads as no time at all (empty, letters,
// a typo): every job would be ended at the first decision and started again. Empty for a
// text that reads as a time-out.
std::string timeoutWarning(std::string_view text);

} // namespace quorbin
