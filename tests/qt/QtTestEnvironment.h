#pragma once

#include <QApplication>

#include <filesystem>
#include <memory>

namespace quorbin::test {

// One QApplication for the whole test program, on a private runtime and configuration
// folder so that no test reads or writes the real user's settings.
class QtTestEnvironment {
public:
    static QtTestEnvironment& instance();

    // The folder XDG_CONFIG_HOME points at for this run.
    const std::filesystem::path& configHome() const { return configHome_; }

    void start();
    void stop();

private:
    std::filesystem::path root_;
    std::filesystem::path configHome_;
    std::unique_ptr<QApplication> app_;
};

} // namespace quorbin::test
