#include "ui/printing.h"

#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace durava::ui {
namespace {

std::function<bool(QPrinter&)>& PreviewAnswer() {
    static std::function<bool(QPrinter&)> answer;
    return answer;
}

}  // namespace

void ShowPrintPreview(QWidget* owner, const QString& pdfName,
                      const std::function<void(QPrinter&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // The preview then asks where the file goes, starting in the Documents folder.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(
            QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                .filePath(pdfName));
    }
    if (PreviewAnswer()) {
        if (PreviewAnswer()(printer)) paint(printer);
        return;
    }
    QPrintPreviewDialog preview(&printer, owner);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter* pages) { paint(*pages); });
    preview.exec();
}

void PrintPreviewsWith(std::function<bool(QPrinter&)> answer) {
    PreviewAnswer() = std::move(answer);
}

}  // namespace durava::ui
