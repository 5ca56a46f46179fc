#pragma once

#include "platform/FileDialog.h"

class QFileDialog;
class QWidget;

namespace quorbin {

// The open-file dialog over QFileDialog.
class QtFileDialog final : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}

    Result<std::vector<std::string>> open(const OpenFileRequest& request) override;

    // Sets the dialog up as the request asks; apart from open() so that it can be
    // checked without showing a modal dialog.
    static void configure(QFileDialog& dialog, const OpenFileRequest& request);

private:
    QWidget* parent_;
};

} // namespace quorbin
