#pragma once

#include "platform/LogLines.h"

#include <QAbstractListModel>

#include <string_view>

namespace quorbin {

// The lines of the event log for a list view, over the compact LogLines: a QString is
// made only for the few rows the view asks to paint.
class LogLineModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LogLineModel(QObject* parent = nullptr);

    void append(std::string_view line);
    std::string_view line(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    LogLines lines_;
};

} // namespace quorbin
