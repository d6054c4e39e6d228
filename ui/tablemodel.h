#pragma once
// Rows of program texts for a report-style list view, kept in insertion order.
#include <QAbstractTableModel>

#include <span>
#include <string>
#include <vector>

#include "core/forms.h"

namespace durava::ui {

class TableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    TableModel(std::span<const core::forms::Column> columns, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void Clear();
    int AppendRow();
    // Out-of-range cells are ignored on write and read as the empty text.
    void SetCell(int row, int column, std::string text);
    const std::string& Cell(int row, int column) const;

  private:
    std::span<const core::forms::Column> m_columns;
    std::vector<std::vector<std::string>> m_rows;
};

}  // namespace durava::ui
