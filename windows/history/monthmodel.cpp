// SPDX-License-Identifier: MIT
#include "windows/history/monthmodel.h"

#include <algorithm>
#include <climits>

#include "ui/screenconversion.h"

namespace durava::windows {

HistoryMonthModel::HistoryMonthModel(std::span<const forms::Column> columns, QObject* parent)
    : ColumnsModel(columns, parent) {}

void HistoryMonthModel::Show(history::HistoryMonth month) {
    beginResetModel();
    m_month = std::move(month);
    endResetModel();
}

// A file of billions of empty lines would overflow the view's row numbers; it shows what fits.
int HistoryMonthModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(std::min<std::size_t>(m_month.RecordCount(), INT_MAX));
}

QVariant HistoryMonthModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role != Qt::DisplayRole && role != ui::kProgramTextRole) return Alignment(index, role);
    const std::string_view field = m_month.Field(static_cast<std::size_t>(index.row()),
                                                 static_cast<std::size_t>(index.column()));
    if (role == ui::kProgramTextRole) return QByteArray(field.data(), std::ssize(field));
    return ui::ToScreen(field);
}

}  // namespace durava::windows
