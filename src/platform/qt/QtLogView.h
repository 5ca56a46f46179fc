#pragma once

#include "platform/LogView.h"
#include "platform/qt/LogLineModel.h"
#include "platform/qt/LogListView.h"

namespace quorbin {

// The event log over a LogListView of a LogLineModel.
class QtLogView final : public LogView {
public:
    QtLogView(LogListView& view, LogLineModel& lines);

    void appendSelected(const std::string& line) override;
    int count() const override;

private:
    LogListView& view_;
    LogLineModel& lines_;
};

} // namespace quorbin
