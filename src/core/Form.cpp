#include "core/Form.h"

namespace quorbin {

namespace {

// Counts a modal box or dialog as open for as long as it is shown, however it returns.
class ModalScope {
public:
    explicit ModalScope(int& depth) : depth_(depth) { ++depth_; }
    ~ModalScope() { --depth_; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    int& depth_;
};

} // namespace

void Form::showMessage(const std::string& text) {
    const ModalScope modal(modalDepth);
    services.messageBox.show(text, "quorbin");
}

bool Form::ask(const std::string& text) {
    const ModalScope modal(modalDepth);
    return services.messageBox.ask(text, "quorbin");
}

Result<std::vector<std::string>> Form::openFileDialog(const OpenFileRequest& request) {
    const ModalScope modal(modalDepth);
    return services.dialog.open(request);
}

} // namespace quorbin
