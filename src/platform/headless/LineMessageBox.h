#pragma once

#include "platform/MessageBox.h"

#include <ostream>
#include <string>
#include <utility>

namespace quorbin {

// What would be a message box, where nobody is there to answer one: one line on a stream
// (standard error), named after the program, and on at once. A question is answered No,
// the answer that changes nothing, and the line says so.
class LineMessageBox final : public MessageBox {
public:
    LineMessageBox(std::ostream& out, std::string program) : out_(out), program_(std::move(program)) {}

    void show(const std::string& text, const std::string& title) override;
    bool ask(const std::string& text, const std::string& title) override;

private:
    std::ostream& out_;
    std::string program_;
};

} // namespace quorbin
