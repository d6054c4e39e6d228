// SPDX-License-Identifier: MIT
#pragma once
// A month file as the rows of a report list. Only the cells on screen are converted to screen
// text, so a month of 100,000 records shows at once.
#include <span>

#include "history/historyfile.h"
#include "ui/widgets/columnsmodel.h"

namespace durava::windows {

class HistoryMonthModel : public ui::ColumnsModel {
    Q_OBJECT
  public:
    HistoryMonthModel(std::span<const forms::Column> columns, QObject* parent);

    void Show(history::HistoryMonth month);
    const history::HistoryMonth& Month() const { return m_month; }

    int rowCount(const QModelIndex& parent = {}) const override;
    // Field k of a record in column k; a record with fewer fields leaves its last cells empty,
    // and fields beyond the last column have no cell.
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    history::HistoryMonth m_month;
};

}  // namespace durava::windows
