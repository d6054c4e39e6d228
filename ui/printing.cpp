#include "ui/printing.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace durava::ui {
namespace {

std::function<bool(QPrinter&)>& PreviewAnswer() {
    static std::function<bool(QPrinter&)> answer;
    return answer;
}

}  // namespace

void ShowPrintPreview(QWidget* owner, const QString& pdfPath, const QPageSize& page,
                      const std::function<void(QPrinter&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(page);
    printer.setPageMargins(QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // The preview then asks where the file goes, starting from `pdfPath`.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    }
    if (PreviewAnswer()) {
        if (PreviewAnswer()(printer)) paint(printer);
        return;
    }
    QPrintPreviewDialog preview(&printer, owner);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter* pages) { paint(*pages); });
    preview.exec();
}

void PrintPreviewsWith(std::function<bool(QPrinter&)> answer) {
    PreviewAnswer() = std::move(answer);
}

}  // namespace durava::ui
