// SPDX-License-Identifier: MIT
#include "ui/widgets/fittedlabel.h"

#include <QFontMetrics>

namespace durava::ui {
namespace {

constexpr int kSmallestPixels = 6;

}  // namespace

FittedLabel::FittedLabel(const QString& text, const QFont& font) : m_defined(font) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setFont(font);
    ShowText(text);
}

void FittedLabel::ShowText(const QString& text) {
    setText(text);
    Fit();
}

void FittedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Fit();
}

void FittedLabel::Fit() {
    const int room = contentsRect().width();
    QFont font = m_defined;
    while (font.pixelSize() > kSmallestPixels &&
           QFontMetrics(font).horizontalAdvance(text()) > room) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    if (font != this->font()) setFont(font);
}

}  // namespace durava::ui
