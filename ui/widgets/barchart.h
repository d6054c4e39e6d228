// SPDX-License-Identifier: MIT
#pragma once
// A bar chart drawn with QPainter: one bar per value, its label under it and its value printed on
// it where there is room; a hover tells any bar. Each bar is an accessible element that names
// itself, so a screen reader reads the chart.
#include <QWidget>

#include <vector>

#include "ui/widgets/bar.h"

namespace durava::ui {

class BarChart : public QWidget {
    Q_OBJECT
  public:
    explicit BarChart(QWidget* parent = nullptr);

    void SetBars(std::vector<Bar> bars);
    const std::vector<Bar>& Bars() const { return m_bars; }
    // Where bar `index` is drawn, in the widget's coordinates.
    QRect BarRect(std::size_t index) const;
    // The bar whose column holds `point`; -1 where there is none.
    int BarAt(QPoint point) const;

  protected:
    // A hover names the bar and its value, which a long span has no room to print.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Layout;
    Layout LayOut() const;
    // Of one layout, so that a paint of a long span lays the bars out once, not once per bar.
    QRect BarRect(const Layout& layout, std::size_t index) const;

    std::vector<Bar> m_bars;
};

}  // namespace durava::ui
