#include "platform/NullKeyboard.h"
#include "platform/x11/SystemKeyboard.h"

#include <gtest/gtest.h>

namespace quorbin {
namespace {

// A build without XTest must still hand start-up a keyboard, one that sends nothing.
TEST(SystemKeyboardWithoutXTest, AcceptsNoRecord) {
    InputRecord press;
    press.type = inputKeyboard;
    press.keyboard.virtualKey = virtualKeyShift;
    InputRecord release = press;
    release.keyboard.flags = keyEventKeyUp;
    const InputRecord both[] = {press, release};
    auto keyboard = makeSystemKeyboard();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(keyboard->sendInput(both, sizeof(InputRecord)), 0u);
    EXPECT_EQ(NullKeyboard().sendInput(both, sizeof(InputRecord)), 0u);
}

} // namespace
} // namespace quorbin
