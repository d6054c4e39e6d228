#include "history/monthmodel.h"

#include <algorithm>
#include <climits>

#include "ui/controls.h"
#include "ui/screentext.h"

namespace durava::history {

HistoryMonthModel::HistoryMonthModel(std::span<const core::forms::Column> columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns) {}

void HistoryMonthModel::Show(HistoryMonth month) {
    beginResetModel();
    m_month = std::move(month);
    endResetModel();
}

// A file of billions of empty lines would overflow the view's row numbers; it shows what fits.
int HistoryMonthModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(std::min<std::size_t>(m_month.RecordCount(), INT_MAX));
}

int HistoryMonthModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant HistoryMonthModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::TextAlignmentRole) {
        return static_cast<int>(ui::AlignmentOf(m_columns[column].align));
    }
    if (role != Qt::DisplayRole) return {};
    const auto record = static_cast<std::size_t>(index.row());
    if (column >= m_month.FieldCount(record)) return QString();
    return ui::ToScreen(m_month.Field(record, column));
}

QVariant HistoryMonthModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const core::forms::Column& column = m_columns[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return ui::ToScreen(column.header);
    if (role == Qt::TextAlignmentRole) return static_cast<int>(ui::AlignmentOf(column.align));
    return {};
}

}  // namespace durava::history
