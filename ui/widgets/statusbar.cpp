// SPDX-License-Identifier: MIT
#include "ui/widgets/statusbar.h"

#include <QLabel>

#include <algorithm>

#include "ui/screenconversion.h"

namespace durava::ui {

StatusBar::StatusBar(std::span<const forms::StatusPart> parts, const QFont& font) {
    setSizeGripEnabled(false);
    setFont(font);
    for (const forms::StatusPart& part : parts) {
        auto* label = new QLabel(ToScreen(part.text));
        label->setTextFormat(Qt::PlainText);
        label->setFixedWidth(part.width);
        label->setFont(font);
        addWidget(label);
        m_parts.push_back(label);
        if (part.hiddenWhileEmpty) {
            m_hiddenWhileEmpty.push_back(label);
            label->hide();
        }
    }
}

void StatusBar::SetPart(int part, std::string_view text) {
    if (part < 0 || part >= std::ssize(m_parts)) return;
    QLabel* label = m_parts[static_cast<std::size_t>(part)];
    label->setText(ToScreen(text));
    if (std::ranges::find(m_hiddenWhileEmpty, label) != m_hiddenWhileEmpty.end()) {
        label->setVisible(!text.empty());
    }
}

void StatusBar::ShowNotice(std::string_view text) {
    if (!m_notice) {
        m_notice = new QLabel;
        m_notice->setTextFormat(Qt::PlainText);
        m_notice->setFont(font());
        addWidget(m_notice, 1);
    }
    m_notice->setText(ToScreen(text));
}

std::string StatusBar::Notice() const {
    return m_notice ? FromScreen(m_notice->text()) : std::string();
}

std::string StatusBar::Part(int part) const {
    if (part < 0 || part >= std::ssize(m_parts)) return {};
    return FromScreen(m_parts[static_cast<std::size_t>(part)]->text());
}

}  // namespace durava::ui
