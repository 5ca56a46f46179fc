#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quorbin {

// One synthetic keyboard input record, laid out as the system's input record:
// a 32-bit type, the 16-byte keyboard part, then 8 bytes that stay zero.
struct KeyboardPart {
    std::uint16_t virtualKey = 0;
    std::uint16_t scanCode = 0;
    std::uint32_t flags = 0;
    std::uint32_t time = 0;
    std::uint32_t extraInfo = 0;
};

struct InputRecord {
    std::uint32_t type = 0;
    KeyboardPart keyboard;
    std::uint8_t rest[8] = {};
};

static_assert(sizeof(KeyboardPart) == 16);
static_assert(sizeof(InputRecord) == 28);

inline constexpr std::uint32_t inputKeyboard = 1;
inline constexpr std::uint16_t virtualKeyShift = 16;
inline constexpr std::uint32_t keyEventKeyUp = 2;

// Puts records into the system's keyboard input stream. Returns how many records were
// accepted; a backend without a place to send them accepts none and reports nothing.
class Keyboard {
public:
    virtual ~Keyboard() = default;
    virtual unsigned sendInput(std::span<const InputRecord> records, int recordSize) = 0;
};

} // namespace quorbin
