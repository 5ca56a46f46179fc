#pragma once

#include "platform/ProcessControl.h"
#include "runner/Run.h"
#include "runner/RunPlan.h"
#include "runner/RunnerSystem.h"
#include "runner/SlurmScript.h"

#include <optional>
#include <string>

namespace quorbin {

// The batch spread over a Slurm cluster: one job array, a task per file, submitted with
// sbatch and waited for. When the array has ended, the tasks' logs give the summary and
// the exit status, as the batch on one machine gives them. Interrupted, it cancels the
// array; each task's runner then aborts its job as it would on a terminal.
class SlurmRun final : public Run {
public:
    SlurmRun(RunPlan plan, std::optional<int> parallel, RunnerSystem& system)
        : plan_(std::move(plan)), parallel_(parallel), system_(system) {}

    void start() override;
    void tick() override;
    void interrupt(int status) override;
    std::optional<int> exitStatus() const override { return status_; }

private:
    std::optional<std::string> findProgram(const std::string& name) const;
    Result<std::string> writeScript(const SlurmArray& array);
    void removeTaskFiles();
    Result<ProcessHandle> launch(const std::string& program, const std::string& parameters);
    void waitForCancel();
    void arrayEnded(std::uint32_t code);
    void end();
    void fail(const std::string& message);
    void stopCommands();

    RunPlan plan_;
    std::optional<int> parallel_;
    RunnerSystem& system_;
    std::string jobName_;
    std::string scancel_;
    ProcessHandle submitted_ = 0;
    ProcessHandle cancelling_ = 0;
    int ticksCancelling_ = 0;
    std::optional<int> interrupted_;
    std::optional<int> status_;
};

} // namespace quorbin
