// SPDX-License-Identifier: MIT
#include "ui/widgets/colourdelegate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <memory>

#include "support/paints.h"

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
