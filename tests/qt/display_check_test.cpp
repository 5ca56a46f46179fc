#include "platform/qt/DisplayCheck.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorbin {
namespace {

TEST(DisplayCheck, OnlyAnEnvironmentWithoutAnyDisplayIsRefused) {
    struct Case {
        DisplayEnvironment environment;
        bool refused;
    };
    const std::vector<Case> cases{
        {{nullptr, nullptr, nullptr}, true},
        {{"", "", ""}, true},
        {{nullptr, ":0", nullptr}, false},
        {{nullptr, nullptr, "wayland-0"}, false},
        {{"offscreen", nullptr, nullptr}, false},
        {{"xcb", "", ""}, false}, // the user chose; Qt will say what is wrong
    };
    for (const Case& c : cases) {
        const auto message = missingDisplayMessage(c.environment);
        EXPECT_EQ(message.has_value(), c.refused)
            << (c.environment.x11Display ? c.environment.x11Display : "(unset)");
        if (message) {
            EXPECT_EQ(message->find('\n'), std::string::npos) << "one line";
            EXPECT_NE(message->find("DISPLAY"), std::string::npos);
        }
    }
}

} // namespace
} // namespace quorbin
