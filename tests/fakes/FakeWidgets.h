#pragma once

#include "platform/Caption.h"
#include "platform/ListBox.h"
#include "platform/LogView.h"
#include "platform/TextBox.h"
#include "platform/Window.h"

#include <map>
#include <string>
#include <vector>

namespace quorbin::test {

// Setting a different text from code runs the change handler at once; the same text
// runs nothing. type() stands for the user's typing.
class FakeTextBox : public TextBox {
public:
    explicit FakeTextBox(std::string initial = {}) : text_(std::move(initial)) {}
    std::string text() const override { return text_; }
    void setText(const std::string& text) override {
        if (text == text_)
            return;
        text_ = text;
        changed();
    }
    void onChange(std::function<void()> handler) override { handler_ = std::move(handler); }
    void setWarning(const std::string& note) override { warning = note; }
    void type(const std::string& text) {
        text_ = text;
        changed();
    }
    int changes = 0;
    std::string warning;

private:
    void changed() {
        ++changes;
        if (handler_)
            handler_();
    }
    std::string text_;
    std::function<void()> handler_;
};

// Code making a different entry current runs the click handler, as the window system
// may; making the already-current entry current runs nothing.
class FakeListBox : public ListBox {
public:
    struct Entry {
        std::string text;
        bool selected = false;
        EntryBadge badge;
    };
    int count() const override { return static_cast<int>(entries.size()); }
    std::string entryText(int index) const override {
        return entries.at(static_cast<std::size_t>(index)).text;
    }
    bool isSelected(int index) const override { return entries.at(static_cast<std::size_t>(index)).selected; }
    void setSelected(int index, bool selected) override {
        entries.at(static_cast<std::size_t>(index)).selected = selected;
    }
    int currentIndex() const override { return current_; }
    void setCurrentIndex(int index) override {
        if (index == current_)
            return;
        current_ = index;
        if (codeRaisesClick)
            runClick();
    }
    void clear() override {
        entries.clear();
        current_ = -1;
    }
    void addSorted(const std::string& text) override;
    void onClick(std::function<void()> handler) override { handler_ = std::move(handler); }
    void setBadge(int index, const EntryBadge& badge) override {
        entries.at(static_cast<std::size_t>(index)).badge = badge;
    }
    // The badge of the entry named so.
    const EntryBadge& badgeOf(const std::string& name) const;

    // Fills the list as a test arranges it: names in order, marks as given.
    void fill(const std::vector<std::string>& names, const std::vector<int>& selected = {});
    // The user clicks an entry's text: it becomes current and the handler runs.
    void userClick(int index) {
        current_ = index;
        runClick();
    }
    void userToggle(int index) { entries.at(static_cast<std::size_t>(index)).selected ^= true; }

    std::vector<Entry> entries;
    int clicks = 0;
    // False for a window system that raises the click event only for the user's clicks.
    bool codeRaisesClick = true;

private:
    void runClick() {
        ++clicks;
        if (handler_)
            handler_();
    }
    int current_ = -1;
    std::function<void()> handler_;
};

class FakeLogView : public LogView {
public:
    void appendSelected(const std::string& line) override {
        lines.push_back(line);
        selected = static_cast<int>(lines.size()) - 1;
    }
    int count() const override { return static_cast<int>(lines.size()); }
    std::vector<std::string> lines;
    int selected = -1;
};

class FakeCaption : public Caption {
public:
    explicit FakeCaption(std::string initial = {}) : caption_(std::move(initial)) {}
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& text) override { caption_ = text; }

private:
    std::string caption_;
};

class FakeButton : public Button {
public:
    explicit FakeButton(std::string initial = {}) : caption_(std::move(initial)) {}
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& text) override { caption_ = text; }
    void onClick(std::function<void()> handler) override { handler_ = std::move(handler); }
    void click() {
        if (handler_)
            handler_();
    }

private:
    std::string caption_;
    std::function<void()> handler_;
};

// A window whose frame adds a fixed width to the client area. Setting the outer width
// from code to a different width runs the resize handler at once.
class FakeWindow : public Window {
public:
    static constexpr int designedInner = 8145;
    static constexpr int frame = 120;

    int outerWidth() const override { return outer_; }
    int innerWidth() const override { return minimized ? 0 : outer_ - frame; }
    void setOuterWidth(int twips) override {
        if (twips == outer_)
            return;
        outer_ = twips;
        resized();
    }
    void moveTo(int l, int t) override {
        left = l;
        top = t;
    }
    void setControlWidth(SizedControl control, int twips) override {
        widths[control] = twips;
        widthCalls.push_back(control);
    }
    int minimumOuterWidth() const override { return minimumOuter; }
    int screenWidth() const override { return screen; }
    void onResize(std::function<void()> handler) override { handler_ = std::move(handler); }
    void onClose(std::function<void()> handler) override { closeHandler_ = std::move(handler); }

    // The user, or the core, closes the window.
    void close() override {
        ++closes;
        if (closeHandler_)
            closeHandler_();
    }
    int closes = 0;

    // The user (or the window system) changes the size.
    void userResize(int outer) {
        outer_ = outer;
        resized();
    }
    void userHeightChange() { resized(); }
    void minimize() {
        minimized = true;
        resized();
    }
    void restore() {
        minimized = false;
        resized();
    }

    std::map<SizedControl, int> widths;
    std::vector<SizedControl> widthCalls;
    int left = 0;
    int top = 0;
    int minimumOuter = 1500;
    int screen = 28800; // a 1920-pixel screen at 96 DPI
    bool minimized = false;
    int resizes = 0;

private:
    void resized() {
        ++resizes;
        if (handler_)
            handler_();
    }
    int outer_ = designedInner + frame;
    std::function<void()> handler_;
    std::function<void()> closeHandler_;
};

} // namespace quorbin::test
