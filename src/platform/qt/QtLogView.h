#pragma once

#include "platform/LogView.h"
#include "platform/qt/LogLineModel.h"

#include <QListView>

namespace quorbin {

// The event log over a list view of a LogLineModel.
class QtLogView final : public LogView {
public:
    QtLogView(QListView& view, LogLineModel& lines);

    void appendSelected(const std::string& line) override;
    int count() const override;

private:
    QListView& view_;
    LogLineModel& lines_;
};

} // namespace quorbin
