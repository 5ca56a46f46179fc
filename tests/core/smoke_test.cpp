#include "fakes/TestForm.h"

#include <gtest/gtest.h>

using namespace quorbin;
using namespace quorbin::test;

TEST(FormSmoke, StartOnEmptyListLogsErrorAndIdle) {
    TestForm t;
    t.start();
    t.buttonStart.click();
    const std::vector<std::string> expected{"START", "ERROR no AVI files selected", "IDLE"};
    EXPECT_EQ(t.messagesLogged(), expected);
}
