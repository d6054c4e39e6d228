// SPDX-License-Identifier: MIT
#include "ui/widgets/barchart.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace durava::ui {
namespace {

constexpr int kMargin = 6;
constexpr int kTextPixels = 10;
// A day with takings never looks like a day without.
constexpr int kMinimumBarPixels = 3;
// A bar this many times the middle bar is drawn broken at the top of the scale, so that one huge
// day does not flatten the others; its printed value still tells its size.
constexpr qint64 kOutlierFactor = 4;

QFont TextFont(const QFont& base) {
    QFont font = base;
    font.setPixelSize(kTextPixels);
    return font;
}

// The highest value the scale reaches: the largest bar that is not an outlier.
qint64 ScaleTop(const std::vector<Bar>& bars) {
    std::vector<qint64> values;
    for (const Bar& bar : bars) {
        if (bar.value > 0) values.push_back(bar.value);
    }
    if (values.empty()) return 1;
    std::sort(values.begin(), values.end());
    const qint64 middle = values[values.size() / 2];
    constexpr qint64 kLargest = std::numeric_limits<qint64>::max();
    const qint64 limit = middle > kLargest / kOutlierFactor ? kLargest : middle * kOutlierFactor;
    return *std::prev(std::upper_bound(values.begin(), values.end(), limit));
}

class BarAccessible : public QAccessibleInterface {
  public:
    BarAccessible(BarChart* chart, int index) : m_chart(chart), m_index(index) {}

    bool isValid() const override {
        return m_chart && static_cast<std::size_t>(m_index) < m_chart->Bars().size();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent()->window(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_chart);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text kind) const override {
        if (!isValid() || kind != QAccessible::Name) return {};
        return m_chart->Bars()[static_cast<std::size_t>(m_index)].spokenText;
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect bar = m_chart->BarRect(static_cast<std::size_t>(m_index));
        return QRect(m_chart->mapToGlobal(bar.topLeft()), bar.size());
    }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }

  private:
    QPointer<BarChart> m_chart;
    int m_index;
};

class ChartAccessible : public QAccessibleWidget {
  public:
    explicit ChartAccessible(BarChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}
    ~ChartAccessible() override {
        for (QAccessible::Id id : m_bars) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return static_cast<int>(Chart()->Bars().size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        while (m_bars.size() <= static_cast<std::size_t>(index)) {
            m_bars.push_back(QAccessible::registerAccessibleInterface(
                new BarAccessible(Chart(), static_cast<int>(m_bars.size()))));
        }
        return QAccessible::accessibleInterface(m_bars[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t index = 0; index < m_bars.size(); ++index) {
            if (QAccessible::accessibleInterface(m_bars[index]) == child) {
                return static_cast<int>(index);
            }
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const int index = Chart()->BarAt(Chart()->mapFromGlobal(QPoint(x, y)));
        return index < 0 ? nullptr : child(index);
    }

  private:
    BarChart* Chart() const { return static_cast<BarChart*>(widget()); }

    mutable std::vector<QAccessible::Id> m_bars;
};

QAccessibleInterface* ChartAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(BarChart::staticMetaObject.className())) {
        return new ChartAccessible(static_cast<BarChart*>(object));
    }
    return nullptr;
}

}  // namespace

struct BarChart::Layout {
    QRect plot;  // the bars stand on its bottom edge
    int slot = 0;
    bool upright = false;  // values written upwards, when they are wider than a bar's slot
    qint64 top = 1;
};

BarChart::BarChart(QWidget* parent) : QWidget(parent) {
    static const bool installed = (QAccessible::installFactory(ChartAccessibleFactory), true);
    (void)installed;
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void BarChart::SetBars(std::vector<Bar> bars) {
    m_bars = std::move(bars);
    update();
}

BarChart::Layout BarChart::LayOut() const {
    const QFontMetrics metrics(TextFont(font()));
    const int count = std::max<int>(1, static_cast<int>(m_bars.size()));
    Layout layout;
    layout.slot = std::max(1, (width() - 2 * kMargin) / count);
    int widest = 0;
    for (const Bar& bar : m_bars)
        widest = std::max(widest, metrics.horizontalAdvance(bar.valueText));
    layout.upright = widest > layout.slot;
    const int headroom = (layout.upright ? widest : metrics.height()) + 4;
    const int below = metrics.height() + 4;
    layout.plot = QRect(kMargin, kMargin + headroom, layout.slot * count,
                        std::max(1, height() - 2 * kMargin - headroom - below));
    layout.top = ScaleTop(m_bars);
    return layout;
}

QRect BarChart::BarRect(std::size_t index) const {
    return BarRect(LayOut(), index);
}

int BarChart::BarAt(QPoint point) const {
    const Layout layout = LayOut();
    for (std::size_t index = 0; index < m_bars.size(); ++index) {
        if (BarRect(layout, index).contains(point)) return static_cast<int>(index);
    }
    return -1;
}

QRect BarChart::BarRect(const Layout& layout, std::size_t index) const {
    if (index >= m_bars.size()) return {};
    const qint64 value = m_bars[index].value;
    int pixels = 0;
    if (value > 0) {
        const double share =
            std::min(1.0, static_cast<double>(value) / static_cast<double>(layout.top));
        pixels = std::max(kMinimumBarPixels, static_cast<int>(share * layout.plot.height()));
    }
    const int width = std::max(1, layout.slot * 7 / 10);
    const int left =
        layout.plot.left() + static_cast<int>(index) * layout.slot + (layout.slot - width) / 2;
    return QRect(left, layout.plot.bottom() + 1 - pixels, width, pixels);
}

void BarChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Layout layout = LayOut();
    painter.setFont(TextFont(font()));
    const QFontMetrics metrics = painter.fontMetrics();
    const QColor barColour(0x20, 0x9F, 0xDF);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawLine(layout.plot.bottomLeft(), layout.plot.bottomRight());
    for (std::size_t index = 0; index < m_bars.size(); ++index) {
        const Bar& bar = m_bars[index];
        const QRect rect = BarRect(layout, index);
        painter.fillRect(rect, barColour);
        if (bar.value > layout.top) {
            // A gap across the bar shows that it is cut short.
            const int y = rect.top() + rect.height() / 8;
            painter.fillRect(QRect(rect.left(), y, rect.width(), 4),
                             palette().color(QPalette::Base));
        }
        const QRect slot(layout.plot.left() + static_cast<int>(index) * layout.slot, 0, layout.slot,
                         0);
        painter.drawText(
            QRect(slot.left(), layout.plot.bottom() + 2, slot.width(), metrics.height()),
            Qt::AlignHCenter | Qt::AlignTop, bar.label);
        if (bar.valueText.isEmpty()) continue;
        if (!layout.upright) {
            painter.drawText(QRect(slot.left(), rect.top() - metrics.height() - 2, slot.width(),
                                   metrics.height()),
                             Qt::AlignHCenter | Qt::AlignBottom, bar.valueText);
            continue;
        }
        painter.save();
        painter.translate(slot.center().x() + metrics.ascent() / 2 - 1, rect.top() - 3);
        painter.rotate(-90);
        painter.drawText(0, 0, bar.valueText);
        painter.restore();
    }
}

}  // namespace durava::ui
