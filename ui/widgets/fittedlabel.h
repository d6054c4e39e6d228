// SPDX-License-Identifier: MIT
#pragma once
// A label that always shows its whole text on its one line: a text too wide for the box at the
// defined font is drawn in a smaller size of the same face until it fits.
#include <QLabel>

namespace durava::ui {

class FittedLabel : public QLabel {
    Q_OBJECT
  public:
    FittedLabel(const QString& text, const QFont& font);
    void ShowText(const QString& text);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Fit();
    QFont m_defined;
};

}  // namespace durava::ui
