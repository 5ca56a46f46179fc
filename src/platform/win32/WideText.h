#pragma once

#include <string>
#include <string_view>

namespace quorbin {

// The core's texts are UTF-8; the system's calls take UTF-16. Conversions happen here,
// at the seam. A byte sequence that is not UTF-8 becomes U+FFFD, as does a lone
// surrogate on the way back.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
// Bytes in a code page of the system's (CP_ACP: its ANSI code page) as UTF-16.
std::wstring widenFrom(unsigned codePage, std::string_view bytes);

} // namespace quorbin
