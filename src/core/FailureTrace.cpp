#include "core/FailureTrace.h"

namespace quorbin {

void FailureTrace::report(const std::string& text) {
    if (!seen_.insert(text).second)
        return;
    out_ << "quorbin: " << text << std::endl;
}

} // namespace quorbin
