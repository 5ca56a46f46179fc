#include "batch/ProgramText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorbin;

TEST(ProgramText, ProgressLinesAreOneLineAndTheLastBytesAreKept) {
    const struct {
        std::vector<std::string> chunks;
        std::size_t limit;
        std::string text;
        std::string lastTwo;
    } cases[] = {
        {{"frame=1\rframe=2\r", "frame=3\rdone\n"}, 100, "frame=3\ndone\n", "frame=3\ndone\n"},
        {{"frame=1\rframe=", "2\r\nend"}, 100, "frame=2\nend\n", "frame=2\nend\n"},
        {{"a\r\nb\r\nc\r\n"}, 100, "a\nb\nc\n", "b\nc\n"},
        // Past the limit whole lines go from the front; one long line keeps its end.
        {{"first\nsecond\nthird\n"}, 12, "third\n", "third\n"},
        {{"0123456789ABCDEF"}, 7, "ABCDEF\n", "ABCDEF\n"},
        {{}, 100, "", ""},
    };
    for (const auto& c : cases) {
        ProgramText text(c.limit);
        for (const std::string& chunk : c.chunks)
            text.add(chunk);
        EXPECT_EQ(text.text(), c.text);
        EXPECT_EQ(text.lastLines(2), c.lastTwo);
    }
}
