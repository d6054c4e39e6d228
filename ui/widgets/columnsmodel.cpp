// SPDX-License-Identifier: MIT
#include "ui/widgets/columnsmodel.h"

#include "ui/controls.h"
#include "ui/screenconversion.h"

namespace durava::ui {

ColumnsModel::ColumnsModel(std::span<const forms::Column> columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns) {}

int ColumnsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ColumnsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const forms::Column& column = m_columns[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return ToScreen(column.header);
    if (role == Qt::TextAlignmentRole) return static_cast<int>(AlignmentOf(column.align));
    return {};
}

bool ColumnsModel::ShowsWholeText(int column) const {
    return column >= 0 && column < columnCount() &&
           m_columns[static_cast<std::size_t>(column)].wholeText;
}

QVariant ColumnsModel::Alignment(const QModelIndex& index, int role) const {
    if (role != Qt::TextAlignmentRole || !index.isValid()) return {};
    return static_cast<int>(AlignmentOf(m_columns[static_cast<std::size_t>(index.column())].align));
}

}  // namespace durava::ui
