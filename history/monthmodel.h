#pragma once
// A month file as the rows of a report list. Only the cells on screen are converted to screen
// text, so a month of 100,000 records shows at once.
#include <QAbstractTableModel>

#include <span>

#include "core/forms.h"
#include "history/historyfile.h"

namespace durava::history {

class HistoryMonthModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    HistoryMonthModel(std::span<const core::forms::Column> columns, QObject* parent);

    void Show(HistoryMonth month);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Field k of a record in column k; a record with fewer fields leaves its last cells empty,
    // and fields beyond the last column have no cell.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::span<const core::forms::Column> m_columns;
    HistoryMonth m_month;
};

}  // namespace durava::history
