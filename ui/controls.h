// SPDX-License-Identifier: MIT
#pragma once
// Qt widgets for the control kinds of the window definitions.
#include <QFont>

#include "forms/forms.h"

class QObject;
class QWidget;

namespace durava::ui {

Qt::Alignment AlignmentOf(forms::Align align);

// The face the windows ask for, with CJK faces to fall back on where it is missing.
QFont FontOf(const forms::Font& font);

// A label's style sheet: its text in `textColour`, with the border and background its definition
// gives it.
QString LabelStyle(const forms::Control& control, forms::Rgb textColour);

// The control as a child of `window` (a QTimer for the timer, a widget for everything else), its
// objectName set to the control's name. A status bar is docked along the bottom of the window.
QObject* CreateControl(const forms::Control& control, QWidget* window);

}  // namespace durava::ui
