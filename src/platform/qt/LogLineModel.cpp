#include "platform/qt/LogLineModel.h"

namespace quorbin {

LogLineModel::LogLineModel(QObject* parent) : QAbstractListModel(parent) {}

void LogLineModel::append(std::string_view line) {
    const int row = static_cast<int>(ends_.size());
    beginInsertRows(QModelIndex(), row, row);
    text_.append(line);
    ends_.push_back(text_.size());
    endInsertRows();
}

std::string_view LogLineModel::line(int row) const {
    const auto index = static_cast<std::size_t>(row);
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
}

int LogLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ends_.size());
}

QVariant LogLineModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const std::string_view text = line(index.row());
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace quorbin
