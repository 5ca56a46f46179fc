#pragma once

#include "platform/MessageBox.h"

#include <cstdio>
#include <string>
#include <vector>

namespace quorbin {

// A measured window must never stop for a modal message: each one is written to the
// error stream and kept, and the benchmark that met it reports the failure.
class BenchMessageBox final : public MessageBox {
public:
    void show(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "bench: the window asked: %s\n", text.c_str());
        shown_.push_back(text);
    }
    bool ask(const std::string& text, const std::string& title) override {
        show(text, title);
        return false;
    }

    const std::vector<std::string>& shown() const { return shown_; }

private:
    std::vector<std::string> shown_;
};

} // namespace quorbin
