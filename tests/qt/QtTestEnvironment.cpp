#include "qt/QtTestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>

namespace quorbin::test {

namespace {

// The test programs that check another screen density say so at build time.
#ifndef QUORBIN_TEST_FONT_DPI
#define QUORBIN_TEST_FONT_DPI 0
#endif

int argc = 1;
char programName[] = "quorbin-qt-test";
char* argv[] = {programName, nullptr};

class GlobalEnvironment : public ::testing::Environment {
public:
    void SetUp() override { QtTestEnvironment::instance().start(); }
    void TearDown() override { QtTestEnvironment::instance().stop(); }
};

[[maybe_unused]] const auto* registered = ::testing::AddGlobalTestEnvironment(new GlobalEnvironment);

} // namespace

QtTestEnvironment& QtTestEnvironment::instance() {
    static QtTestEnvironment environment;
    return environment;
}

void QtTestEnvironment::start() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorbin-qt-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    root_ = pattern;
    const std::filesystem::path runtime = root_ / "runtime";
    configHome_ = root_ / "config";
    std::filesystem::create_directory(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    std::filesystem::create_directory(configHome_);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", configHome_.c_str(), 1);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (QUORBIN_TEST_FONT_DPI != 0) {
        ::setenv("QT_FONT_DPI", std::to_string(QUORBIN_TEST_FONT_DPI).c_str(), 1);
        // Without scaling the logical DPI shows through to the widgets' pixels; with it,
        // Qt would scale by 2 and keep 96 device-independent pixels per inch.
        ::setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    }
    app_ = std::make_unique<QApplication>(argc, argv);
}

void QtTestEnvironment::stop() {
    app_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

} // namespace quorbin::test
