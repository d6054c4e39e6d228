// SPDX-License-Identifier: MIT
#include "ui/widgets/tablemodel.h"

#include "ui/screenconversion.h"

namespace durava::ui {

TableModel::TableModel(std::span<const forms::Column> columns, QObject* parent)
    : ColumnsModel(columns, parent) {}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == kProgramTextRole)
        return QByteArray::fromStdString(Cell(index.row(), index.column()));
    if (role == Qt::DisplayRole || (role == Qt::ToolTipRole && ShowsWholeText(index.column()))) {
        return ToScreen(Cell(index.row(), index.column()));
    }
    return Alignment(index, role);
}

void TableModel::SetRows(std::vector<std::vector<std::string>> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    for (std::vector<std::string>& row : m_rows)
        row.resize(static_cast<std::size_t>(columnCount()));
    endResetModel();
}

void TableModel::SetCell(int row, int column, std::string text) {
    if (ReplaceCell(row, column, std::move(text))) CellsChanged(row, column, row, column);
}

bool TableModel::ReplaceCell(int row, int column, std::string text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return false;
    std::string& cell = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (cell == text) return false;
    cell = std::move(text);
    return true;
}

void TableModel::CellsChanged(int top, int left, int bottom, int right) {
    emit dataChanged(index(top, left), index(bottom, right), {Qt::DisplayRole});
}

const std::string& TableModel::Cell(int row, int column) const {
    static const std::string kEmpty;
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return kEmpty;
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

}  // namespace durava::ui
