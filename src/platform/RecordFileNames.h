#pragma once

#include <string>

namespace quorbin {

// The name of a working folder's file in the user's state folder (its batch record, its
// claim), the same for the same folder on every run and every build:
// "<16 hex digits><ending>". The record itself names its folder.
std::string recordFileName(const std::string& folder, const char* ending);

} // namespace quorbin
