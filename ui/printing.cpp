// SPDX-License-Identifier: MIT
#include "ui/printing.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

#include "ui/controls.h"
#include "ui/screenconversion.h"

namespace durava::ui {
namespace {

std::function<bool(QPrinter&)>& PreviewAnswer() {
    static std::function<bool(QPrinter&)> answer;
    return answer;
}

}  // namespace

bool ShowPrintPreview(QWidget* owner, const QString& pdfPath, const QPageSize& page,
                      const std::function<void(QPrinter&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    const QPageLayout layout(page, QPageLayout::Portrait, QMarginsF(4, 4, 4, 4),
                             QPageLayout::Millimeter);
    printer.setPageLayout(layout);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // The preview then asks where the file goes, starting from `pdfPath`.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    }
    // The print dialog puts its own paper in (Letter for a PDF): the pages go out as previewed.
    const auto paintAsPreviewed = [&](QPrinter& pages) {
        pages.setPageLayout(layout);
        paint(pages);
    };
    if (PreviewAnswer()) {
        if (!PreviewAnswer()(printer)) return false;
        paintAsPreviewed(printer);
        return true;
    }
    QPrintPreviewDialog preview(&printer, owner);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paintAsPreviewed](QPrinter* pages) { paintAsPreviewed(*pages); });
    // The preview accepts once its pages went to the printer or the file.
    return preview.exec() == QDialog::Accepted;
}

bool PrintTillRoll(QWidget* owner, const QString& pdfPath, std::u16string_view title,
                   const std::vector<std::string>& lines) {
    // A receipt of eleven fields fills 150 mm; longer texts grow the page line by line.
    const double length = std::max(150.0, 150.0 / 14 * static_cast<double>(lines.size() + 3));
    const QPageSize roll(QSizeF(80, length), QPageSize::Millimeter);
    return ShowPrintPreview(owner, pdfPath, roll, [&](QPrinter& printer) {
        QPainter painter(&printer);
        const QRect page = painter.viewport();
        const int lineHeight =
            page.height() / static_cast<int>(std::max<std::size_t>(lines.size(), 11) + 3);
        forms::Font font{.pixels = lineHeight * 6 / 10, .bold = true};
        painter.setFont(FontOf(font));
        QRect line(page.left(), page.top(), page.width(), lineHeight);
        painter.drawText(line, Qt::AlignCenter, ToScreen(title));
        font.bold = false;
        font.pixels = lineHeight * 45 / 100;
        painter.setFont(FontOf(font));
        line.translate(0, lineHeight * 3 / 2);
        for (const std::string& text : lines) {
            painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, ToScreen(text));
            line.translate(0, lineHeight);
        }
    });
}

void PrintPreviewsWith(std::function<bool(QPrinter&)> answer) {
    PreviewAnswer() = std::move(answer);
}

}  // namespace durava::ui
