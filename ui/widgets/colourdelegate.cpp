// SPDX-License-Identifier: MIT
#include "ui/widgets/colourdelegate.h"

#include <QAbstractItemView>
#include <QPointer>
#include <QStyle>
#include <QStyledItemDelegate>

#include "ui/widgets/reportcells.h"

namespace durava::ui {
namespace {

using lvcolor::CellColour;
using lvcolor::ColourRef;
using lvcolor::ListViewColouring;
using lvcolor::WindowHandle;

class ColourDelegate final : public QStyledItemDelegate {
    Q_OBJECT

  public:
    ColourDelegate(const ListViewColouring& colouring, QAbstractItemView* list)
        : QStyledItemDelegate(list),
          m_colouring(colouring),
          m_list(HandleOf(list)),
          m_previous(list->itemDelegate()) {}

    QAbstractItemDelegate* Previous() const { return m_previous; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        // The selected row shows the highlight while the list has the focus, as the platform
        // list view draws it over custom colours; without focus the selection stays hidden.
        const bool focused = item.widget != nullptr && item.widget->hasFocus();
        if (!(item.state.testFlag(QStyle::State_Selected) && focused)) {
            item.state &= ~QStyle::State_Selected;
            const std::optional<CellColour> stored =
                m_colouring.LookUpCellColour(m_list, index.row(), index.column());
            // Without stored colours the cell still gets explicit ones: the list view's own,
            // whatever the model says about foreground and background.
            item.palette.setBrush(QPalette::Text, stored ? QBrush(ToQColor(stored->text))
                                                         : option.palette.brush(QPalette::Text));
            item.backgroundBrush = stored ? QBrush(ToQColor(stored->background))
                                          : option.palette.brush(QPalette::Base);
        }
        DrawReportCell(*painter, item);
    }

  private:
    const ListViewColouring& m_colouring;
    const WindowHandle m_list;
    QPointer<QAbstractItemDelegate> m_previous;
};

}  // namespace

QColor ToQColor(ColourRef colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

WindowHandle HandleOf(const QWidget* widget) {
    return reinterpret_cast<WindowHandle>(widget);
}

void AttachParent(ListViewColouring& colouring, QAbstractItemView* list) {
    // A second attachment must not take the first delegate for the list's own.
    DetachParent(colouring, list);
    list->setItemDelegate(new ColourDelegate(colouring, list));
    colouring.AttachParent(
        [view = QPointer<QAbstractItemView>(list), handle = HandleOf(list)](WindowHandle changed) {
            if (changed == handle && view) view->viewport()->update();
        });
}

void DetachParent(ListViewColouring& colouring, QAbstractItemView* list) {
    colouring.DetachParent();
    auto* delegate = qobject_cast<ColourDelegate*>(list->itemDelegate());
    if (delegate == nullptr) return;
    list->setItemDelegate(delegate->Previous());
    delete delegate;
}

}  // namespace durava::ui

#include "colourdelegate.moc"
