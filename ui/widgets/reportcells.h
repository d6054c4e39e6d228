// SPDX-License-Identifier: MIT
#pragma once
// The cells of a report list, drawn as the style draws them. A cell of one line of text that fits
// is laid out once instead of the style's three times, which was most of the cost of showing a
// screen of a 100,000-record month; any other cell is the style's own.
#include <QStyledItemDelegate>

class QPainter;

namespace durava::ui {

// Draws `item` on `painter` with the style of its widget.
void DrawReportCell(QPainter& painter, const QStyleOptionViewItem& item);

class ReportCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace durava::ui
