#pragma once

#include "app/MainForm.h"
#include "platform/headless/HeadlessFrontEnd.h"
#include "platform/headless/MemorySettingsStore.h"
#include "runner/Run.h"
#include "runner/RunPlan.h"
#include "runner/RunnerSystem.h"

namespace quorbin {

// The batch on this machine, without a window: the window's own logic over the headless
// front end, fed the plan as if the user had chosen it there. Its settings live in
// memory: a batch given on a command line never changes what the window has stored.
class BatchRun final : public Run {
public:
    BatchRun(const RunPlan& plan, RunnerSystem& system);

    // Reads the settings and the template, picks the files and presses Start.
    void start() override;
    void tick() override;
    void interrupt(int status) override;
    std::optional<int> exitStatus() const override { return status_; }

private:
    static FormOptions optionsFor(const RunPlan& plan);
    Services services(RunnerSystem& system);
    void end(int status);

    RunnerSystem& system_;
    MemorySettingsStore settings_;
    HeadlessFrontEnd front_;
    MainForm form_;
    bool started_ = false;
    std::optional<int> status_;
};

} // namespace quorbin
