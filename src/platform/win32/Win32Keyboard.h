#pragma once

#include "platform/Keyboard.h"

namespace quorbin {

// Puts the core's keyboard records into the system's input stream with SendInput. The
// core's record is the 28-byte layout of 32-bit Windows; the system takes its own INPUT
// records (40 bytes on 64-bit Windows), so each record is copied member by member into
// one, and SendInput is told that size.
class Win32Keyboard final : public Keyboard {
public:
    // What the records are handed to, in SendInput's form: the count, the INPUT records
    // and their size. The system's SendInput unless a test passes its own.
    using Sender = unsigned (*)(unsigned count, void* inputs, int inputSize);

    Win32Keyboard();
    explicit Win32Keyboard(Sender send) : send_(send) {}

    // Records of another size or of a kind other than keyboard input are not sent.
    unsigned sendInput(std::span<const InputRecord> records, int recordSize) override;

private:
    Sender send_;
};

} // namespace quorbin
