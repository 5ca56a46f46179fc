#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

std::array<std::uint8_t, 28> bytesOf(const InputRecord& record) {
    std::array<std::uint8_t, 28> bytes{};
    std::memcpy(bytes.data(), &record, bytes.size());
    return bytes;
}

std::uint32_t word32(const std::array<std::uint8_t, 28>& b, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, b.data() + at, 4);
    return value;
}

std::uint16_t word16(const std::array<std::uint8_t, 28>& b, std::size_t at) {
    std::uint16_t value = 0;
    std::memcpy(&value, b.data() + at, 2);
    return value;
}

// Checks one record byte by byte against the keyboard record of a Shift press
// (flags 0) or release (flags 2); bytes 20 to 27 are never written.
void expectShiftRecord(const InputRecord& record, std::uint32_t flags) {
    const auto b = bytesOf(record);
    EXPECT_EQ(word32(b, 0), 1u);    // keyboard input
    EXPECT_EQ(word16(b, 4), 16);    // the Shift key
    EXPECT_EQ(word16(b, 6), 0);     // scan code
    EXPECT_EQ(word32(b, 8), flags); // 0 down, 2 up
    EXPECT_EQ(word32(b, 12), 0u);   // time: the system's own
    EXPECT_EQ(word32(b, 16), 0u);   // extra information
    for (std::size_t i = 20; i < 28; ++i)
        EXPECT_EQ(b[i], 0) << "byte " << i;
}

// Every pulse is one press call and one release call of a single 28-byte record.
void expectPulses(const FakeKeyboard& keyboard) {
    ASSERT_EQ(keyboard.calls.size() % 2, 0u);
    for (std::size_t i = 0; i < keyboard.calls.size(); ++i) {
        SCOPED_TRACE("call " + std::to_string(i));
        const auto& call = keyboard.calls[i];
        EXPECT_EQ(call.recordSize, 28);
        ASSERT_EQ(call.records.size(), 1u);
        expectShiftRecord(call.records[0], i % 2 == 0 ? 0u : 2u);
    }
}

// Ticks for `seconds` and gives the timer seconds of each tick that pulsed.
std::vector<double> pulseTimes(TestForm& t, double seconds) {
    std::vector<double> times;
    for (double done = 0; done < seconds; done += 0.5) {
        const std::size_t before = t.keyboard.calls.size();
        t.tick();
        const std::size_t sent = t.keyboard.calls.size() - before;
        EXPECT_TRUE(sent == 0 || sent == 2) << sent << " calls in one tick";
        if (sent > 0)
            times.push_back(t.clock.timerSeconds());
    }
    return times;
}

} // namespace

TEST(ShiftPulse, OnePulseIsAPressThenAReleaseInTwoCalls) {
    TestForm t;
    t.start();
    t.tick();
    ASSERT_EQ(t.keyboard.calls.size(), 2u);
    expectPulses(t.keyboard);
    // The record kept in the state is the release, reused by the next pulse.
    expectShiftRecord(t.state().inputRecord, 2);
}

TEST(ShiftPulse, RestOfTheRecordStaysZeroOverManyPulses) {
    TestForm t;
    t.start();
    t.run(3 * 3600);
    EXPECT_GE(t.keyboard.calls.size(), 2u * 170);
    expectPulses(t.keyboard);
    expectShiftRecord(t.state().inputRecord, 2);
}

TEST(ShiftPulse, RejectedRecordsDoNotStopTheReleaseOrTheNextPulse) {
    for (const int rejected : {1, 2}) {
        SCOPED_TRACE(rejected);
        TestForm t;
        t.clock.set(12, 0, 0);
        t.start();
        t.keyboard.rejectNext = rejected;
        const std::vector<double> times = pulseTimes(t, 61);
        expectPulses(t.keyboard);
        const std::vector<double> expected{43200.5, 43260.5};
        EXPECT_EQ(times, expected);
    }
}

// lastPulse is the timer seconds taken to the nearest whole number, a half going to the
// even neighbour, and the next pulse needs more than 60 seconds past it.
TEST(ShiftPulse, PulsesWhenMoreThanSixtySecondsHavePassedSinceTheRoundedLast) {
    const struct {
        const char* name;
        double startAt; // the clock before the first tick
        std::vector<double> pulses;
    } cases[] = {
        {"half rounds down to even", 43200.0, {43200.5, 43260.5, 43320.5}},
        {"half rounds up to even", 43201.0, {43201.5, 43262.5, 43322.5}},
        {"three quarters round up", 43200.25, {43200.75, 43261.25, 43321.25}},
        {"a quarter rounds down", 43200.75, {43201.25, 43261.25, 43321.25}},
        {"within the first minute after midnight", 30.0, {60.5, 120.5, 180.5}},
        {"exactly 60 is not more", 59.5, {60.5, 120.5, 180.5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm t;
        t.clock.set(c.startAt);
        t.start();
        EXPECT_EQ(pulseTimes(t, 160.5), c.pulses);
        expectPulses(t.keyboard);
    }
}

TEST(ShiftPulse, LastPulseHoldsTheRoundedSecondsOfThePulse) {
    const struct {
        double pulseAt;
        std::int32_t lastPulse;
    } cases[] = {{43200.5, 43200}, {43201.5, 43202}, {43200.75, 43201}, {43201.25, 43201}, {43202.0, 43202}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pulseAt);
        TestForm t;
        t.clock.set(c.pulseAt - 0.5);
        t.start();
        t.tick();
        ASSERT_EQ(t.keyboard.calls.size(), 2u);
        EXPECT_EQ(t.state().lastPulse, c.lastPulse);
    }
}

TEST(ShiftPulse, PulsesComeInEveryModeAndWhilePaused) {
    const struct {
        const char* name;
        std::function<void(TestForm&)> arrange;
    } cases[] = {
        {"idle", [](TestForm&) {}},
        {"running", [](TestForm& t) { t.buttonStart.click(); }},
        {"paused while running",
         [](TestForm& t) {
             t.buttonStart.click();
             t.buttonPause.click();
         }},
        {"paused while idle", [](TestForm& t) { t.buttonPause.click(); }},
        {"aborting, paused",
         [](TestForm& t) {
             t.buttonPause.click();
             t.buttonAbort.click();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm t;
        t.clock.set(12, 0, 0);
        t.start();
        t.useFiles("/work/clips/", {"a.avi"}, {0});
        c.arrange(t);
        const std::vector<double> expected{43200.5, 43260.5, 43320.5, 43380.5};
        EXPECT_EQ(pulseTimes(t, 200), expected);
        expectPulses(t.keyboard);
    }
}
