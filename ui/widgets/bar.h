// SPDX-License-Identifier: MIT
#pragma once
// One bar of a bar chart, as a window hands it to the chart.
#include <QString>

namespace durava::ui {

struct Bar {
    QString label;       // under the bar: a day or a month
    QString valueText;   // printed above the bar
    QString spokenText;  // what a screen reader says of the bar
    qint64 value = 0;
};

}  // namespace durava::ui
