#include "runner/Runner.h"

#include "runner/BatchRun.h"
#include "runner/ExitStatus.h"
#include "runner/RunOptions.h"
#include "runner/RunPlan.h"
#include "runner/SlurmRun.h"

namespace quorbin {

std::variant<std::unique_ptr<Run>, int> runFor(const std::vector<std::string>& arguments,
                                               RunnerSystem& system) {
    const Result<RunOptions> options = parseRunOptions(arguments);
    if (!options) {
        system.err << "quorbin-run: usage error: " << options.error() << '\n' << runUsage << '\n';
        return exitSetUpError;
    }
    if (options->help) {
        system.out << runUsage << '\n';
        return exitAllFinished;
    }
    const Result<RunPlan> plan = makeRunPlan(*options, system.settings, system.files, system.fullPath);
    if (!plan) {
        system.err << "quorbin-run: set-up error: " << plan.error() << '\n';
        return exitSetUpError;
    }
    if (options->slurm)
        return std::make_unique<SlurmRun>(*plan, options->parallel, system);
    return std::make_unique<BatchRun>(*plan, system);
}

} // namespace quorbin
