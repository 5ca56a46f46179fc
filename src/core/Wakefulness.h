#pragma once

#include <string>

namespace quorbin {

class KeepAwake;

// Why the machine must stay awake: a batch runs (modes 1 to 4), or a countdown to the
// action chosen for the end of a batch is under way.
enum class AwakeNeed { batch, countdown };

// Keeps the machine awake while any need is there, through the one KeepAwake, which is
// held once and released once however many needs overlap.
class Wakefulness {
public:
    explicit Wakefulness(KeepAwake& keepAwake) : keepAwake_(keepAwake) {}

    // The need begins or ends; `reason` names it to the system when it is the first.
    void need(AwakeNeed need, bool needed, const std::string& reason = {});
    // The window closes: nothing keeps the machine awake any more.
    void letGo();

private:
    static unsigned bit(AwakeNeed need) { return 1u << static_cast<unsigned>(need); }

    KeepAwake& keepAwake_;
    unsigned needs_ = 0;
};

} // namespace quorbin
