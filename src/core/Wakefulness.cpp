#include "core/Wakefulness.h"

#include "platform/KeepAwake.h"

namespace quorbin {

void Wakefulness::need(AwakeNeed need, bool needed, const std::string& reason) {
    const unsigned before = needs_;
    needs_ = needed ? needs_ | bit(need) : needs_ & ~bit(need);
    if (before == 0 && needs_ != 0)
        keepAwake_.hold(reason);
    else if (before != 0 && needs_ == 0)
        keepAwake_.release();
}

void Wakefulness::letGo() {
    if (needs_ != 0) {
        needs_ = 0;
        keepAwake_.release();
    }
}

} // namespace quorbin
