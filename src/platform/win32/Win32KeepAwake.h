#pragma once

#include "platform/KeepAwake.h"

#include <string>

namespace quorbin {

struct PowerRequestCalls;

// Keeps the machine awake while a batch runs with a power request that names the reason
// (listed by `powercfg /requests`): the system stays out of sleep, and the display out of
// its idle blanking and the screen saver, until release. Refusals are told in one line on
// standard error; the batch goes on either way.
class Win32KeepAwake final : public KeepAwake {
public:
    Win32KeepAwake();
    // Calls through `calls`, which must outlive this object.
    explicit Win32KeepAwake(const PowerRequestCalls& calls) : calls_(calls) {}
    ~Win32KeepAwake() override;
    Win32KeepAwake(const Win32KeepAwake&) = delete;
    Win32KeepAwake& operator=(const Win32KeepAwake&) = delete;

    void hold(const std::string& reason) override;
    void release() override;

private:
    const PowerRequestCalls& calls_;
    void* request_ = nullptr;
    bool displayHeld_ = false;
    bool systemHeld_ = false;
};

} // namespace quorbin
