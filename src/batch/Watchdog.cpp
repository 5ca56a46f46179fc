#include "batch/Watchdog.h"

#include "batch/BatchController.h"
#include "batch/FileOutcomes.h"
#include "batch/ProgramMessages.h"
#include "batch/ShiftPulse.h"
#include "batch/TimeoutText.h"
#include "batch/WhenDone.h"
#include "core/Form.h"
#include "log/EventLog.h"
#include "log/TimeText.h"

#include <cmath>
#include <exception>

namespace quorbin {

namespace {
constexpr double pulseInterval = 60;
constexpr std::int32_t settleSeconds = 11;
constexpr std::int32_t stallSeconds = 300;
constexpr double secondsPerMinute = 60;
} // namespace

// The clock is read once for the tick's own steps: the tick runs twice a second for
// days, and the reading is most of what an idle tick costs.
//
// The tick runs inside the window system's event loop: a step that fails ends quietly
// and leaves the state as it stands; the steps after it, and the next tick, go on (a
// keyboard that fails costs the pulse, not the batch). Nothing reaches the log or a
// box, but the trace keeps what went wrong findable.
void Watchdog::timerTimer_Timer() {
    double now = 0;
    if (!trapped("reading the clock", [&] { now = form_.dayClock.seconds(); }))
        return;
    (void)trapped("the Shift pulse", [&] { pulseWhenDue(now); });
    (void)trapped("the elapsed time", [&] { updateElapsed(now); });
    (void)trapped("the when-done countdown", [&] { watch_.whenDone.tick(); });
    (void)trapped("a decision", [&] { decide(); });
}

template <class Step> bool Watchdog::trapped(const char* step, Step&& run) {
    try {
        run();
        return true;
    } catch (const std::exception& failure) {
        trace_.report(std::string("a tick ended early in ") + step + ": " + failure.what());
    } catch (...) {
        trace_.report(std::string("a tick ended early in ") + step + " on an unknown failure");
    }
    return false;
}

void Watchdog::pulseWhenDue(double now) {
    BatchState& s = form_.state;
    if (now - s.lastPulse > pulseInterval) {
        pulse_.pulseShift();
        s.lastPulse = static_cast<std::int32_t>(std::lrint(form_.dayClock.seconds()));
    }
}

void Watchdog::updateElapsed(double now) {
    BatchState& s = form_.state;
    s.elapsed = static_cast<std::int32_t>(std::floor(now)) - s.modeStart;
    form_.controls.labelTime.setCaption(s.mode != modeIdle ? formatTime(s.elapsed) : std::string());
}

void Watchdog::decide() {
    const BatchState& s = form_.state;
    if (s.paused || form_.modalDepth > 0)
        return;
    const bool settled = s.elapsed >= settleSeconds;
    switch (s.mode) {
    case modeRun:
        watchJob();
        break;
    case modeDone:
        if (settled)
            controller_.setMode(modeKill);
        break;
    case modeKill:
        if (!settled)
            break;
        if (controller_.nextFile(false, false)) {
            controller_.setMode(modeRun);
        } else {
            controller_.setMode(modeIdle);
            controller_.batchReachedEnd();
        }
        break;
    case modeAbort:
        if (settled)
            controller_.setMode(modeIdle);
        break;
    case modeIdle:
        break;
    }
}

void Watchdog::finishJob(std::uint32_t exitCode) {
    log_.logLine("EXIT code:" + std::to_string(static_cast<std::int32_t>(exitCode)));
    watch_.messages.collect(form_.state.hProcess);
    watch_.outcomes.jobExited(exitCode, watch_.messages.lastLines());
    controller_.setMode(modeDone);
}

// The order matters: the exit code is taken before the output length, a change of the
// length is logged before the exit is acted on, an exit wins over a stall and a stall
// over the time-out.
void Watchdog::watchJob() {
    BatchState& s = form_.state;
    if (s.elapsed < settleSeconds)
        return;
    if (s.hProcess == 0 && form_.options.endJobsNotStarted) {
        controller_.setMode(modeDone);
        return;
    }
    watch_.messages.collect(s.hProcess);
    const Result<ProcessStatus> queried = form_.services.processes.exitCode(s.hProcess);
    const ProcessStatus status = queried.value_or(endedWith(0));
    const auto length = form_.services.files.length(s.outputPath);
    if (!length) {
        // No output yet, not even an old one: a running job is given all the time it
        // needs to create it (a first pass may write none for hours). A program that
        // has ended will never create it, and waiting for it would hold up every file
        // after this one until morning.
        if (queried && !status.running)
            finishJob(status.exitCode);
        return;
    }
    if (*length > 0 && *length != s.lastSize) {
        s.lastSize = *length;
        s.lastGrowth = s.elapsed;
        log_.logLine("FILE size:" + std::to_string(*length));
    }
    if (!status.running) {
        finishJob(status.exitCode);
        return;
    }
    if (s.elapsed - s.lastGrowth > stallSeconds) {
        log_.logLine("SIZE TIMEOUT");
        watch_.outcomes.jobStalled();
        controller_.setMode(modeDone);
        return;
    }
    const double minutes = leadingNumber(form_.controls.BoxTimeout.text());
    if (minutes * secondsPerMinute < s.elapsed) {
        log_.logLine("TIMEOUT");
        watch_.outcomes.jobTimedOut();
        controller_.setMode(modeKill);
    }
}

} // namespace quorbin
