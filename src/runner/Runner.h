#pragma once

#include "runner/Run.h"
#include "runner/RunnerSystem.h"

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace quorbin {

// What quorbin-run's command line (the arguments after its name) asks for: the run, on
// this machine or on a Slurm cluster; or the exit status when there is nothing to run:
// the usage for --help, or a usage or set-up error, said on the error stream.
std::variant<std::unique_ptr<Run>, int> runFor(const std::vector<std::string>& arguments,
                                               RunnerSystem& system);

} // namespace quorbin
