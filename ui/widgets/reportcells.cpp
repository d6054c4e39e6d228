// SPDX-License-Identifier: MIT
#include "ui/widgets/reportcells.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

namespace durava::ui {
namespace {

// A cell the quick drawing matches the style in: text alone, left to right, neither focused nor
// edited, its whole rectangle shown as selected.
bool PlainTextCell(const QStyleOptionViewItem& item) {
    constexpr auto kOtherFeatures = QStyleOptionViewItem::HasCheckIndicator |
                                    QStyleOptionViewItem::HasDecoration |
                                    QStyleOptionViewItem::WrapText;
    return !(item.features & kOtherFeatures) &&
           !(item.state & (QStyle::State_HasFocus | QStyle::State_Editing)) &&
           item.showDecorationSelected && item.direction == Qt::LeftToRight &&
           item.decorationPosition == QStyleOptionViewItem::Left;
}

// The text laid out in `width` as the style lays out a cell's text; false when it takes more than
// one line or does not fit, which the style cuts short.
bool LayOutOneLine(QTextLayout& layout, const QStyleOptionViewItem& item, int width) {
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    option.setTextDirection(item.direction);
    option.setAlignment(QStyle::visualAlignment(item.direction, item.displayAlignment));
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, 0));
    }
    const bool oneLine = line.isValid() && !layout.createLine().isValid();
    layout.endLayout();
    return oneLine && line.naturalTextWidth() <= width;
}

// The style's drawing of the cell: its background, then its text in the colour of its state.
bool DrawPlainTextCell(QPainter& painter, const QStyleOptionViewItem& item, const QStyle& style) {
    if (!PlainTextCell(item)) return false;
    const int margin = style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, item.widget) + 1;
    const QRect textRect = item.rect.adjusted(margin, 0, -margin, 0);
    QTextLayout layout(item.text, item.font);
    if (!item.text.isEmpty() && !LayOutOneLine(layout, item, textRect.width())) return false;
    painter.save();
    painter.setClipRect(item.rect);
    style.drawPrimitive(QStyle::PE_PanelItemViewItem, &item, &painter, item.widget);
    if (!item.text.isEmpty()) {
        QPalette::ColorGroup group =
            item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        if (group == QPalette::Normal && !(item.state & QStyle::State_Active)) {
            group = QPalette::Inactive;
        }
        painter.setPen(item.palette.color(group, item.state & QStyle::State_Selected
                                                     ? QPalette::HighlightedText
                                                     : QPalette::Text));
        const int top = QStyle::alignedRect(Qt::LayoutDirectionAuto, item.displayAlignment,
                                            layout.boundingRect().size().toSize(), textRect)
                            .top();
        layout.draw(&painter, QPointF(textRect.x(), top));
    }
    painter.restore();
    return true;
}

}  // namespace

void DrawReportCell(QPainter& painter, const QStyleOptionViewItem& item) {
    const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    if (DrawPlainTextCell(painter, item, *style)) return;
    style->drawControl(QStyle::CE_ItemViewItem, &item, &painter, item.widget);
}

void ReportCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    DrawReportCell(*painter, item);
}

}  // namespace durava::ui
