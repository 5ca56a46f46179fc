#include "platform/win32/Win32Keyboard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace quorbin::test {
namespace {

// Under Wine SendInput reaches no X server: the call itself is what is checked.
struct Call {
    std::vector<INPUT> inputs;
    int inputSize;
};
std::vector<Call> calls;

unsigned recordCall(unsigned count, void* inputs, int inputSize) {
    const auto* first = static_cast<const INPUT*>(inputs);
    calls.push_back({std::vector<INPUT>(first, first + count), inputSize});
    return count;
}

TEST(Win32Keyboard, ThePulseRecordsBecomeTheSystemsInputRecords) {
    calls.clear();
    Win32Keyboard keyboard(recordCall);
    InputRecord record;
    record.type = inputKeyboard;
    record.keyboard.virtualKey = virtualKeyShift;
    EXPECT_EQ(keyboard.sendInput({&record, 1}, sizeof(InputRecord)), 1u);
    record.keyboard.flags = keyEventKeyUp;
    EXPECT_EQ(keyboard.sendInput({&record, 1}, sizeof(InputRecord)), 1u);

    ASSERT_EQ(calls.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        ASSERT_EQ(calls[i].inputs.size(), 1u);
        EXPECT_EQ(calls[i].inputSize, 40);
        const INPUT& input = calls[i].inputs[0];
        EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_KEYBOARD));
        EXPECT_EQ(input.ki.wVk, VK_SHIFT);
        EXPECT_EQ(input.ki.wScan, 0);
        EXPECT_EQ(input.ki.dwFlags, i == 0 ? 0u : static_cast<DWORD>(KEYEVENTF_KEYUP));
        EXPECT_EQ(input.ki.time, 0u);
        EXPECT_EQ(input.ki.dwExtraInfo, 0u);
    }

    // Records of another layout are not guessed at.
    EXPECT_EQ(keyboard.sendInput({&record, 1}, 40), 0u);
    record.type = 0;
    EXPECT_EQ(keyboard.sendInput({&record, 1}, sizeof(InputRecord)), 0u);
    EXPECT_EQ(calls.size(), 2u);
}

} // namespace
} // namespace quorbin::test
