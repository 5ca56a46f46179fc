#pragma once

#include "platform/win32/WindowsHeader.h"

#include <utility>

namespace quorbin {

// Owns a kernel handle and closes it once. Both null and INVALID_HANDLE_VALUE mean "none".
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    // Closes the handle; false when the system reported a failure (for files: a write
    // that could not be completed).
    bool close() {
        const bool closed = !valid() || ::CloseHandle(handle_) != 0;
        handle_ = nullptr;
        return closed;
    }
    // Gives the handle up without closing it.
    HANDLE release() { return std::exchange(handle_, nullptr); }
    void reset(HANDLE handle = nullptr) {
        close();
        handle_ = handle;
    }

private:
    HANDLE handle_ = nullptr;
};

} // namespace quorbin
