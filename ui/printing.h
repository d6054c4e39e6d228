#pragma once
// Printing with a preview first. Where no printer is set up, printing writes a PDF file.
#include <functional>

class QPageSize;
class QPrinter;
class QString;
class QWidget;

namespace durava::ui {

// Shows the pages that `paint` draws on the printer in a print preview, from which the operator
// prints or which they close.
// `pdfPath` is the file a PDF printout suggests; `page` is the paper size.
void ShowPrintPreview(QWidget* owner, const QString& pdfPath, const QPageSize& page,
                      const std::function<void(QPrinter&)>& paint);

// Test seam: while set, it stands in for the preview and the operator. It gets the printer as
// the preview would, and the pages are printed on it when it returns true.
void PrintPreviewsWith(std::function<bool(QPrinter& printer)> answer);

}  // namespace durava::ui
