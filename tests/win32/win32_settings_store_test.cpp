#include "platform/win32/Win32SettingsStore.h"

#include "win32/Win32TestSupport.h"

#include <gtest/gtest.h>
#include <sddl.h>

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

// Settings that the user may only read (so set by an administrator) still come back, and
// start-up's storing back of what it has just read writes nothing.
TEST(Win32SettingsStore, AKeyThatMayOnlyBeReadStillGivesItsValuesAndTakesThemBack) {
    TestKey key;
    ASSERT_TRUE(Win32SettingsStore(key.path()).write("file", "exePath", "x.exe").ok());
    HKEY section = nullptr;
    PSECURITY_DESCRIPTOR readOnly = nullptr; // read and delete, for everyone
    ASSERT_EQ(
        ::RegOpenKeyExW(HKEY_CURRENT_USER, widen(key.path() + "\\file").c_str(), 0, WRITE_DAC, &section), 0);
    ASSERT_TRUE(
        ::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KRSD;;;WD)", 1, &readOnly, nullptr));
    EXPECT_EQ(::RegSetKeySecurity(section, DACL_SECURITY_INFORMATION, readOnly), ERROR_SUCCESS);
    ::LocalFree(readOnly);
    ::RegCloseKey(section);

    Win32SettingsStore store(key.path());
    EXPECT_EQ(store.read("file", "exePath").value_or("<missing>"), "x.exe");
    EXPECT_TRUE(store.write("file", "exePath", "x.exe").ok()) << "the same text: nothing to write";
    EXPECT_FALSE(store.write("file", "exePath", "y.exe").ok()) << "the key may only be read";
    EXPECT_EQ(store.read("file", "exePath").value_or("<missing>"), "x.exe");
}

} // namespace
} // namespace quorbin::test
