#pragma once

#include <QAbstractListModel>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorbin {

// The lines of the event log for a list view. The log only grows, for as long as the
// program runs (two lines a second make 100,000 lines in a day), so the lines are kept
// as UTF-8 in one buffer with an end offset per line, and a QString is made only for
// the few rows the view asks to paint.
class LogLineModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LogLineModel(QObject* parent = nullptr);

    void append(std::string_view line);
    std::string_view line(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::string text_;
    std::vector<std::size_t> ends_;
};

} // namespace quorbin
