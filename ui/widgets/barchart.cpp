// SPDX-License-Identifier: MIT
#include "ui/widgets/barchart.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>
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
    QRect plot;               // the bars stand on its bottom edge
    double slot = 1;          // the width each bar has, less than a pixel in a span of years
    int labelEvery = 1;       // labels of a long span would overlap: only every so many is written
    bool upright = false;     // values written upwards, when they are wider than a bar's slot
    bool valuesShown = true;  // not when even upright they would overlap; a hover tells them
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
    const int plotWidth = std::max(1, width() - 2 * kMargin);
    Layout layout;
    layout.slot = static_cast<double>(plotWidth) / count;
    int widestValue = 0;
    int widestLabel = 0;
    for (const Bar& bar : m_bars) {
        widestValue = std::max(widestValue, metrics.horizontalAdvance(bar.valueText));
        widestLabel = std::max(widestLabel, metrics.horizontalAdvance(bar.label));
    }
    layout.labelEvery = std::max(1, static_cast<int>(std::ceil((widestLabel + 4) / layout.slot)));
    layout.upright = widestValue > layout.slot;
    layout.valuesShown = !layout.upright || layout.slot >= metrics.height();
    const int headroom =
        (layout.upright && layout.valuesShown ? widestValue : metrics.height()) + 4;
    const int below = metrics.height() + 4;
    layout.plot = QRect(kMargin, kMargin + headroom, plotWidth,
                        std::max(1, height() - 2 * kMargin - headroom - below));
    layout.top = ScaleTop(m_bars);
    return layout;
}

QRect BarChart::BarRect(std::size_t index) const {
    return BarRect(LayOut(), index);
}

int BarChart::BarAt(QPoint point) const {
    const Layout layout = LayOut();
    if (point.x() < layout.plot.left() || point.x() > layout.plot.right() ||
        !rect().contains(point)) {
        return -1;
    }
    // The column under the middle of the pixel, where a pixel holds several.
    const auto index =
        static_cast<std::size_t>((point.x() + 0.5 - layout.plot.left()) / layout.slot);
    return index < m_bars.size() ? static_cast<int>(index) : -1;
}

bool BarChart::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int index = BarAt(help->pos());
    if (index < 0) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), m_bars[static_cast<std::size_t>(index)].spokenText,
                           this);
    }
    return true;
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
    const int width = std::max(1, static_cast<int>(layout.slot * 0.7));
    const int left = static_cast<int>(layout.plot.left() + (index + 0.5) * layout.slot) - width / 2;
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
        const int centre = rect.center().x();
        // Centred on its bar and as wide as it needs, since a slot may be narrower, but kept
        // within the chart.
        const auto around = [&](const QString& text, int top) {
            const int width = metrics.horizontalAdvance(text) + 4;
            const int left = std::clamp(centre - width / 2, 0, std::max(0, this->width() - width));
            return QRect(left, top, width, metrics.height());
        };
        if (index % static_cast<std::size_t>(layout.labelEvery) == 0) {
            painter.drawText(around(bar.label, layout.plot.bottom() + 2),
                             Qt::AlignHCenter | Qt::AlignTop, bar.label);
        }
        if (bar.valueText.isEmpty() || !layout.valuesShown) continue;
        if (!layout.upright) {
            painter.drawText(around(bar.valueText, rect.top() - metrics.height() - 2),
                             Qt::AlignHCenter | Qt::AlignBottom, bar.valueText);
            continue;
        }
        painter.save();
        painter.translate(centre + metrics.ascent() / 2 - 1, rect.top() - 3);
        painter.rotate(-90);
        painter.drawText(0, 0, bar.valueText);
        painter.restore();
    }
}

}  // namespace durava::ui
