#include "batch/TimeoutText.h"

#include <charconv>
#include <limits>
#include <string>

namespace quorbin {

namespace {

std::string withoutBlanks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            kept += c;
    return kept;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

double wholeNumber(std::string_view digits, int base) {
    double value = 0;
    for (const char c : digits) {
        int digit = -1;
        if (isDigit(c))
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || digit >= base)
            break;
        value = value * base + digit;
    }
    return value;
}

// Reads sign, mantissa and exponent as far as they form a number; the result is parsed
// in the C locale's format so a comma decimal separator of the user's locale plays no part.
double decimalNumber(std::string_view s) {
    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            number += '-';
        ++i;
    }
    bool anyDigit = false;
    while (i < s.size() && isDigit(s[i])) {
        number += s[i++];
        anyDigit = true;
    }
    if (i < s.size() && s[i] == '.') {
        number += s[i++];
        while (i < s.size() && isDigit(s[i])) {
            number += s[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent += s[j++];
        const std::size_t firstDigit = j;
        while (j < s.size() && isDigit(s[j]))
            exponent += s[j++];
        if (j > firstDigit)
            number += exponent;
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to tell from zero, or too large for any time-out to pass.
        if (number.find("e-") != std::string::npos)
            return 0;
        return number[0] == '-' ? -std::numeric_limits<double>::infinity()
                                : std::numeric_limits<double>::infinity();
    }
    return value;
}

} // namespace

std::string timeoutWarning(std::string_view text) {
    const double minutes = leadingNumber(text);
    if (minutes > 0)
        return {};
    char number[32] = "0";
    if (minutes < 0)
        std::to_chars(number, number + sizeof number - 1, minutes);
    return "reads as " + std::string(number) +
           " minutes: every job is ended after 11 seconds and started again";
}

double leadingNumber(std::string_view text) {
    const std::string s = withoutBlanks(text);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return wholeNumber(std::string_view(s).substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o')
            return wholeNumber(std::string_view(s).substr(2), 8);
    }
    return decimalNumber(s);
}

} // namespace quorbin
