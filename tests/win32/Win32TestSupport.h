#pragma once

#include "platform/win32/WideText.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace quorbin::test {

// A fresh folder under the temporary folder whose name holds a blank and an "é",
// removed with all it holds when the test ends. Paths are UTF-8, as the core has them.
class WideTempDir {
public:
    WideTempDir() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                (L"quorbin test \u00e9 " + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++counter));
        std::filesystem::create_directories(path_);
    }
    ~WideTempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    WideTempDir(const WideTempDir&) = delete;
    WideTempDir& operator=(const WideTempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder with a trailing backslash, as the working folder is kept.
    std::string folder() const { return narrow(path_.wstring()) + "\\"; }
    std::string file(const std::string& name) const { return folder() + name; }

private:
    std::filesystem::path path_;
};

inline std::string bytesOf(const std::string& path) {
    std::ifstream in(std::filesystem::path(widen(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(widen(path)), std::ios::binary) << bytes;
}

inline bool exists(const std::string& path) {
    return ::GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A file built beside the running test program.
inline std::string besideThisProgram(const std::string& name) {
    wchar_t self[32768];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, 32768);
    return narrow(std::filesystem::path(std::wstring(self, length)).parent_path().wstring()) + "\\" + name;
}

// A manual-reset event with a name of its own, for a stand-in program to wait on or set.
class NamedEvent {
public:
    NamedEvent() {
        static std::atomic<int> counter{0};
        name_ = "Local\\quorbin-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
        handle_ = ::CreateEventW(nullptr, TRUE, FALSE, widen(name_).c_str());
    }
    ~NamedEvent() { ::CloseHandle(handle_); }
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    const std::string& name() const { return name_; }
    void set() { ::SetEvent(handle_); }
    bool waitSet(DWORD milliseconds) { return ::WaitForSingleObject(handle_, milliseconds) == WAIT_OBJECT_0; }

private:
    std::string name_;
    HANDLE handle_ = nullptr;
};

} // namespace quorbin::test
