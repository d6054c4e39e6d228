// SPDX-License-Identifier: MIT
#pragma once
// Printing with a preview first. Where no printer is set up, printing writes a PDF file.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QPageSize;
class QPrinter;
class QString;
class QWidget;

namespace durava::ui {

// Shows the pages that `paint` draws on the printer in a print preview, from which the operator
// prints or which they close.
// `pdfPath` is the file a PDF printout suggests; `page` is the paper size. True when the pages
// were printed.
bool ShowPrintPreview(QWidget* owner, const QString& pdfPath, const QPageSize& page,
                      const std::function<void(QPrinter&)>& paint);

// A till-roll page of the 80 mm receipt printer, long enough for every line: the title, then one
// program text per line, in the windows' own face; through the preview, or to the PDF `pdfPath`.
// True when it was printed.
bool PrintTillRoll(QWidget* owner, const QString& pdfPath, std::u16string_view title,
                   const std::vector<std::string>& lines);

// Test seam: while set, it stands in for the preview and the operator. It gets the printer as
// the preview would, and the pages are printed on it when it returns true.
void PrintPreviewsWith(std::function<bool(QPrinter& printer)> answer);

}  // namespace durava::ui
