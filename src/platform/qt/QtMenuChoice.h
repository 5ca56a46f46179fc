#pragma once

#include "platform/Choice.h"

#include <QActionGroup>

#include <functional>

namespace quorbin {

// A menu's radio items over an exclusive QActionGroup, each item's number in its action's
// data. QActionGroup reports the user's choice through triggered, never a change made by
// code, so setChosen runs no handler without any guard.
class QtMenuChoice final : public Choice {
public:
    explicit QtMenuChoice(QActionGroup& group);

    int chosen() const override;
    void setChosen(int item) override;
    void onChoose(std::function<void(int item)> handler) override { handler_ = std::move(handler); }

private:
    QActionGroup& group_;
    std::function<void(int)> handler_;
};

} // namespace quorbin
