#pragma once

#include <string>

namespace quorbin {

// The lines bench/run gathers into its table: one row per figure, and notes below it.
// Fields are separated by tabs.
void printRow(const std::string& figure, const std::string& measured, const std::string& goal, bool pass);
void printNote(const std::string& text);

// "2.41×", "37.5 ms", "1.23 µs" and the like, with three significant digits.
std::string ratioText(double ratio);
std::string durationText(double seconds);

} // namespace quorbin
