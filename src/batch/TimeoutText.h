#pragma once

#include <string_view>

namespace quorbin {

// The number at the start of a text, as the time-out box is read: blanks, tabs and line
// feeds are skipped wherever they stand; then a sign, digits, a period as the decimal
// point (whatever the locale) and an exponent, as far as they form a number; "&H" and
// "&O" introduce a hexadecimal or octal whole number. No number at the start gives 0.
double leadingNumber(std::string_view text);

} // namespace quorbin
