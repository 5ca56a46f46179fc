#include "platform/win32/Win32KeepAwake.h"

#include "platform/win32/PowerRequestCalls.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/WideText.h"

#include <cstdio>

namespace quorbin {

namespace {

void tell(const char* what) {
    std::fprintf(stderr, "quorbin: %s: %s\n", what, systemMessage(::GetLastError()).c_str());
}

} // namespace

const PowerRequestCalls& systemPowerRequestCalls() {
    static const PowerRequestCalls calls{::PowerCreateRequest, ::PowerSetRequest, ::PowerClearRequest,
                                         ::CloseHandle};
    return calls;
}

Win32KeepAwake::Win32KeepAwake() : calls_(systemPowerRequestCalls()) {}

Win32KeepAwake::~Win32KeepAwake() {
    release();
}

void Win32KeepAwake::hold(const std::string& reason) {
    if (request_ != nullptr)
        return;
    std::wstring text = widen(reason);
    REASON_CONTEXT context{};
    context.Version = POWER_REQUEST_CONTEXT_VERSION;
    context.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
    context.Reason.SimpleReasonString = text.data();
    HANDLE request = calls_.create(&context);
    if (request == INVALID_HANDLE_VALUE || request == nullptr) {
        tell("the system was not asked to stay awake");
        return;
    }
    request_ = request;
    systemHeld_ = calls_.set(request, PowerRequestSystemRequired) != 0;
    if (!systemHeld_)
        tell("the system may sleep during the batch");
    displayHeld_ = calls_.set(request, PowerRequestDisplayRequired) != 0;
    if (!displayHeld_)
        tell("the screen may blank during the batch");
}

void Win32KeepAwake::release() {
    if (request_ == nullptr)
        return;
    if (systemHeld_)
        calls_.clear(request_, PowerRequestSystemRequired);
    if (displayHeld_)
        calls_.clear(request_, PowerRequestDisplayRequired);
    calls_.close(request_);
    request_ = nullptr;
    systemHeld_ = displayHeld_ = false;
}

} // namespace quorbin
