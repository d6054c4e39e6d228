// SPDX-License-Identifier: MIT
#pragma once
// Rows of program texts for a report-style list view, kept in insertion order.
#include <span>
#include <string>
#include <vector>

#include "ui/widgets/columnsmodel.h"

namespace durava::ui {

class TableModel : public ColumnsModel {
    Q_OBJECT
  public:
    TableModel(std::span<const forms::Column> columns, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // All rows at once, with one reset instead of a signal per row and cell; each row is cut or
    // padded to the columns.
    void SetRows(std::vector<std::vector<std::string>> rows);
    // Out-of-range cells are ignored on write and read as the empty text.
    void SetCell(int row, int column, std::string text);
    // SetCell without a word to the view; whether the text changed. A batch of such changes is
    // told with one CellsChanged.
    bool ReplaceCell(int row, int column, std::string text);
    void CellsChanged(int top, int left, int bottom, int right);
    const std::string& Cell(int row, int column) const;

  private:
    std::vector<std::vector<std::string>> m_rows;
};

}  // namespace durava::ui
