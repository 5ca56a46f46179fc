#include "NameList.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace quorbin {

std::vector<std::string> shuffledNames(int count, unsigned seed) {
    static const char* const stems[] = {"Holiday",      "holiday",   "CAMERA",    "Camera_B", "garden",
                                        "Garden Party", "interview", "Interview", "ski-trip", "SKI-TRIP"};
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    char buffer[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(buffer, sizeof buffer, "%s %05d.%s", stems[i % 10], i / 10, i % 3 == 0 ? "AVI" : "avi");
        names.emplace_back(buffer);
    }
    std::mt19937 random(seed);
    std::shuffle(names.begin(), names.end(), random);
    return names;
}

namespace {

// Inline rather than through the C library's locale, as a program that sorts names in
// bulk would do it.
unsigned char folded(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

} // namespace

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return folded(x) < folded(y); });
}

} // namespace quorbin
