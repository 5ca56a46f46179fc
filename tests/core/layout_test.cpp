#include "app/Layout.h"

#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

struct Width {
    int inner;
    std::optional<std::int16_t> column;
};

const std::vector<SizedControl> rightColumn{
    SizedControl::boxExe, SizedControl::boxCmdLine, SizedControl::boxScript, SizedControl::boxTemplate,
    SizedControl::boxVcf, SizedControl::listFiles,  SizedControl::listLog};

std::vector<std::tuple<std::string, std::string, std::string>> widthWrites(const TestForm& t) {
    std::vector<std::tuple<std::string, std::string, std::string>> writes;
    for (const auto& w : t.settings.writes)
        if (std::get<0>(w) == "window")
            writes.push_back(w);
    return writes;
}

std::tuple<std::string, std::string, std::string> widthWrite(int outer) {
    return {"window", "width", std::to_string(outer)};
}

} // namespace

TEST(RightColumnWidth, EndsTwentyTwipsBeforeTheInnerEdge) {
    const std::vector<Width> cases{
        {8145, 6385},                     // the designed window
        {10000, 8240},        {1841, 81}, // the narrowest window that still lays out
        {1845, 85},           {1840, std::nullopt}, {1000, std::nullopt}, {0, std::nullopt}, // minimized
        {-120, std::nullopt}, {34527, 32767}, // the widest a 16-bit width can follow
        {34528, 32767},       {100000, 32767},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rightColumnWidth(c.inner), c.column) << "inner width " << c.inner;
}

// The seven controls of the right-hand column take one width, in a fixed order, and
// every resize ends by storing the outer width.
TEST(FormResize, SetsTheRightColumnInOrderAndStoresTheWidth) {
    TestForm t;
    t.start();
    ASSERT_TRUE(t.window.widthCalls.empty());

    t.window.userResize(8145 + FakeWindow::frame);

    EXPECT_EQ(t.window.widthCalls, rightColumn);
    for (const SizedControl control : rightColumn)
        EXPECT_EQ(t.window.widths.at(control), 6385);
    EXPECT_EQ(widthWrites(t), (std::vector{widthWrite(8265)}));
}

TEST(FormResize, ATooNarrowWindowKeepsTheWidthsButStillStoresItsOwn) {
    TestForm t;
    t.start();
    t.window.userResize(10120);
    t.window.widthCalls.clear();

    t.window.userResize(1840 + FakeWindow::frame);
    EXPECT_TRUE(t.window.widthCalls.empty());
    t.window.userResize(1845 + FakeWindow::frame);

    EXPECT_EQ(t.window.widthCalls, rightColumn);
    for (const SizedControl control : rightColumn)
        EXPECT_EQ(t.window.widths.at(control), 85);
    EXPECT_EQ(widthWrites(t), (std::vector{widthWrite(10120), widthWrite(1960), widthWrite(1965)}));
}

// A minimized window reports no inner width: the controls keep theirs until it is
// restored.
TEST(FormResize, MinimizingLeavesTheWidthsAndRestoringLaysOutAgain) {
    TestForm t;
    t.start();
    t.window.userResize(9120);
    t.window.widthCalls.clear();
    const std::size_t writes = widthWrites(t).size();

    t.window.minimize();
    EXPECT_TRUE(t.window.widthCalls.empty());
    for (const SizedControl control : rightColumn)
        EXPECT_EQ(t.window.widths.at(control), 7240);
    EXPECT_EQ(widthWrites(t).size(), writes + 1);

    t.window.restore();
    EXPECT_EQ(t.window.widthCalls, rightColumn);
    EXPECT_EQ(widthWrites(t).back(), widthWrite(9120));
}

// The height plays no part: the same widths are set again and nothing else moves.
TEST(FormResize, AHeightOnlyChangeSetsTheSameWidthsAgain) {
    TestForm t;
    t.start();
    t.window.userResize(9120);
    const auto widths = t.window.widths;
    t.window.widthCalls.clear();

    t.window.userHeightChange();

    EXPECT_EQ(t.window.widthCalls, rightColumn);
    EXPECT_EQ(t.window.widths, widths);
    EXPECT_EQ(t.window.left, 100);
    EXPECT_EQ(t.window.top, 100);
    EXPECT_EQ(widthWrites(t), (std::vector{widthWrite(9120), widthWrite(9120)}));
}

// Start-up restores the stored width from code, which lays the column out at once.
TEST(FormResize, RestoringTheStoredWidthAtStartUpLaysOutTheColumn) {
    TestForm t;
    t.settings.values[{"window", "width"}] = "9000";
    t.start();

    EXPECT_EQ(t.window.outerWidth(), 9000);
    EXPECT_EQ(t.window.widthCalls, rightColumn);
    for (const SizedControl control : rightColumn)
        EXPECT_EQ(t.window.widths.at(control), 9000 - FakeWindow::frame - 1760);
}
