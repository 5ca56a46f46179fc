#pragma once

#include "platform/Caption.h"
#include "platform/Choice.h"
#include "platform/CountdownBox.h"
#include "platform/FileOpener.h"
#include "platform/Notifier.h"
#include "platform/PowerActions.h"
#include "platform/TaskbarProgress.h"

namespace quorbin {

// Stand-ins for the desktop's services and the window's menu, for a program or a test
// that has none of them: they show nothing, and what they are asked to do fails.
class NullNotifier final : public Notifier {
public:
    void notify(const std::string& /*title*/, const std::string& /*text*/) override {}
};

class NullTaskbarProgress final : public TaskbarProgress {
public:
    void show(int /*done*/, int /*total*/, bool /*paused*/) override {}
    void clear() override {}
};

class NullPowerActions final : public PowerActions {
public:
    void suspend(Done done) override {
        done(Failure{"This system offers no way to put the machine to sleep."});
    }
    void powerOff(Done done) override {
        done(Failure{"This system offers no way to shut the machine down."});
    }
};

class NullFileOpener final : public FileOpener {
public:
    Result<void> open(const std::string& path) override {
        return Failure{"No program is known to open \"" + path + "\"."};
    }
};

class NullCountdownBox final : public CountdownBox {
public:
    void show(const std::string& /*text*/) override {}
    void close() override {}
    void onCancel(std::function<void()> /*handler*/) override {}
};

class NullChoice final : public Choice {
public:
    int chosen() const override { return chosen_; }
    void setChosen(int item) override { chosen_ = item; }
    void onChoose(std::function<void(int)> /*handler*/) override {}

private:
    int chosen_ = 0;
};

class NullButton final : public Button {
public:
    std::string caption() const override { return {}; }
    void setCaption(const std::string& /*text*/) override {}
    void onClick(std::function<void()> /*handler*/) override {}
};

// One of each, alive for the whole program.
struct NullDesktop {
    static Notifier& notifier() {
        static NullNotifier instance;
        return instance;
    }
    static TaskbarProgress& taskbar() {
        static NullTaskbarProgress instance;
        return instance;
    }
    static PowerActions& power() {
        static NullPowerActions instance;
        return instance;
    }
    static FileOpener& opener() {
        static NullFileOpener instance;
        return instance;
    }
    static CountdownBox& countdown() {
        static NullCountdownBox instance;
        return instance;
    }
    static Choice& choice() {
        static NullChoice instance;
        return instance;
    }
    static Button& button() {
        static NullButton instance;
        return instance;
    }
};

} // namespace quorbin
