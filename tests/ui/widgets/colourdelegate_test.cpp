// SPDX-License-Identifier: MIT
#include "ui/widgets/colourdelegate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <functional>
#include <memory>

#include "support/paints.h"
#include "ui/controls.h"
#include "ui/widgets/reportcells.h"

namespace durava::ui {
namespace {

using lvcolor::CellColour;
using lvcolor::ColourRef;
using lvcolor::ListViewColouring;
using lvcolor::WindowHandle;

constexpr ColourRef kLightGreen = 0x9DE1B3;
const QColor kBase(250, 240, 230);
const QColor kText(20, 30, 40);
const QColor kHighlight(10, 60, 200);

using testing::DeliverPendingPaints;
using testing::PaintCounter;

}  // namespace

class ColourDelegateTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        m_model = std::make_unique<QStandardItemModel>(3, 3);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) {
                m_model->setItem(row, column, new QStandardItem("x"));
            }
        }
        // The list's own colours win over the model's, as with explicit custom-draw answers.
        m_model->item(1, 1)->setBackground(Qt::red);
        m_view = std::make_unique<QTableView>();
        m_view->setModel(m_model.get());
        m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
        m_view->setSelectionMode(QAbstractItemView::SingleSelection);
        QPalette palette = m_view->palette();
        palette.setColor(QPalette::Base, kBase);
        palette.setColor(QPalette::Text, kText);
        palette.setColor(QPalette::Highlight, kHighlight);
        m_view->setPalette(palette);
        m_view->resize(400, 200);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        m_previous = m_view->itemDelegate();
        m_colouring.SetWindows(HandleOf(m_view.get()), HandleOf(m_view.get()));
        AttachParent(m_colouring, m_view.get());
        m_colouring.SetCellColour(1, 2, 0, kLightGreen);
    }

    void cleanup() {
        DetachParent(m_colouring, m_view.get());
        m_view.reset();
        m_model.reset();
    }

    void colourRefConvertsWithRedInTheLowestByte_data() {
        QTest::addColumn<ColourRef>("colour");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("light green") << ColourRef{0x9DE1B3} << QColor(179, 225, 157);
        QTest::newRow("red") << ColourRef{0x0000FF} << QColor(255, 0, 0);
        QTest::newRow("blue") << ColourRef{0xFF0000} << QColor(0, 0, 255);
        QTest::newRow("high byte ignored") << ColourRef{0xFF123456} << QColor(0x56, 0x34, 0x12);
    }
    void colourRefConvertsWithRedInTheLowestByte() {
        QFETCH(ColourRef, colour);
        QFETCH(QColor, expected);
        QCOMPARE(ToQColor(colour), expected);
    }

    void storedCellAndItsNeighbourShowTheirOwnColours() {
        QCOMPARE(Background(1, 2), ToQColor(kLightGreen));
        QCOMPARE(Background(1, 1), kBase);
        QCOMPARE(Background(0, 2), kBase);
    }

    void removedColourRepaintsInTheListsOwnColours() {
        DeliverPendingPaints();
        const PaintCounter counter(m_view->viewport());
        m_colouring.RemoveCellColour(1, 2);
        DeliverPendingPaints();
        QVERIFY(counter.count > 0);
        QCOMPARE(Background(1, 2), kBase);
    }

    void selectedRowShowsTheHighlightOnlyWithFocus() {
        m_view->selectRow(1);
        m_view->clearFocus();
        QCOMPARE(Background(1, 2), ToQColor(kLightGreen));
        QCOMPARE(Background(1, 0), kBase);

        m_view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
        m_view->setFocus();
        QVERIFY(m_view->hasFocus());
        QCOMPARE(Background(1, 2), kHighlight);
        QCOMPARE(Background(0, 2), kBase);
    }

    void detachRestoresThePreviousDelegate() {
        QVERIFY(m_view->itemDelegate() != m_previous);
        DetachParent(m_colouring, m_view.get());
        QCOMPARE(m_view->itemDelegate(), m_previous);
        QCOMPARE(Background(1, 2), kBase);

        DeliverPendingPaints();
        const PaintCounter counter(m_view->viewport());
        m_colouring.SetCellColour(0, 2, 0, kLightGreen);
        DeliverPendingPaints();
        QCOMPARE(counter.count, 0);
    }

    // A report cell drawn the quick way is the style's own, pixel for pixel, in each state; a
    // cell the quick way does not fit is left to the style.
    void reportCellsDrawAsTheStyleDoes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("state");
        const int left = Qt::AlignLeft | Qt::AlignVCenter,
                  right = Qt::AlignRight | Qt::AlignVCenter;
        const int shown = QStyle::State_Enabled | QStyle::State_Active;
        QTest::newRow("left") << QStringLiteral("A12 使用中") << left << shown;
        QTest::newRow("right, selected")
            << QStringLiteral("￥110 元") << right << (shown | QStyle::State_Selected);
        QTest::newRow("centred, inactive")
            << QStringLiteral("5 时 31 分 0 秒") << int(Qt::AlignCenter)
            << int(QStyle::State_Enabled | QStyle::State_Selected);
        QTest::newRow("disabled") << QStringLiteral("无") << left << int(QStyle::State_None);
        QTest::newRow("empty") << QString() << left << shown;
        QTest::newRow("cut short")
            << QStringLiteral("一个放不下的很长很长很长很长的名字") << left << shown;
        QTest::newRow("two lines")
            << QStringLiteral("A") + QChar::LineSeparator + u'B' << left << shown;
        QTest::newRow("focused") << QStringLiteral("A1") << left
                                 << (shown | QStyle::State_HasFocus);
    }

    void reportCellsDrawAsTheStyleDoes() {
        QFETCH(QString, text);
        QFETCH(int, alignment);
        QFETCH(int, state);
        QStyleOptionViewItem item;
        item.initFrom(m_view.get());
        item.widget = m_view.get();
        item.rect = QRect(0, 0, 120, 22);
        item.font = FontOf({.pixels = 14});
        item.fontMetrics = QFontMetrics(item.font);
        item.text = text;
        item.features = QStyleOptionViewItem::HasDisplay;
        item.displayAlignment = Qt::Alignment(alignment);
        item.state = QStyle::State(state);
        item.showDecorationSelected = true;
        const auto drawn = [&item](const std::function<void(QPainter&)>& draw) {
            QImage image(item.rect.size(), QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            draw(painter);
            return image;
        };
        QCOMPARE(drawn([&](QPainter& painter) { DrawReportCell(painter, item); }),
                 drawn([&](QPainter& painter) {
                     m_view->style()->drawControl(QStyle::CE_ItemViewItem, &item, &painter,
                                                  m_view.get());
                 }));
    }

  private:
    // A point inside the cell, clear of its text, focus frame and grid line.
    QColor Background(int row, int column) const {
        const QRect cell = m_view->visualRect(m_model->index(row, column));
        const QImage image = m_view->viewport()->grab().toImage();
        return image.pixelColor(cell.right() - 6, cell.center().y());
    }

    ListViewColouring m_colouring;
    std::unique_ptr<QStandardItemModel> m_model;
    std::unique_ptr<QTableView> m_view;
    QAbstractItemDelegate* m_previous = nullptr;
};

}  // namespace durava::ui

QTEST_MAIN(durava::ui::ColourDelegateTest)
#include "colourdelegate_test.moc"
