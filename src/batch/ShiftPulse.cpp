#include "batch/ShiftPulse.h"

#include "core/Form.h"

namespace quorbin {

void ShiftPulse::pulseShift() {
    InputRecord& record = form_.state.inputRecord;
    Keyboard& keyboard = form_.services.keyboard;
    KeyboardPart key;
    key.virtualKey = virtualKeyShift;

    record.type = inputKeyboard;
    record.keyboard = key;
    keyboard.sendInput({&record, 1}, sizeof(InputRecord));

    // The release goes out even when the press was rejected, so Shift is never left down.
    key.flags = keyEventKeyUp;
    record.keyboard = key;
    keyboard.sendInput({&record, 1}, sizeof(InputRecord));
}

} // namespace quorbin
