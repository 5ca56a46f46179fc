#include "platform/posix/CommandLineSplit.h"

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

} // namespace
} // namespace quorbin
