#include "platform/win32/Win32SettingsStore.h"

#include "win32/Win32TestSupport.h"

#include <gtest/gtest.h>

namespace quorbin::test {
namespace {

// A key of the test's own under HKEY_CURRENT_USER, deleted with everything in it.
class TestKey {
public:
    TestKey() : path_("Software\\quorbin-test-" + std::to_string(::GetCurrentProcessId())) {}
    ~TestKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, widen(path_).c_str()); }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

TEST(Win32SettingsStore, ValuesComeBackAsWrittenAsRegistryStrings) {
    TestKey key;
    Win32SettingsStore store(key.path());
    EXPECT_FALSE(store.read("file", "exePath").has_value());
    for (const std::string value :
         {"C:\\tools\\caf\u00e9 \u4e2d.exe", "", "60", "with \"quotes\" and ; = [x]"}) {
        ASSERT_TRUE(store.write("file", "exePath", value).ok());
        EXPECT_EQ(store.read("file", "exePath").value_or("<missing>"), value);
    }
    ASSERT_TRUE(store.write("window", "width", "9000").ok());
    EXPECT_FALSE(store.read("setting", "width").has_value()) << "sections are apart";

    DWORD type = 0;
    wchar_t text[16] = {};
    DWORD bytes = sizeof text;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, widen(key.path() + "\\window").c_str(), L"width", RRF_RT_ANY,
                             &type, text, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(text), L"9000");

    // The store keeps its sections open; a section deleted meanwhile is made again.
    ASSERT_EQ(::RegDeleteTreeW(HKEY_CURRENT_USER, widen(key.path()).c_str()), ERROR_SUCCESS);
    EXPECT_FALSE(store.read("window", "width").has_value());
    ASSERT_TRUE(store.write("window", "width", "9100").ok());
    EXPECT_EQ(store.read("window", "width").value_or("<missing>"), "9100");
    EXPECT_EQ(Win32SettingsStore(key.path()).read("window", "width").value_or("<missing>"), "9100");
}

TEST(Win32SettingsStore, AValueOfAnotherTypeReadsAsMissingAndIsWrittenOver) {
    TestKey key;
    HKEY section = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, widen(key.path() + "\\window").c_str(), 0, nullptr, 0,
                                KEY_SET_VALUE, nullptr, &section, nullptr),
              ERROR_SUCCESS);
    const DWORD number = 9000;
    const BYTE junk[3] = {0xFF, 0x00, 0x41};
    ::RegSetValueExW(section, L"width", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    ::RegSetValueExW(section, L"junk", 0, REG_BINARY, junk, sizeof junk);
    ::RegCloseKey(section);

    Win32SettingsStore store(key.path());
    EXPECT_FALSE(store.read("window", "width").has_value());
    EXPECT_FALSE(store.read("window", "junk").has_value());
    ASSERT_TRUE(store.write("window", "width", "8000").ok());
    EXPECT_EQ(store.read("window", "width").value_or("<missing>"), "8000");
}

} // namespace
} // namespace quorbin::test
