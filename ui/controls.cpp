// SPDX-License-Identifier: MIT
#include "ui/controls.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QValidator>

#include <algorithm>

#include "ui/icons/pngicon.h"
#include "ui/screenconversion.h"
#include "ui/widgets/barchart.h"
#include "ui/widgets/fittedlabel.h"
#include "ui/widgets/reportcells.h"
#include "ui/widgets/statusbar.h"
#include "ui/widgets/tablemodel.h"

namespace durava::ui {
namespace {

using forms::Control;
using forms::ControlKind;

constexpr int kIconPixels = 20;
constexpr int kStatusBarHeight = 20;

// Whatever way text comes in (typing, an input method, pasting, dropping), the box takes it only
// when every character is an ASCII digit or "-"; anything else leaves the box as it was.
class DigitsOnlyValidator : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        for (QChar c : input) {
            if ((c < u'0' || c > u'9') && c != u'-') return Invalid;
        }
        return Acceptable;
    }
};

// Qt marks the first row current, unselected, as the list takes the focus; the first Up or Down
// then selects that row instead of stepping past it, as the platform's list does.
class ReportView : public QTableView {
  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy) && CopyWholeText()) return;
        const bool step = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
        if (step && currentIndex().isValid() && !selectionModel()->hasSelection()) {
            return selectRow(currentIndex().row());
        }
        QTableView::keyPressEvent(event);
    }

  private:
    // The whole text of the chosen row, whichever cell of it is current; false without such a
    // column, leaving Qt's copy of the current cell.
    bool CopyWholeText() {
        const auto* columns = qobject_cast<const ColumnsModel*>(model());
        for (int column = 0; columns && currentIndex().isValid() && column < columns->columnCount();
             ++column) {
            if (!columns->ShowsWholeText(column)) continue;
            QGuiApplication::clipboard()->setText(
                columns->index(currentIndex().row(), column).data().toString());
            return true;
        }
        return false;
    }
};

QString CssColour(forms::Rgb rgb) {
    return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0'));
}

QWidget* CreateLabel(const Control& control) {
    auto* label = new FittedLabel(ToScreen(control.text), FontOf(control.font));
    label->setAlignment(AlignmentOf(control.align));
    label->setStyleSheet(LabelStyle(control, control.textColour.value_or(0x000000)));
    return label;
}

QWidget* CreateButton(const Control& control) {
    auto* button = new QPushButton(ToScreen(control.text));
    // Return presses the focused button, as Space does, in every window.
    button->setAutoDefault(true);
    if (control.kind == ControlKind::PictureButton) {
        button->setIcon(ButtonIcon(control.icon));
        button->setIconSize(QSize(kIconPixels, kIconPixels));
    }
    return button;
}

QWidget* CreateEditBox(const Control& control) {
    auto* edit = new QLineEdit(ToScreen(control.text));
    edit->setAlignment(AlignmentOf(control.align));
    // Greyed like the platform's when disabled, as in modify mode's name box.
    edit->setStyleSheet(
        QStringLiteral("QLineEdit { border: 1px solid black; background: white; color: black; }"
                       "QLineEdit:disabled { background: #F0F0F0; color: #6D6D6D; }"));
    if (control.digitsOnly) edit->setValidator(new DigitsOnlyValidator(edit));
    if (control.secret) edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QWidget* CreateListView(const Control& control) {
    auto* view = new ReportView;
    view->setModel(new TableModel(control.columns, view));
    view->setItemDelegate(new ReportCellDelegate(view));
    QHeaderView* header = view->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setFont(FontOf(control.font));
    // Qt would hold every column to the widest glyph of the face, 46 px for a CJK face.
    header->setMinimumSectionSize(0);
    for (std::size_t column = 0; column < control.columns.size(); ++column) {
        header->resizeSection(static_cast<int>(column), control.columns[column].width);
    }
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(control.font.pixels + 8);
    view->setSortingEnabled(false);
    view->setShowGrid(true);
    view->setWordWrap(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    // The selection shows only while the list has the focus.
    QPalette palette = view->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Base));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Text));
    view->setPalette(palette);
    return view;
}

QWidget* CreateComboBox(const Control& control) {
    auto* combo = new QComboBox;
    combo->setEditable(false);
    combo->view()->setMinimumHeight(control.minimumDropHeight);
    return combo;
}

QWidget* CreateStatusBar(const Control& control, QWidget* window) {
    auto* bar = new StatusBar(control.parts, FontOf(control.font));
    bar->setGeometry(0, window->height() - kStatusBarHeight, window->width(), kStatusBarHeight);
    return bar;
}

QWidget* CreateWidget(const Control& control, QWidget* window) {
    switch (control.kind) {
        case ControlKind::Label:
        case ControlKind::TransparentLabel:
            return CreateLabel(control);
        case ControlKind::Button:
        case ControlKind::PictureButton:
            return CreateButton(control);
        case ControlKind::EditBox:
            return CreateEditBox(control);
        case ControlKind::ComboBox:
            return CreateComboBox(control);
        case ControlKind::ListBox:
            return new QListWidget;
        case ControlKind::ListView:
            return CreateListView(control);
        case ControlKind::StatusBar:
            return CreateStatusBar(control, window);
        case ControlKind::BarChart:
            return new BarChart;
        case ControlKind::CheckBox:
            return new QCheckBox(ToScreen(control.text));
        case ControlKind::Timer:
            break;
    }
    return nullptr;
}

}  // namespace

Qt::Alignment AlignmentOf(forms::Align align) {
    switch (align) {
        case forms::Align::Left:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case forms::Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case forms::Align::Centre:
            break;
    }
    return Qt::AlignCenter;
}

QFont FontOf(const forms::Font& font) {
    QFont result;
    result.setFamilies({QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"),
                        QStringLiteral("Noto Sans CJK SC")});
    result.setPixelSize(font.pixels);
    result.setBold(font.bold);
    return result;
}

// A style sheet rather than a frame: a plain frame takes the text colour, while the platform's
// one-pixel border stays black whatever colour the text has.
QString LabelStyle(const forms::Control& control, forms::Rgb textColour) {
    QString style = QStringLiteral("QLabel { color: %1;").arg(CssColour(textColour));
    if (control.border) style += QStringLiteral(" border: 1px solid black;");
    if (control.backColour) {
        style += QStringLiteral(" background-color: %1;").arg(CssColour(*control.backColour));
    }
    return style + QStringLiteral(" }");
}

QObject* CreateControl(const Control& control, QWidget* window) {
    const QString name = ToScreen(control.name);
    if (control.kind == ControlKind::Timer) {
        // Defined with interval 0 and never started: the live display does not depend on it.
        auto* timer = new QTimer(window);
        timer->setObjectName(name);
        timer->setInterval(0);
        return timer;
    }
    QWidget* widget = CreateWidget(control, window);
    widget->setParent(window);
    widget->setObjectName(name);
    widget->setFont(FontOf(control.font));
    if (control.kind == ControlKind::ComboBox) {
        // The platform sizes a drop-down list's field by its font, whatever height the definition
        // gives, so the chosen text is never cut.
        widget->setGeometry(control.left, control.top, control.width,
                            std::max(control.height, widget->sizeHint().height()));
    } else if (control.kind != ControlKind::StatusBar) {
        widget->setGeometry(control.left, control.top, control.width, control.height);
    }
    if (widget->focusPolicy() != Qt::NoFocus) {
        widget->setFocusPolicy(control.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
    widget->setEnabled(control.enabled);
    widget->setVisible(control.visible);
    return widget;
}

}  // namespace durava::ui
