#include "platform/posix/CommandLineSplit.h"

#include "job/JobText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorbin {
namespace {

struct SplitCase {
    const char* text;
    std::vector<std::string> arguments;
};

TEST(CommandLineSplit, FollowsTheQuotingRules) {
    const std::vector<SplitCase> cases = {
        {R"( /c /s "C:\set\fast.vcf"  /p "D:\jobs\quorbin.avs" "D:\jobs\clipP.avi" /r /x)",
         {"/c", "/s", R"(C:\set\fast.vcf)", "/p", R"(D:\jobs\quorbin.avs)", R"(D:\jobs\clipP.avi)", "/r",
          "/x"}},
        {"", {}},
        {" \t  ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {"  a  ", {"a"}},
        {"a\nb", {"a\nb"}},
        {R"("a b" c)", {"a b", "c"}},
        {R"(/s "" /p)", {"/s", "", "/p"}},
        {R"("")", {""}},
        {R"(ab"cd ef"gh)", {"abcd efgh"}},
        {R"(a\\b c\)", {R"(a\\b)", R"(c\)"}},
        {R"(a\\"b c")", {R"(a\b c)"}},
        {R"(a\"b)", {R"(a"b)"}},
        {R"(a\\\"b)", {R"(a\"b)"}},
        {R"(a\\\\"b c")", {R"(a\\b c)"}},
        {R"("C:\dir\" x)", {R"(C:\dir" x)"}},
        {R"("C:\dir\\" x)", {R"(C:\dir\)", "x"}},
        {R"("a""b c")", {R"(a"b c)"}},
        {R"("a""")", {R"(a")"}},
        {R"(""")", {R"(")"}},
        {R"(a""b)", {"ab"}},
        {R"("a b)", {"a b"}},
        {R"(a")", {"a"}},
        {R"("with blank\\" "q\"uote")", {R"(with blank\)", R"(q"uote)"}},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(splitCommandLine(c.text), c.arguments) << "text: [" << c.text << "]";
}

// What the tool shows as the command line is what the program gets: every path comes
// back whole, whatever it holds.
TEST(CommandLineSplit, GivesBackEveryPathOfTheToolsCommandLine) {
    const struct {
        std::string vcf, folder, output;
    } cases[] = {
        {"/s/fast.vcf", "/v/", "/v/clipP.avi"},
        {"/my set/fast one.vcf", "/my jobs/", "/my jobs/take 1P.avi"},
        {"", "", "P"},
        {"/s/q\"uote.vcf", "/v/Say \"hi\" clips/", "/v/Say \"hi\" clips/aP.avi"},
        {"/s/back\\", "/v/a\\\"b/", "/v/a\\\"b/\\P.avi"},
        {"/s/j\xc3\xbcrgen\t.vcf", "/v/\"\"/", "/v/\"\"/P"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> expected{"/c",     "/s", c.vcf, "/p", c.folder + "quorbin.avs",
                                                c.output, "/r", "/x"};
        EXPECT_EQ(splitCommandLine(commandLine(c.vcf, c.folder, c.output)), expected)
            << commandLine(c.vcf, c.folder, c.output);
    }
}

} // namespace
} // namespace quorbin
