#pragma once

#include <string>
#include <vector>

namespace quorbin {

// Distinct input file names of mixed case, in a random but repeatable order, as a
// multi-select dialog hands them over.
std::vector<std::string> shuffledNames(int count, unsigned seed = 20240601);

// The order of the file list for names in ASCII: by name, ignoring case.
bool lessIgnoringCase(const std::string& a, const std::string& b);

} // namespace quorbin
