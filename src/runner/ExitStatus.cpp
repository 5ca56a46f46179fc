#include "runner/ExitStatus.h"

#include <algorithm>

namespace quorbin {

int batchExitStatus(const std::vector<SummaryFile>& files) {
    const bool allFinished =
        !files.empty() && std::all_of(files.begin(), files.end(),
                                      [](const SummaryFile& f) { return f.kind == OutcomeKind::finished; });
    return allFinished ? exitAllFinished : exitSomeOtherwise;
}

} // namespace quorbin
