// SPDX-License-Identifier: MIT
#pragma once
// Paints the cells of a list view in the colours a ListViewColouring stores for them: an item
// delegate takes the place of answering the list view's custom-draw questions.
#include <QColor>

#include "lvcolor/colourmodel.h"

class QAbstractItemView;
class QWidget;

namespace durava::ui {

QColor ToQColor(lvcolor::ColourRef colour);
// The handle under which SetWindows and the delegate know a widget.
lvcolor::WindowHandle HandleOf(const QWidget* widget);

// Drops every stored colour of `colouring`, installs the colour delegate on `list` and repaints
// `list` whenever its colours change. One list view per colouring object; `colouring` must
// outlive the attachment.
void AttachParent(lvcolor::ListViewColouring& colouring, QAbstractItemView* list);
// Gives `list` back the delegate it had before AttachParent and stops the repaints.
void DetachParent(lvcolor::ListViewColouring& colouring, QAbstractItemView* list);

}  // namespace durava::ui
