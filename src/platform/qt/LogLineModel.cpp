#include "platform/qt/LogLineModel.h"

namespace quorbin {

LogLineModel::LogLineModel(QObject* parent) : QAbstractListModel(parent) {}

void LogLineModel::append(std::string_view line) {
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    lines_.append(line);
    endInsertRows();
}

std::string_view LogLineModel::line(int row) const {
    return lines_.line(static_cast<std::size_t>(row));
}

int LogLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.count());
}

QVariant LogLineModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const std::string_view text = line(index.row());
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace quorbin
