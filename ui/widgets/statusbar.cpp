// SPDX-License-Identifier: MIT
#include "ui/widgets/statusbar.h"

#include <QLabel>

#include "ui/screenconversion.h"

namespace durava::ui {

StatusBar::StatusBar(std::span<const forms::StatusPart> parts, const QFont& font) {
    setSizeGripEnabled(false);
    for (const forms::StatusPart& part : parts) {
        auto* label = new QLabel(ToScreen(part.text));
        label->setTextFormat(Qt::PlainText);
        label->setFixedWidth(part.width);
        label->setFont(font);
        addWidget(label);
        m_parts.push_back(label);
    }
}

void StatusBar::SetPart(int part, std::string_view text) {
    if (part < 0 || part >= std::ssize(m_parts)) return;
    m_parts[static_cast<std::size_t>(part)]->setText(ToScreen(text));
}

std::string StatusBar::Part(int part) const {
    if (part < 0 || part >= std::ssize(m_parts)) return {};
    return FromScreen(m_parts[static_cast<std::size_t>(part)]->text());
}

}  // namespace durava::ui
