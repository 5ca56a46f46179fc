#pragma once

#include <string>
#include <string_view>

namespace quorbin {

bool isValidUtf8(std::string_view bytes);

// A text file's bytes as UTF-8 text: valid UTF-8 as it is, anything else read as
// Latin-1, so every byte shows as one character and nothing is dropped or replaced.
std::string textFromFileBytes(std::string_view bytes);

} // namespace quorbin
