#pragma once

#include "platform/KeepAwake.h"

namespace quorbin {

// Keeps nothing awake: the backend of a build without a way to ask the system.
class NullKeepAwake final : public KeepAwake {
public:
    void hold(const std::string&) override {}
    void release() override {}
};

} // namespace quorbin
