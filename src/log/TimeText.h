#pragma once

#include <cstdint>
#include <string>

namespace quorbin {

// A count of whole seconds as "hh:mm:ss", each field two characters wide: the hours
// keep only their last two digits, and a negative count is rendered field by field.
std::string formatTime(std::int32_t seconds);

// The value in decimal behind twelve zeros, cut to its rightmost `width` characters.
std::string zeroPad(std::int32_t value, std::int16_t width);

} // namespace quorbin
