#pragma once

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace quorbin::test {

// The answers of the buses come through the event loop of this application, which lives
// from before the first test of the program to after its last.
struct BusEventLoop : ::testing::Environment {
    void SetUp() override { app = std::make_unique<QCoreApplication>(argc, argv); }
    void TearDown() override { app.reset(); }

    std::unique_ptr<QCoreApplication> app;
    int argc = 1;
    char name[16] = "quorbin-dbus";
    char* argv[2] = {name, nullptr};
};

// One for each test program that includes this.
[[maybe_unused]] inline const ::testing::Environment* const busEventLoop =
    ::testing::AddGlobalTestEnvironment(new BusEventLoop);

} // namespace quorbin::test
