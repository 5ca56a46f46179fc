#include "platform/win32/Win32Keyboard.h"

#include "platform/win32/WindowsHeader.h"

#include <algorithm>
#include <vector>

namespace quorbin {

namespace {

unsigned systemSendInput(unsigned count, void* inputs, int inputSize) {
    return ::SendInput(count, static_cast<INPUT*>(inputs), inputSize);
}

} // namespace

Win32Keyboard::Win32Keyboard() : send_(systemSendInput) {}

unsigned Win32Keyboard::sendInput(std::span<const InputRecord> records, int recordSize) {
    if (recordSize != static_cast<int>(sizeof(InputRecord)) || records.empty() ||
        !std::all_of(records.begin(), records.end(),
                     [](const InputRecord& r) { return r.type == inputKeyboard; }))
        return 0;
    std::vector<INPUT> inputs(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const KeyboardPart& key = records[i].keyboard;
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = key.virtualKey;
        inputs[i].ki.wScan = key.scanCode;
        inputs[i].ki.dwFlags = key.flags;
        inputs[i].ki.time = key.time;
        inputs[i].ki.dwExtraInfo = key.extraInfo;
    }
    return send_(static_cast<unsigned>(inputs.size()), inputs.data(), static_cast<int>(sizeof(INPUT)));
}

} // namespace quorbin
