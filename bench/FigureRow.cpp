#include "FigureRow.h"

#include <cmath>
#include <cstdio>

namespace quorbin {

namespace {

std::string threeDigits(double value) {
    char buffer[32];
    const double magnitude = std::fabs(value);
    const char* format = magnitude >= 100 ? "%.0f" : magnitude >= 10 ? "%.1f" : "%.2f";
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

} // namespace

void printRow(const std::string& figure, const std::string& measured, const std::string& goal, bool pass) {
    std::printf("ROW\t%s\t%s\t%s\t%s\n", figure.c_str(), measured.c_str(), goal.c_str(),
                pass ? "PASS" : "MISS");
    std::fflush(stdout);
}

void printNote(const std::string& text) {
    std::printf("NOTE\t%s\n", text.c_str());
    std::fflush(stdout);
}

std::string ratioText(double ratio) {
    return threeDigits(ratio) + "\xc3\x97";
}

std::string durationText(double seconds) {
    if (seconds >= 1)
        return threeDigits(seconds) + " s";
    if (seconds >= 1e-3)
        return threeDigits(seconds * 1e3) + " ms";
    if (seconds >= 1e-6)
        return threeDigits(seconds * 1e6) + " \xc2\xb5s";
    return threeDigits(seconds * 1e9) + " ns";
}

} // namespace quorbin
