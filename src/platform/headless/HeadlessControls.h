#pragma once

#include "platform/Caption.h"
#include "platform/TextBox.h"
#include "platform/Window.h"

#include <functional>
#include <string>
#include <utility>

namespace quorbin {

// The window's controls where there is no window: they keep what they are given and run
// their handlers as the interfaces promise, and show nothing.

class HeadlessCaption final : public Caption {
public:
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& text) override { caption_ = text; }

private:
    std::string caption_;
};

// A button that only the program presses.
class HeadlessButton final : public Button {
public:
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& text) override { caption_ = text; }
    void onClick(std::function<void()> handler) override { handler_ = std::move(handler); }
    void click() const {
        if (handler_)
            handler_();
    }

private:
    std::string caption_;
    std::function<void()> handler_;
};

class HeadlessTextBox final : public TextBox {
public:
    std::string text() const override { return text_; }
    void setText(const std::string& text) override {
        if (text == text_)
            return;
        text_ = text;
        if (handler_)
            handler_();
    }
    void onChange(std::function<void()> handler) override { handler_ = std::move(handler); }
    void setWarning(const std::string& /*note*/) override {}

private:
    std::string text_;
    std::function<void()> handler_;
};

// A window of no size, that is never resized and never closes.
class HeadlessWindow final : public Window {
public:
    int outerWidth() const override { return 0; }
    int innerWidth() const override { return 0; }
    void setOuterWidth(int /*twips*/) override {}
    void moveTo(int /*left*/, int /*top*/) override {}
    void setControlWidth(SizedControl /*control*/, int /*twips*/) override {}
    int minimumOuterWidth() const override { return 0; }
    int screenWidth() const override { return 0; }
    void onResize(std::function<void()> /*handler*/) override {}
    void onClose(std::function<void()> /*handler*/) override {}
    void close() override {}
};

} // namespace quorbin
